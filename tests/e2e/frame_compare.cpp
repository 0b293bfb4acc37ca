#include "frame_compare.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resources/image.h"

const char kFrameCompareUsage[] =
    "       e2e_menu_pictures size SCREENSHOT\n"
    "       e2e_menu_pictures match SCREENSHOT LEFT TOP RIGHT BOTTOM [LAYER...]\n"
    "           LAYER: base:SCREENSHOT | full:PICTURE | title:PICTURE:L:T:R:B |\n"
    "                  cell:PICTURE:ROW:COLUMN:L:T:R:B | image:PICTURE:X:Y:W:H\n"
    "       e2e_menu_pictures diff SCREENSHOT OTHER LEFT TOP RIGHT BOTTOM\n"
    "       e2e_menu_pictures greenbox SCREENSHOT LEFT TOP RIGHT BOTTOM\n";

namespace {

constexpr float kVirtualWidth = 800.0f;
constexpr float kVirtualHeight = 600.0f;
// Mean difference per channel up to which a composed rectangle matches the
// frame: filtering, mipmaps and compressed uploads of the pictures stay well
// below it, while a wrong cell, a picture upside down or a missing layer lies
// far above it.
constexpr double kMatchTolerance = 8.0;
// A pixel counts as changed when a channel moves by more than this.
constexpr int kDiffTolerance = 2;
// Pixels left out along each edge of a compared rectangle, where the edges of
// the drawn quads are blended with their neighbours.
constexpr int kEdgeInset = 2;

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

// A decoded picture addressed from its top-left corner.
class Picture {
public:
    bool Load(const std::string& path) {
        if (image_.Load(path.c_str()) != ImageOk || image_.compressed ||
            (image_.bitsPerPixel != 24 && image_.bitsPerPixel != 32)) {
            std::fprintf(stderr, "%s: cannot read the picture\n", path.c_str());
            return false;
        }
        return true;
    }
    int Width() const { return static_cast<int>(image_.width); }
    int Height() const { return static_cast<int>(image_.height); }

    Colour At(int x, int yFromTop) const {
        const size_t row = image_.height - 1 - static_cast<size_t>(yFromTop);
        const int bytes = image_.bitsPerPixel / 8;
        const uint8_t* p = image_.pixels.data() + row * image_.RowBytes() + x * bytes;
        Colour c;
        c.r = p[0];
        c.g = p[1];
        c.b = p[2];
        c.a = bytes == 4 ? p[3] / 255.0f : 1.0f;
        return c;
    }

    // Bilinear sample at texture coordinates s (left to right) and v (top to
    // bottom), both 0 to 1, clamped to the edge texels.
    Colour Sample(float s, float v) const {
        const float x = s * Width() - 0.5f;
        const float y = v * Height() - 0.5f;
        const int x0 = static_cast<int>(std::floor(x));
        const int y0 = static_cast<int>(std::floor(y));
        const float fx = x - x0;
        const float fy = y - y0;
        const Colour c00 = Clamped(x0, y0), c10 = Clamped(x0 + 1, y0);
        const Colour c01 = Clamped(x0, y0 + 1), c11 = Clamped(x0 + 1, y0 + 1);
        auto mix = [&](float Colour::*channel) {
            const float top = c00.*channel * (1 - fx) + c10.*channel * fx;
            const float bottom = c01.*channel * (1 - fx) + c11.*channel * fx;
            return top * (1 - fy) + bottom * fy;
        };
        return {mix(&Colour::r), mix(&Colour::g), mix(&Colour::b), mix(&Colour::a)};
    }

private:
    Colour Clamped(int x, int y) const {
        x = x < 0 ? 0 : (x >= Width() ? Width() - 1 : x);
        y = y < 0 ? 0 : (y >= Height() ? Height() - 1 : y);
        return At(x, y);
    }

