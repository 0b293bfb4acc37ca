// The menus drawn in a real window: pictures made here, frames read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/app_state.h"
#include "app/gl_window.h"
#include "app/main_loop.h"
#include "game/event_list.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/menu.h"
#include "menu/scripted_menu_input.h"
#include "resources/gl_extensions.h"
#include "resources/image.h"
#include "support/gl_pixels.h"
#include "support/gl_test_window.h"
#include "support/temp_dir.h"

namespace {

// 800 x 600, so window pixels are virtual-screen units; uncompressed
// textures, so colours come back exactly.
constexpr char kMenuSettings[] =
    "[Video]\nwidth=800\nheight=600\nbpp=32\nfullscreen=0\ntexcomp=0\n";

constexpr Rgb kBackground = {0, 0, 120};
constexpr Rgb kCursor = {250, 200, 0};
constexpr Rgb kCredits = {200, 30, 30};
constexpr Rgb kWhite = {255, 255, 255};

bool NearColour(const Rgb& got, const Rgb& want) {
    return Near(got, want);
}

enum Sheet { MainSheet = 0, GameSheet = 1 };

// Every cell of both sheets differs from every other and from the pictures above.
Rgb CellColour(Sheet sheet, int row, int column) {
    return {20 + row * 28, 40 + column * 150, sheet == MainSheet ? 200 : 60};
}

void SavePicture(const std::string& path, int width, int height,
                 const std::vector<uint8_t>& rgbTopRowFirst) {
    Image image;
    ASSERT_EQ(image.SetPixels(width, height, 24, rgbTopRowFirst.data()), ImageOk);
    ASSERT_EQ(image.SavePNG(path.c_str()), ImageOk);
}

void SaveSolid(const std::string& path, int size, Rgb colour) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < size * size; ++i)
        rgb.insert(rgb.end(), {static_cast<uint8_t>(colour.r), static_cast<uint8_t>(colour.g),
                               static_cast<uint8_t>(colour.b)});
    SavePicture(path, size, size, rgb);
}

// A menu sheet: 8 rows x 2 columns of 16 x 8 pixel cells, row 0 at the top.
void SaveSheet(const std::string& path, Sheet sheet) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 32; ++x) {
            const Rgb c = CellColour(sheet, y / 8, x / 16);
            rgb.insert(rgb.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                                   static_cast<uint8_t>(c.b)});
        }
    }
    SavePicture(path, 32, 64, rgb);
}

void SaveMenuPictures(const TempDir& folder, bool withBackground = true) {
    std::filesystem::create_directories(folder.File("Menu"));
    if (withBackground)
        SaveSolid(folder.File("Menu/background.png"), 64, kBackground);
    SaveSheet(folder.File("Menu/MainMenu.png"), MainSheet);
    SaveSheet(folder.File("Menu/GameMenu.png"), GameSheet);
    SaveSolid(folder.File("Menu/cursor.png"), 32, kCursor);
    SaveSolid(folder.File("Menu/Credits.png"), 64, kCredits);
}

// Points inside the list screens' rectangles (800 x 600 pixels).
constexpr int kTitleY = 62;
constexpr int kEntryY[5] = {0, 129, 195, 261, 327};
constexpr int kEntryX = 300;  // left of the cursor, which starts at (400, 300)

int CountGreenPixels(const FramePixels& frame, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = frame.At(x, y);
            count += c.g > 150 && c.r < 80 && c.b < 80;
        }
    return count;
}

class MenuGL : public ::testing::Test {
protected:
    MenuGL() : window_(kMenuSettings) {}

    void InitMenu() {
        ASSERT_TRUE(window_.Created());
        extensions_.Probe();
        menu_.Init(&window_.Get(), &input_, &events_, &extensions_);
    }
    FramePixels DrawFrame() {
        window_.Get().BeginFrame();
        menu_.Draw();
        return FramePixels(800, 600);
    }
    int32_t Key(int code, int32_t state) {
        input_.Press(code);
        menu_.Update(state);
        input_.NextFrame();
        return state;
    }

    GLTestWindow window_;
    GLExtensions extensions_;
    ScriptedMenuInput input_;
    EventList events_;
    TMenu menu_;
};

