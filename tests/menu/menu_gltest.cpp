// The menus drawn in a real window: pictures made here, frames read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/app_context.h"
#include "app/main_loop.h"
#include "core/app_state.h"
#include "core/clock.h"
#include "core/event_list.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/menu.h"
#include "render/gl_window.h"
#include "resources/gl_extensions.h"
#include "support/gl_pixels.h"
#include "support/gl_test_window.h"
#include "support/menu_pictures.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

namespace {

// 800 x 600, so window pixels are virtual-screen units; uncompressed
// textures, so colours come back exactly.
constexpr char kMenuSettings[] =
    "[Video]\nwidth=800\nheight=600\nbpp=32\nfullscreen=0\ntexcomp=0\n";

constexpr Rgb kWhite = {255, 255, 255};
const Rgb& kBackground = kMenuBackgroundColour;
const Rgb& kCursor = kMenuCursorColour;
const Rgb& kCredits = kMenuCreditsColour;
constexpr MenuSheet MainSheet = MenuSheet::Main;
constexpr MenuSheet GameSheet = MenuSheet::Game;

bool NearColour(const Rgb& got, const Rgb& want) {
    return Near(got, want);
}

Rgb CellColour(MenuSheet sheet, int row, int column) {
    return MenuSheetColour(sheet, row, column);
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
        input_.TapKey(code);
        input_.ReadKeyboard();
        input_.ReadMouse();
        menu_.Update(state);
        return state;
    }

    GLTestWindow window_;
    GLExtensions extensions_;
    ScriptedInput input_;
    EventList events_;
    TMenu menu_;
};

TEST_F(MenuGL, TheMainMenuDrawsBackgroundVersionEntriesAndCursor) {
    ASSERT_TRUE(WriteMenuPictures(window_.Folder().Path()));
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
    ASSERT_TRUE(WriteMenuPictures(window_.Folder().Path()));
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
    ASSERT_TRUE(WriteMenuPictures(window_.Folder().Path()));
    std::filesystem::remove(window_.Folder().File("Menu/background.png"));
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

// Asks for a screenshot in the second frame it reads the keyboard for.
class ScreenshotInSecondFrame : public ScriptedInput {
public:
    explicit ScreenshotInSecondFrame(GLWindow* window) : window_(window) {}
    void ReadKeyboard() override {
        ScriptedInput::ReadKeyboard();
        if (++frames == 2)
            window_->RequestScreenshot();
    }
    int frames = 0;

private:
    GLWindow* window_;
};

intptr_t IgnoreMessages(const WindowMessage&, void*) {
    return 0;
}

TEST(MenuMainLoopGL, QuittingStillEndsTheLastFrame) {
    TempDir folder;
    folder.Write("settings.ini", kMenuSettings);
    ScopedWorkingDir workingDir(folder.Path());
    AppContext context(SystemClock());
    context.window = std::make_unique<GLWindow>();
    ASSERT_TRUE(Succeeded(context.window->Create(IgnoreMessages)));
    auto input = std::make_unique<ScreenshotInSecondFrame>(context.window.get());
    ScreenshotInSecondFrame* probe = input.get();
    context.input = std::move(input);
    context.events = std::make_unique<EventList>();
    TMenu menu;
    menu.Init(context.window.get(), probe, context.events.get(), nullptr);

    // Escape in the first frame; the second frame is the quit frame.
    probe->TapKey(DIK_ESCAPE);
    EXPECT_EQ(RunMainLoop(context, &menu, nullptr), 0);
    EXPECT_EQ(probe->frames, 2);

    int screenshots = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        screenshots += entry.path().filename().string().rfind("screenshot", 0) == 0;
    EXPECT_EQ(screenshots, 1);
    context.window->Destroy();
}

}  // namespace