    Image image_;
};

// One layer of a composed frame: a picture stretched over a rectangle of the
// virtual screen, showing the part s0..s1, v0..v1 of the picture (v from the
// top), or a whole frame of window pixels under everything.
struct Layer {
    std::shared_ptr<const Picture> picture;
    bool windowFrame = false;
    float left = 0, top = 0, right = kVirtualWidth, bottom = kVirtualHeight;
    float s0 = 0, s1 = 1, v0 = 0, v1 = 1;
};

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// Four numbers from parts[first] on: left, top, then right and bottom, or
// width and height when `sized`.
bool ReadRectangle(const std::vector<std::string>& parts, size_t first, bool sized, Layer* layer) {
    if (parts.size() != first + 4)
        return false;
    layer->left = std::strtof(parts[first].c_str(), nullptr);
    layer->top = std::strtof(parts[first + 1].c_str(), nullptr);
    layer->right = std::strtof(parts[first + 2].c_str(), nullptr);
    layer->bottom = std::strtof(parts[first + 3].c_str(), nullptr);
    if (sized) {
        layer->right += layer->left;
        layer->bottom += layer->top;
    }
    return layer->right > layer->left && layer->bottom > layer->top;
}

// The pictures of the layers, each read once however many layers show it.
class PictureCache {
public:
    std::shared_ptr<const Picture> Get(const std::string& path) {
        auto found = pictures_.find(path);
        if (found != pictures_.end())
            return found->second;
        auto picture = std::make_shared<Picture>();
        if (!picture->Load(path))
            return nullptr;
        pictures_.emplace(path, picture);
        return picture;
    }

private:
    std::map<std::string, std::shared_ptr<const Picture>> pictures_;
};

bool ParseLayer(const std::string& text, PictureCache& cache, Layer* layer) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() < 2)
        return false;
    layer->picture = cache.Get(parts[1]);
    if (!layer->picture)
        return false;
    const std::string& kind = parts[0];
    if (kind == "base") {
        layer->windowFrame = true;
        return parts.size() == 2;
    }
    if (kind == "full")
        return parts.size() == 2;
    if (kind == "title") {
        layer->v1 = 0.125f;
        return ReadRectangle(parts, 2, false, layer);
    }
    if (kind == "cell" && parts.size() == 8) {
        const int row = std::atoi(parts[2].c_str());
        const int column = std::atoi(parts[3].c_str());
        if (row < 0 || row > 7 || column < 0 || column > 1)
            return false;
        layer->s0 = 0.5f * column;
        layer->s1 = layer->s0 + 0.5f;
        layer->v0 = row * 0.125f;
        layer->v1 = layer->v0 + 0.125f;
        return ReadRectangle(parts, 4, false, layer);
    }
    if (kind == "image")
        return ReadRectangle(parts, 2, true, layer);
    return false;
}

// The colour the layers give window pixel (x, y) of a frame of the given size.
Colour Compose(const std::vector<std::unique_ptr<Layer>>& layers, int x, int y, int width,
               int height) {
    const float u = (x + 0.5f) * kVirtualWidth / width;
    const float v = (y + 0.5f) * kVirtualHeight / height;
    Colour out{0, 0, 0, 1};
    for (const auto& layer : layers) {
        if (layer->windowFrame) {
            out = layer->picture->At(x, y);
            continue;
        }
        if (u < layer->left || u >= layer->right || v < layer->top || v >= layer->bottom)
            continue;
        const float fs = (u - layer->left) / (layer->right - layer->left);
        const float fv = (v - layer->top) / (layer->bottom - layer->top);
        const Colour c = layer->picture->Sample(layer->s0 + fs * (layer->s1 - layer->s0),
                                                layer->v0 + fv * (layer->v1 - layer->v0));
        out.r = c.r * c.a + out.r * (1 - c.a);
        out.g = c.g * c.a + out.g * (1 - c.a);
        out.b = c.b * c.a + out.b * (1 - c.a);
    }
    return out;
}

// Text is drawn as one-bit glyphs in pure green, never blended.
bool IsGreenText(const Colour& c) {
    return c.g >= 200 && c.r <= 40 && c.b <= 40;
}

struct WindowRectangle {
    int left, top, right, bottom;  // right and bottom exclusive
};

bool ReadWindowRectangle(char** argv, const Picture& frame, WindowRectangle* r) {
    r->left = std::atoi(argv[0]);
    r->top = std::atoi(argv[1]);
    r->right = std::atoi(argv[2]);
    r->bottom = std::atoi(argv[3]);
    if (r->left < 0 || r->top < 0 || r->right > frame.Width() || r->bottom > frame.Height() ||
        r->left >= r->right || r->top >= r->bottom) {
        std::fprintf(stderr, "the rectangle %d %d %d %d does not fit %dx%d\n", r->left, r->top,
                     r->right, r->bottom, frame.Width(), frame.Height());
        return false;
    }
    return true;
}

