#pragma once
// Win32-style message boxes. Every box is also written to standard error as
// "caption: text". With QUARN_MESSAGEBOX=stderr in the environment no box is
// shown: the call returns the default answer at once (OK; Yes for a Yes/No
// question), so a box never blocks a test or a headless run.

#include <functional>

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

// Receives every box in place of the screen and returns its answer; the line
// on standard error is still written. Tests install one to read the boxes and
// to answer No. An empty hook restores the normal boxes.
using MessageBoxHook = std::function<int(const char* text, const char* caption, unsigned flags)>;
void SetMessageBoxHook(MessageBoxHook hook);
