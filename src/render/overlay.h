#pragma once
// The 2D overlay's virtual screen: 800 x 600 units, origin top-left, y down.
// The overlay operations themselves are GLWindow members (app/gl_window.h),
// defined in overlay.cpp.

constexpr int kVirtualScreenWidth = 800;
constexpr int kVirtualScreenHeight = 600;

// Text is formatted into a buffer of this size: longer output is cut at 255 characters.
constexpr int kOverlayTextBufferBytes = 256;

// A screen fraction (0 = left or top edge, 1 = right or bottom edge) as a
// virtual-screen coordinate: the single-precision fraction times the extent,
// formed in double precision and truncated toward zero (0.16 of 600 is 95,
// since the float nearest 0.16 lies just below it).
inline int VirtualScreenCoordinate(float fraction, int extent) {
    return static_cast<int>(static_cast<double>(fraction) * extent);
}
