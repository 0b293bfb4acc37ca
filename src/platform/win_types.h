#pragma once
// The few Win32-style result values and message-box flags that the game code
// is written against. The platform layer gives them their Linux meaning.

#include <cstdint>

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);

inline bool Succeeded(HRESULT result) {
    return result >= 0;
}
inline bool Failed(HRESULT result) {
    return result < 0;
}