int Size(const char* path) {
    Picture frame;
    if (!frame.Load(path))
        return 2;
    std::printf("%dx%d\n", frame.Width(), frame.Height());
    return 0;
}

int Match(int argc, char** argv) {
    Picture frame;
    if (!frame.Load(argv[2]))
        return 2;
    const float left = std::strtof(argv[3], nullptr), top = std::strtof(argv[4], nullptr);
    const float right = std::strtof(argv[5], nullptr), bottom = std::strtof(argv[6], nullptr);
    PictureCache cache;
    std::vector<std::unique_ptr<Layer>> layers;
    for (int i = 7; i < argc; ++i) {
        layers.push_back(std::make_unique<Layer>());
        if (!ParseLayer(argv[i], cache, layers.back().get())) {
            std::fprintf(stderr, "%s: not a layer\n", argv[i]);
            return 2;
        }
        const Layer& layer = *layers.back();
        if (layer.windowFrame && (layer.picture->Width() != frame.Width() ||
                                  layer.picture->Height() != frame.Height())) {
            std::fprintf(stderr, "%s: not the size of the frame\n", argv[i]);
            return 2;
        }
    }
    // Window pixels whose centres lie in the rectangle, less the edges.
    const int width = frame.Width(), height = frame.Height();
    const int x0 = static_cast<int>(std::ceil(left * width / kVirtualWidth - 0.5f)) + kEdgeInset;
    const int x1 = static_cast<int>(std::ceil(right * width / kVirtualWidth - 0.5f)) - kEdgeInset;
    const int y0 = static_cast<int>(std::ceil(top * height / kVirtualHeight - 0.5f)) + kEdgeInset;
    const int y1 =
        static_cast<int>(std::ceil(bottom * height / kVirtualHeight - 0.5f)) - kEdgeInset;
    if (x0 < 0 || y0 < 0 || x1 > width || y1 > height || x0 >= x1 || y0 >= y1) {
        std::fprintf(stderr, "the rectangle does not fit %dx%d\n", width, height);
        return 2;
    }
    double sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Colour want = Compose(layers, x, y, width, height);
            const Colour got = frame.At(x, y);
            sum +=
                std::fabs(got.r - want.r) + std::fabs(got.g - want.g) + std::fabs(got.b - want.b);
        }
    const double mean = sum / (3.0 * (x1 - x0) * (y1 - y0));
    std::printf("mean difference %.1f\n", mean);
    return mean <= kMatchTolerance ? 0 : 1;
}

int Diff(char** argv) {
    Picture frame, other;
    if (!frame.Load(argv[2]) || !other.Load(argv[3]))
        return 2;
    if (frame.Width() != other.Width() || frame.Height() != other.Height()) {
        std::fprintf(stderr, "the screenshots differ in size\n");
        return 2;
    }
    WindowRectangle r;
    if (!ReadWindowRectangle(argv + 4, frame, &r))
        return 2;
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const Colour a = frame.At(x, y), b = other.At(x, y);
            count += std::fabs(a.r - b.r) > kDiffTolerance ||
                     std::fabs(a.g - b.g) > kDiffTolerance || std::fabs(a.b - b.b) > kDiffTolerance;
        }
    std::printf("%d\n", count);
    return 0;
}

int GreenBox(char** argv) {
    Picture frame;
    if (!frame.Load(argv[2]))
        return 2;
    WindowRectangle r;
    if (!ReadWindowRectangle(argv + 3, frame, &r))
        return 2;
    int count = 0, left = r.right, top = r.bottom, right = -1, bottom = -1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            if (!IsGreenText(frame.At(x, y)))
                continue;
            ++count;
            left = x < left ? x : left;
            right = x > right ? x : right;
            top = y < top ? y : top;
            bottom = y > bottom ? y : bottom;
        }
    if (count == 0)
        std::printf("0\n");
    else
        std::printf("%d %d %d %d %d\n", count, left, top, right, bottom);
    return 0;
}

}  // namespace

bool RunFrameCompare(int argc, char** argv, int* exitCode) {
    if (argc < 2)
        return false;
    const std::string command = argv[1];
    if (command == "size" && argc == 3)
        *exitCode = Size(argv[2]);
    else if (command == "match" && argc >= 7)
        *exitCode = Match(argc, argv);
    else if (command == "diff" && argc == 8)
        *exitCode = Diff(argv);
    else if (command == "greenbox" && argc == 7)
        *exitCode = GreenBox(argv);
    else
        return false;
    return true;
}
