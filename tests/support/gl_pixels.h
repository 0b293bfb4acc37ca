#pragma once
// Reading back what a GL test drew: the colour buffer as RGB bytes, and one
// pixel addressed from the top-left corner of the window.

#include <cstdint>
#include <ostream>
#include <vector>

struct Rgb {
    int r, g, b;
};
inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class FramePixels {
public:
    // Reads width x height pixels of the current read buffer (the back buffer).
    FramePixels(int width, int height);
    // Pixel at column x, row y counted from the top of the window.
    Rgb At(int x, int yFromTop) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_;
    int height_;
    std::vector<uint8_t> bytes_;  // bottom row first, as the GL reads them
};

// True when every channel is within `tolerance` of the expected colour.
bool Near(const Rgb& got, const Rgb& want, int tolerance = 2);
