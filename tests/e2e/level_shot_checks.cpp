#include "level_shot_checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "resources/image.h"
#include "support/gl_pixels.h"

namespace {

// The clear colour is black; anything brighter is something drawn.
constexpr int kBackgroundLevel = 10;
// Geometry: share of the pixels away from the centre that must be drawn, and
// the number of colours (coarse bins holding at least 1 % of them) they need.
constexpr int kMinDrawnPercent = 30;
constexpr int kMinColours = 3;
constexpr int kColourBinShift = 5;  // 8 bins per channel

// The ball's radius on screen as a share of the window height: a radius of
// 5.05 seen from the shipped camera distance of 700 through the vertical
// field of view of 45 degrees.
constexpr double kBallRadiusPerHeight = 5.05 / (2.0 * 0.41421356 * 700.0);
// The pole of the ball's texture is orange (229, 126, 29: warmth 0.52) and
// its disc bluish grey (63, 101, 157); seen from the camera the texture is
// filtered down to a few pixels, which can turn the orange pale and the disc
// grey. Under the levels' lights the pole reads orange but not red, warmer
// than the disc, the disc grey or bluish, and the ball stands apart from the
// level behind it.
constexpr double kMinPoleWarmth = 0.05;
constexpr double kMaxPoleWarmth = 0.6;
constexpr double kMaxDiscWarmth = 0.12;
constexpr double kMinWarmthStep = 0.1;
constexpr double kMaxDiscSpread = 0.6;  // of its brightest channel
constexpr int kMinBallContrast = 10;

// Heads-up lines: "Collisions", "Time" and "TT" at these window rows, each
// 15 pixels high from the left margin, and the prompt at the centre.
constexpr int kHeadsUpRows[] = {50, 65, 80};
const char* const kHeadsUpNames[] = {"Collisions", "Time", "TT"};
constexpr int kLineHeight = 15;
constexpr int kHeadsUpLeft = 8;
constexpr int kHeadsUpWidth = 140;
constexpr int kMinLinePixels = 20;
constexpr int kMinPromptPixels = 40;

class Shot {
public:
    bool Load(const char* path) {
        if (image_.Load(path) != ImageOk || image_.compressed || image_.bitsPerPixel < 24) {
            std::fprintf(stderr, "%s: cannot read the picture\n", path);
            return false;
        }
        return true;
    }
    int Width() const { return static_cast<int>(image_.width); }
    int Height() const { return static_cast<int>(image_.height); }
    // Pixel (x, y) counted from the top; rows are held bottom row first.
    Rgb At(int x, int y) const {
        const size_t row = image_.height - 1 - static_cast<size_t>(y);
        const uint8_t* p = image_.pixels.data() + row * image_.RowBytes() +
                           static_cast<size_t>(x) * (image_.bitsPerPixel / 8);
        return {p[0], p[1], p[2]};
    }

private:
    Image image_;
};

struct ColourMean {
    double r = 0, g = 0, b = 0;
    int count = 0;