TEST_F(MenuGL, TheMainMenuDrawsBackgroundVersionEntriesAndCursor) {
    SaveMenuPictures(window_.Folder());
    InitMenu();
    const MenuTextures& t = menu_.Textures();
    EXPECT_NE(t.background, 0u);
    EXPECT_NE(t.mainSheet, 0u);
    EXPECT_NE(t.gameSheet, 0u);
    EXPECT_NE(t.cursor, 0u);
    EXPECT_NE(t.credits, 0u);
    EXPECT_EQ(t.optionsSheet, 0u);

    FramePixels frame = DrawFrame();
    EXPECT_PRED2(NearColour, frame.At(50, 400), kBackground);
    EXPECT_PRED2(NearColour, frame.At(780, 580), kBackground);
    // The title strip spans the sheet's width; entry 1 starts highlighted.
    EXPECT_PRED2(NearColour, frame.At(100, kTitleY), CellColour(MainSheet, 0, 0));
    EXPECT_PRED2(NearColour, frame.At(700, kTitleY), CellColour(MainSheet, 0, 1));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[1]), CellColour(MainSheet, 1, 1));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[2]), CellColour(MainSheet, 2, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[3]), CellColour(MainSheet, 4, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[4]), CellColour(MainSheet, 5, 0));
    // The cursor, 32 x 32 at the centre, lies over entry 4.
    EXPECT_PRED2(NearColour, frame.At(416, 316), kCursor);
    EXPECT_PRED2(NearColour, frame.At(435, 316), CellColour(MainSheet, 5, 0));
    // The version line, green, at the top left.
    EXPECT_GT(CountGreenPixels(frame, 0, 0, 200, 30), 20);
    EXPECT_EQ(CountGreenPixels(frame, 0, 30, 200, 60), 0);

    Key(DIK_DOWN, StateMenu);
    frame = DrawFrame();
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[1]), CellColour(MainSheet, 1, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[2]), CellColour(MainSheet, 2, 1));
}

TEST_F(MenuGL, TheInGameMenuAndTheCreditsDrawTheirOwnPictures) {
    SaveMenuPictures(window_.Folder());
    InitMenu();
    menu_.Show(ScreenInGame);
    Key(DIK_UP, StatePaused);
    FramePixels frame = DrawFrame();
    EXPECT_PRED2(NearColour, frame.At(100, kTitleY), CellColour(GameSheet, 0, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[1]), CellColour(GameSheet, 1, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[2]), CellColour(GameSheet, 2, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[3]), CellColour(GameSheet, 3, 0));
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[4]), CellColour(GameSheet, 5, 1));

    menu_.Show(ScreenCredits);
    frame = DrawFrame();
    EXPECT_PRED2(NearColour, frame.At(50, 400), kCredits);
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[1]), kCredits);
    EXPECT_PRED2(NearColour, frame.At(416, 316), kCursor);
}

TEST_F(MenuGL, MissingPicturesAreReportedAndTheMenuStillWorks) {
    SaveMenuPictures(window_.Folder(), false);
    std::filesystem::remove(window_.Folder().File("Menu/cursor.png"));
    testing::internal::CaptureStderr();
    InitMenu();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("Texture not found!: Menu/background.png\n"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("Texture not found!: Menu/cursor.png\n"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("MainMenu"), std::string::npos) << errors;
    EXPECT_EQ(menu_.Textures().background, 0u);
    EXPECT_EQ(menu_.Textures().cursor, 0u);

    // White where the pictures are missing, the sheet where it is not.
    const FramePixels frame = DrawFrame();
    EXPECT_PRED2(NearColour, frame.At(50, 400), kWhite);
    EXPECT_PRED2(NearColour, frame.At(416, 316), kWhite);
    EXPECT_PRED2(NearColour, frame.At(kEntryX, kEntryY[1]), CellColour(MainSheet, 1, 1));
    EXPECT_EQ(Key(DIK_RETURN, StateMenu), StateNewGame);
}

// Reads nothing, but asks for a screenshot in the second frame it reads for.
class ScreenshotInSecondFrame : public ScriptedMenuInput {
public:
    explicit ScreenshotInSecondFrame(GLWindow* window) : window_(window) {}
    void ReadKeyboard() override {
        if (++frames == 2)
            window_->RequestScreenshot();
    }
    int frames = 0;

private:
    GLWindow* window_;
};

intptr_t IgnoreMessages(const WindowMessage&) {
    return 0;
}

TEST(MenuMainLoopGL, QuittingStillEndsTheLastFrame) {
    TempDir folder;
    folder.Write("settings.ini", kMenuSettings);
    ScopedWorkingDir workingDir(folder.Path());
    AppContext context;
    context.window = std::make_unique<GLWindow>();
    ASSERT_TRUE(Succeeded(context.window->Create(IgnoreMessages)));
    auto input = std::make_unique<ScreenshotInSecondFrame>(context.window.get());
    ScreenshotInSecondFrame* probe = input.get();
    context.input = std::move(input);
    context.events = std::make_unique<EventList>();
    TMenu menu;
    menu.Init(context.window.get(), probe, context.events.get(), nullptr);

    // Escape in the first frame; the second frame is the quit frame.
    probe->Press(DIK_ESCAPE);
    AppState = StateMenu;
    EXPECT_EQ(RunMainLoop(context, &menu, nullptr), 0);
    AppState = StateMenu;
    EXPECT_EQ(probe->frames, 2);

    int screenshots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        screenshots += entry.path().filename().string().rfind("screenshot", 0) == 0;
    EXPECT_EQ(screenshots, 1);
    context.window->Destroy();
}

}  // namespace
