#pragma once
// Win32-style message boxes. Every box is also written to standard error as
// "caption: text". With QUARN_MESSAGEBOX=stderr in the environment no box is
// shown: the call returns the default answer at once (OK; Yes for a Yes/No
// question), so a box never blocks a test or a headless run.

enum MessageBoxFlags : unsigned {
    MB_OK = 0x0,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = MB_ICONERROR,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = MB_ICONWARNING,
    MB_ICONINFORMATION = 0x40,
};

enum MessageBoxAnswer : int {
    IDOK = 1,
    IDYES = 6,
    IDNO = 7,
};

int ShowMessageBox(const char* text, const char* caption, unsigned flags);