    void Add(const Rgb& c) {
        r += c.r;
        g += c.g;
        b += c.b;
        ++count;
    }
    Rgb Mean() const {
        if (count == 0)
            return {0, 0, 0};
        return {static_cast<int>(std::lround(r / count)), static_cast<int>(std::lround(g / count)),
                static_cast<int>(std::lround(b / count))};
    }
};

// How much redder than blue a colour is, for its brightness: orange is near
// 0.3, grey 0, blue below 0.
double Warmth(const Rgb& c) {
    return static_cast<double>(c.r - c.b) / (c.r + c.g + c.b + 1);
}

// Grey or nearly so: no channel far above the others.
bool IsGreyish(const Rgb& c) {
    const int top = std::max(c.r, std::max(c.g, c.b));
    const int bottom = std::min(c.r, std::min(c.g, c.b));
    return top - bottom <= kMaxDiscSpread * top + 4;
}

int Difference(const Rgb& a, const Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

bool IsHeadsUpGreen(const Rgb& c) {
    return c.g >= 160 && c.r <= 90 && c.b <= 90;
}

bool IsDrawn(const Rgb& c) {
    return std::max(c.r, std::max(c.g, c.b)) > kBackgroundLevel;
}

int CheckGeometry(const Shot& shot) {
    const int w = shot.Width();
    const int h = shot.Height();
    int considered = 0;
    int drawn = 0;
    int bins[512] = {};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // Away from the centre: the ball, the rope's end and the prompt.
            if (std::abs(2 * x - w) < w / 2 && std::abs(2 * y - h) < h / 2)
                continue;
            const Rgb c = shot.At(x, y);
            if (IsHeadsUpGreen(c))
                continue;
            ++considered;
            if (!IsDrawn(c))
                continue;
            ++drawn;
            ++bins[((c.r >> kColourBinShift) << 6) | ((c.g >> kColourBinShift) << 3) |
                   (c.b >> kColourBinShift)];
        }
    const int colours = static_cast<int>(std::count_if(
        std::begin(bins), std::end(bins), [drawn](int n) { return n > 0 && n * 100 >= drawn; }));
    const int percent = considered > 0 ? drawn * 100 / considered : 0;
    std::printf("geometry: %d%% of the pixels away from the centre drawn, in %d colours\n", percent,
                colours);
    return percent >= kMinDrawnPercent && colours >= kMinColours ? 0 : 1;
}

int CheckBall(const Shot& shot, double cx, double cy) {
    const double radius = shot.Height() * kBallRadiusPerHeight;
    ColourMean pole;      // the lower half of the orange pole (the rope ends above it)
    ColourMean rim;       // the lower part of the disc round the pole
    ColourMean half;      // the whole lower half of the ball
    ColourMean surround;  // the level beside and above the ball, clear of rope and prompt
    const int reach = static_cast<int>(std::ceil(2.5 * radius));
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; ++y)
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; ++x) {
            if (x < 0 || y < 0 || x >= shot.Width() || y >= shot.Height())
                continue;
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d = std::hypot(dx, dy) / radius;
            const Rgb c = shot.At(x, y);
            if (dy > 0 && d <= 0.35)
                pole.Add(c);
            if (dy > 0.3 * radius && d >= 0.5 && d <= 0.85)
                rim.Add(c);
            if (dy > 0 && d <= 0.85)
                half.Add(c);
            const bool ropeColumn = dy < 0 && std::abs(dx) < 0.9 * radius;
            if (d >= 1.6 && d <= 2.4 && dy < 0.8 * radius && !ropeColumn)
                surround.Add(c);
        }
    if (pole.count == 0 || rim.count == 0 || surround.count == 0) {
        std::fprintf(stderr, "the ball's place lies outside the %dx%d picture\n", shot.Width(),
                     shot.Height());
        return 2;
    }
    const Rgb p = pole.Mean();
    const Rgb r = rim.Mean();
    const Rgb s = surround.Mean();
    const double step = Warmth(p) - Warmth(r);
    const int contrast = Difference(half.Mean(), s);
    std::printf(
        "ball: pole (%d, %d, %d) warmth %.2f, disc (%d, %d, %d) warmth %.2f, "
        "lower half %d away from the level beside it (%d, %d, %d)\n",
        p.r, p.g, p.b, Warmth(p), r.r, r.g, r.b, Warmth(r), contrast, s.r, s.g, s.b);
    const bool orangePole = Warmth(p) >= kMinPoleWarmth && Warmth(p) <= kMaxPoleWarmth;
    const bool greyDisc = IsGreyish(r) && Warmth(r) <= kMaxDiscWarmth && step >= kMinWarmthStep;
    return orangePole && greyDisc && contrast >= kMinBallContrast ? 0 : 1;
}

int CountGreen(const Shot& shot, int left, int top, int width, int height) {
    int count = 0;
    for (int y = std::max(top, 0); y < std::min(top + height, shot.Height()); ++y)
        for (int x = std::max(left, 0); x < std::min(left + width, shot.Width()); ++x)
            count += IsHeadsUpGreen(shot.At(x, y));
    return count;
}

int CheckHeadsUp(const Shot& shot) {
    bool ok = true;
    std::printf("heads-up: green pixels");
    for (size_t i = 0; i < std::size(kHeadsUpRows); ++i) {
        const int n = CountGreen(shot, kHeadsUpLeft, kHeadsUpRows[i], kHeadsUpWidth, kLineHeight);
        std::printf(" %s %d,", kHeadsUpNames[i], n);
        ok = ok && n >= kMinLinePixels;
    }
    // "Press a key to play" starts 30 pixels left of the centre.
    const int prompt =
        CountGreen(shot, shot.Width() / 2 - 32, shot.Height() / 2, kHeadsUpWidth, kLineHeight);
    std::printf(" prompt %d\n", prompt);
    return ok && prompt >= kMinPromptPixels ? 0 : 1;
}

}  // namespace

int RunLevelShotCommand(int argc, char** argv) {
    if (argc < 2 || std::strncmp(argv[1], "level-", 6) != 0)
        return -1;
    const char* command = argv[1] + 6;
    Shot shot;
    if (std::strcmp(command, "geometry") == 0 && argc == 3)
        return shot.Load(argv[2]) ? CheckGeometry(shot) : 2;
    if (std::strcmp(command, "heads-up") == 0 && argc == 3)
        return shot.Load(argv[2]) ? CheckHeadsUp(shot) : 2;
    if (std::strcmp(command, "ball") == 0 && (argc == 3 || argc == 5)) {
        if (!shot.Load(argv[2]))
            return 2;
        // By default the camera's centre: the middle of the picture.
        const double x = argc == 5 ? std::atof(argv[3]) : shot.Width() / 2.0;
        const double y = argc == 5 ? std::atof(argv[4]) : shot.Height() / 2.0;
        return CheckBall(shot, x, y);
    }
    return -1;
}
