#pragma once
// Window messages in the shape the window procedure expects. The platform
// pump translates SDL events into these, one per main-loop iteration.

#include <cstdint>

enum WindowMessageType : uint32_t {
    WM_NULL = 0x0000,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_SYSCOMMAND = 0x0112,
    WM_ENTERMENULOOP = 0x0211,
    WM_EXITMENULOOP = 0x0212,
};

// Low word of WM_ACTIVATE's wParam; its high word is non-zero when minimised.
enum ActivateState : uint32_t {
    WA_INACTIVE = 0,
    WA_ACTIVE = 1,
    WA_CLICKACTIVE = 2,
};

enum SysCommand : uint32_t {
    SC_SCREENSAVE = 0xF140,
    SC_MONITORPOWER = 0xF170,
};

struct WindowMessage {
    uint32_t message = WM_NULL;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

inline uint32_t LowWord(uintptr_t value) {
    return static_cast<uint32_t>(value & 0xFFFF);
}
inline uint32_t HighWord(uintptr_t value) {
    return static_cast<uint32_t>((value >> 16) & 0xFFFF);
}
inline uintptr_t MakeLong(uint32_t low, uint32_t high) {
    return static_cast<uintptr_t>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}

// The window procedure receives, with each message, the context it was
// installed with.
using WindowProcedure = intptr_t (*)(const WindowMessage& message, void* context);
