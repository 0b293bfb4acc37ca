#include "menu/menu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/app_state.h"
#include "core/event_list.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/controls_menu.h"
#include "platform/input_devices.h"
#include "platform/message_queue.h"
#include "platform/virtual_pad.h"
#include "render/gl_window.h"
#include "support/game_folder.h"
#include "support/message_box_recorder.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

namespace {

// Points of the virtual screen inside the list screens' rectangles.
constexpr int kEntryX = 400;
constexpr int kEntryY[5] = {63, 129, 195, 261, 327};  // title, entries 1-4

// The menu without a GL context: a window object that was never created, so
// the configured size is there but no picture is loaded and nothing drawn.
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_.width = 800;
        window_.height = 600;
        menu_.Init(&window_, &input_, &events_, nullptr);
    }

    // Reads what the script queued and runs one menu frame; returns the state.
    int32_t Frame(int32_t state) {
        input_.ReadKeyboard();
        input_.ReadMouse();
        menu_.Update(state);
        return state;
    }
    int32_t Key(int code, int32_t state = StateMenu) {
        input_.TapKey(code);
        return Frame(state);
    }
    // Moves the cursor onto (x, y) in the next reading.
    void AimAt(int x, int y) { input_.MoveMouse(x - menu_.CursorX(), y - menu_.CursorY()); }
    // The state after the frame of the click; the frame of the release follows.
    int32_t ClickAt(int x, int y, int32_t state = StateMenu) {
        AimAt(x, y);
        input_.ClickButton(0);
        const int32_t next = Frame(state);
        Frame(next);
        return next;
    }
    TBaseMenu* Screen(int screen) const { return menu_.Screen(screen); }

    GLWindow window_;
    ScriptedInput input_;
    EventList events_;
    TMenu menu_;
};

// The in-game menu has four entries; the main menu a fifth, the controls.
TEST_F(MenuTest, ArrowKeysCycleThroughTheEntriesBothWays) {
    for (int screen : {ScreenMain, ScreenInGame}) {
        const int32_t state = screen == ScreenMain ? StateMenu : StatePaused;
        const int entries = screen == ScreenMain ? 5 : 4;
        menu_.Show(screen);
        TBaseMenu* current = menu_.Current();
        ASSERT_EQ(current, Screen(screen));
        EXPECT_EQ(current->Selection(), 1);
        for (int step = 1; step <= entries; ++step) {
            EXPECT_EQ(Key(DIK_DOWN, state), state);
            EXPECT_EQ(current->Selection(), step % entries + 1);
        }
        Key(DIK_UP, state);
        EXPECT_EQ(current->Selection(), entries);
        Key(DIK_UP, state);
        EXPECT_EQ(current->Selection(), entries - 1);
        // Left and right move nothing.
        Key(DIK_LEFT, state);
        Key(DIK_RIGHT, state);
        EXPECT_EQ(current->Selection(), entries - 1);
    }
    EXPECT_TRUE(events_.Empty());
}

TEST_F(MenuTest, EntriesWithoutAnActionDoNothingAndClearTheActivation) {
    Key(DIK_DOWN);
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_FALSE(menu_.Current()->Activated());

    menu_.Show(ScreenInGame);
    Key(DIK_DOWN, StatePaused);
    Key(DIK_DOWN, StatePaused);
    EXPECT_EQ(Key(DIK_RETURN, StatePaused), StatePaused);
    EXPECT_EQ(menu_.Current(), Screen(ScreenInGame));
    EXPECT_FALSE(menu_.Current()->Activated());
    EXPECT_TRUE(events_.Empty());
}

TEST_F(MenuTest, MainMenuStartsAGameShowsTheCreditsAndQuits) {
    EXPECT_EQ(Key(DIK_RETURN), StateNewGame);

    menu_.Show(ScreenMain);
    Key(DIK_UP);
    Key(DIK_UP);
    EXPECT_EQ(Key(DIK_RETURN), StateQuit);

    menu_.Show(ScreenMain);
    Key(DIK_DOWN);
    Key(DIK_DOWN);
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenCredits));
}

TEST_F(MenuTest, InGameMenuResumesRestartsAndEndsTheGame) {
    menu_.Show(ScreenInGame);
    EXPECT_EQ(Key(DIK_RETURN, StatePaused), StatePlaying);
    EXPECT_TRUE(events_.Empty());

    menu_.Show(ScreenInGame);
    Key(DIK_DOWN, StatePaused);
    EXPECT_EQ(Key(DIK_RETURN, StatePaused), StatePlaying);
    ASSERT_EQ(events_.Size(), 1u);
    EXPECT_EQ(events_[0].type, EventRestart);

    menu_.Show(ScreenInGame);
    Key(DIK_UP, StatePaused);
    EXPECT_EQ(Key(DIK_RETURN, StatePaused), StateEndGame);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_EQ(menu_.Current()->Selection(), 1);
    EXPECT_EQ(events_.Size(), 1u);
}

TEST_F(MenuTest, HoverSelectsAtOnceAndAClickActivatesInTheSameFrame) {
    AimAt(kEntryX, kEntryY[3]);
    EXPECT_EQ(Frame(StateMenu), StateMenu);
    EXPECT_EQ(menu_.Current()->Selection(), 3);

    // Button down over entry 4 with the motion that brings the cursor there.
    AimAt(kEntryX, kEntryY[4]);
    input_.HoldButton(0);
    EXPECT_EQ(Frame(StateMenu), StateQuit);
    EXPECT_EQ(menu_.Current()->Selection(), 4);

    // Held, not pressed again: selects but does not activate.
    AimAt(kEntryX, kEntryY[1]);
    EXPECT_EQ(Frame(StateMenu), StateMenu);
    EXPECT_EQ(menu_.Current()->Selection(), 1);
}

TEST_F(MenuTest, ClicksOnTheTitleOrEmptySpaceDoNothing) {
    Key(DIK_DOWN);
    EXPECT_EQ(ClickAt(kEntryX, kEntryY[0]), StateMenu);
    EXPECT_EQ(ClickAt(100, 500), StateMenu);
    EXPECT_EQ(ClickAt(kEntryX, 590), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_EQ(menu_.Current()->Selection(), 2);
    EXPECT_FALSE(menu_.Current()->Activated());
}

TEST_F(MenuTest, AStillMouseKeepsTheKeyboardSelection) {
    AimAt(kEntryX, kEntryY[1]);
    Frame(StateMenu);
    Key(DIK_DOWN);
    Key(DIK_DOWN);
    Frame(StateMenu);
    EXPECT_EQ(menu_.Current()->Selection(), 3);
    // A click without motion still selects and activates the entry under the cursor.
    input_.HoldButton(0);
    EXPECT_EQ(Frame(StateMenu), StateNewGame);
    EXPECT_EQ(menu_.Current()->Selection(), 1);
}

TEST_F(MenuTest, TheCursorWrapsRoundTheVirtualScreen) {
    AimAt(790, 590);
    Frame(StateMenu);
    ASSERT_EQ(menu_.CursorX(), 790);
    input_.MoveMouse(30, 20);
    Frame(StateMenu);
    EXPECT_EQ(menu_.CursorX(), 20);
    EXPECT_EQ(menu_.CursorY(), 10);
    input_.MoveMouse(-25, -11);
    Frame(StateMenu);
    EXPECT_EQ(menu_.CursorX(), 795);
    EXPECT_EQ(menu_.CursorY(), 599);
    // The edges themselves are on the screen.
    input_.MoveMouse(5, 1);
    Frame(StateMenu);
    EXPECT_EQ(menu_.CursorX(), 800);
    EXPECT_EQ(menu_.CursorY(), 600);
    EXPECT_EQ(menu_.LastMotionX(), 5);
    EXPECT_EQ(menu_.LastMotionY(), 1);
}

TEST_F(MenuTest, EscapeQuitsFromEveryScreen) {
    const int32_t states[] = {StateMenu, StatePaused};
    for (int screen : {ScreenMain, ScreenInGame, ScreenOptions, ScreenCredits}) {
        for (int32_t state : states) {
            menu_.Show(screen);
            EXPECT_EQ(Key(DIK_ESCAPE, state), StateQuit) << screen;
        }
    }
    // But for the controls screen, which Escape leaves without saving.
    menu_.Show(ScreenControls);
    EXPECT_EQ(Key(DIK_ESCAPE), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
}

TEST_F(MenuTest, BackFromTheCreditsGoesWhereTheMenuWasOpened) {
    menu_.Show(ScreenCredits);
    Key(DIK_DOWN);
    Key(DIK_UP);
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));

    menu_.Show(ScreenCredits);
    EXPECT_EQ(ClickAt(700, 550, StatePaused), StatePaused);
    EXPECT_EQ(menu_.Current(), Screen(ScreenInGame));
    EXPECT_EQ(menu_.Current()->Selection(), 1);
}

TEST_F(MenuTest, TheInGameMenuGivesWayToTheMainMenuWhenNoGameIsPaused) {
    menu_.Show(ScreenInGame);
    Key(DIK_DOWN, StatePaused);
    EXPECT_EQ(menu_.Current(), Screen(ScreenInGame));
    // The game ended by itself: the next menu frame runs the main menu.
    EXPECT_EQ(Key(DIK_RETURN, StateMenu), StateNewGame);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_TRUE(events_.Empty());
}

TEST_F(MenuTest, ShowMakesAScreenCurrentWithEntryOneSelected) {
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    Key(DIK_DOWN);
    menu_.Show(ScreenInGame);
    Key(DIK_UP, StatePaused);
    menu_.Show(ScreenMain);
    EXPECT_EQ(menu_.Current()->Selection(), 1);
    menu_.Show(ScreenInGame);
    EXPECT_EQ(menu_.Current()->Selection(), 1);
    // Numbers outside 0-4 are not screens.
    menu_.Show(5);
    menu_.Show(-1);
    EXPECT_EQ(menu_.Current(), Screen(ScreenInGame));
}

TEST_F(MenuTest, TheUnreachableOptionsScreenAlwaysLeadsBack) {
    menu_.Show(ScreenOptions);
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));

    menu_.Show(ScreenOptions);
    EXPECT_EQ(ClickAt(kEntryX, kEntryY[2], StatePaused), StatePaused);
    EXPECT_EQ(menu_.Current(), Screen(ScreenInGame));

    // Given its items, only its fourth entry goes back.
    TBaseMenu* options = Screen(ScreenOptions);
    options->Init(MenuTextures{});
    menu_.Show(ScreenOptions);
    Key(DIK_RETURN);
    EXPECT_EQ(menu_.Current(), options);
    Key(DIK_UP);
    Key(DIK_RETURN);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
}

TEST_F(MenuTest, PrintScreenAsksTheWindowForAScreenshot) {
    EXPECT_FALSE(window_.screenshotRequested);
    Key(DIK_SYSRQ);
    EXPECT_TRUE(window_.screenshotRequested);
}

TEST(MenuStart, TheCursorStartsAtTheCentreOfTheConfiguredWindow) {
    GLWindow window;
    window.width = 1024;
    window.height = 768;
    ScriptedInput input;
    TMenu menu;
    EXPECT_EQ(menu.Current(), nullptr);
    menu.Init(&window, &input, nullptr, nullptr);
    EXPECT_EQ(menu.CursorX(), 512);
    EXPECT_EQ(menu.CursorY(), 384);
    EXPECT_EQ(menu.Current(), menu.Screen(ScreenMain));
    // Without a GL context no picture is loaded.
    EXPECT_EQ(menu.Textures().background, 0u);
    EXPECT_EQ(menu.Textures().mainSheet, 0u);
}

TEST(MenuStart, WithoutWindowInputOrEventsTheMenuStillRuns) {
    TMenu menu;
    int32_t state = StatePaused;
    menu.Update(state);  // before Init: nothing
    menu.Draw();
    menu.Init(nullptr, nullptr, nullptr, nullptr);
    menu.Show(ScreenInGame);
    menu.Update(state);
    menu.Draw();
    EXPECT_EQ(state, StatePaused);

    // A restart with no event list still resumes.
    ScriptedInput input;
    TMenu withInput;
    withInput.Init(nullptr, &input, nullptr, nullptr);
    withInput.Show(ScreenInGame);
    input.TapKey(DIK_DOWN);
    input.TapKey(DIK_RETURN);
    input.ReadKeyboard();
    withInput.Update(state);
    EXPECT_EQ(state, StatePlaying);
}

class ControlsScreenTest : public MenuTest {
protected:
    TControlsMenu& Controls() { return *static_cast<TControlsMenu*>(menu_.Current()); }
    // Opens the screen from the main menu, its fifth entry.
    void Open() {
        menu_.Show(ScreenMain);
        for (int i = 0; i < 4; ++i)
            Key(DIK_DOWN);
        EXPECT_EQ(Key(DIK_RETURN), StateMenu);
        ASSERT_EQ(menu_.Current(), Screen(ScreenControls));
    }
    // Moves the choice to a row by the arrows (wrapping round).
    void GoToRow(int row) {
        while (Controls().Row() != row)
            Key(DIK_DOWN);
    }
    std::string Settings() const { return ReadFileText(folder_.File("settings.ini")); }

    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
};

constexpr int kKeyF = 33;
constexpr int kKeyW = 17;
constexpr int kDikDelete = 211;

TEST_F(ControlsScreenTest, KeysAreChangedByPressingThemSavedOrLeftWithEscape) {
    const std::string before = "; mine\n[Keys]\n; reel in\nup=17\n\n[Sound]\nmusic=0\n";
    folder_.Write("settings.ini", before);
    Open();
    EXPECT_EQ(Controls().Row(), 1);
    EXPECT_EQ(Controls().CellText(1, -1), "Fire (or left mouse button)");
    EXPECT_EQ(Controls().CellText(1, TControlsMenu::KeyColumn), "-");
    EXPECT_EQ(Controls().CellText(1, TControlsMenu::PadColumn), "Right trigger");
    EXPECT_EQ(Controls().CellText(1, TControlsMenu::SecondPadColumn), "A");
    EXPECT_EQ(Controls().CellText(3, TControlsMenu::KeyColumn), "W");

    // Fire takes F (not H, the outline key); then Let go takes W, which Reel
    // in lets go of.
    Key(DIK_RETURN);
    EXPECT_TRUE(Controls().Waiting());
    Key(DIK_H);
    EXPECT_TRUE(Controls().Waiting());
    Key(kKeyF);
    EXPECT_FALSE(Controls().Waiting());
    EXPECT_EQ(Controls().Keys().fire, kKeyF);
    Key(DIK_DOWN);
    Key(DIK_RETURN);
    Key(kKeyW);
    EXPECT_EQ(Controls().Keys().letGo, kKeyW);
    EXPECT_EQ(Controls().Keys().up, 0);
    // Escape while waiting keeps the key; Delete clears it.
    Key(DIK_RETURN);
    EXPECT_EQ(Key(DIK_ESCAPE), StateMenu);
    EXPECT_FALSE(Controls().Waiting());
    EXPECT_EQ(Controls().Keys().letGo, kKeyW);
    EXPECT_EQ(menu_.Current(), Screen(ScreenControls));
    Key(kDikDelete);
    EXPECT_EQ(Controls().Keys().letGo, 0);
    // A row without a key to change, Pause, does not wait.
    GoToRow(10);
    Key(DIK_RETURN);
    EXPECT_FALSE(Controls().Waiting());
    EXPECT_EQ(Controls().CellText(10, TControlsMenu::KeyColumn), "Escape");

    // Escape leaves without writing; back again, the file's bindings show.
    EXPECT_EQ(Key(DIK_ESCAPE), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_EQ(Settings(), before);
    Open();
    EXPECT_EQ(Controls().Keys().fire, 0);

    // Saved, the bindings are in settings.ini beside what was there.
    Key(DIK_RETURN);
    Key(kKeyF);
    GoToRow(TControlsMenu::SaveRow());
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_EQ(ReadKeyBindings().fire, kKeyF);
    EXPECT_EQ(ReadKeyBindings().up, kKeyW);
    EXPECT_EQ(ReadPadBindings().fire.first, PadRightTrigger);
    const std::string after = Settings();
    EXPECT_EQ(after.rfind("; mine\n[Keys]\n; reel in\nup=17\n", 0), 0u) << after;
    EXPECT_NE(after.find("\nfire=33\n"), std::string::npos) << after;
    EXPECT_NE(after.find("[Sound]\nmusic=0\n"), std::string::npos) << after;
}

TEST_F(ControlsScreenTest, ASaveThatFailsIsShownAndTheScreenStays) {
    std::filesystem::create_directory(folder_.File("settings.ini"));  // cannot be replaced
    MessageBoxRecorder boxes;
    Open();
    GoToRow(TControlsMenu::SaveRow());
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenControls));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Settings not saved");
    EXPECT_NE(boxes.Boxes()[0].text.find("settings.ini"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(folder_.File("settings.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()),
                            std::filesystem::directory_iterator()),
              1);  // nothing left beside it
    GoToRow(TControlsMenu::CancelRow());
    EXPECT_EQ(Key(DIK_RETURN), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
}

// The menus driven by SDL's virtual joystick plugged into the process: the
// d-pad moves, A chooses, B goes back; on the controls screen a pad control
// takes a pad cell as a key takes a key cell.
class MenuPadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(input_.InitWithoutWindow(), S_OK);
        ASSERT_TRUE(input_.Devices()->pad.OpenControllers());
        ASSERT_TRUE(pad_.Attach());
        menu_.Init(nullptr, &input_, &events_, nullptr);
        Frame(StateMenu);  // the pad is opened when its arrival is taken
    }
    int32_t Frame(int32_t state) {
        WindowMessage message;
        while (PeekWindowMessage(&message))
            DispatchWindowMessage(message);
        input_.ReadKeyboard();
        input_.ReadMouse();
        input_.ReadPad();
        menu_.Update(state);
        return state;
    }
    // A button pressed in one frame and let go in the next; the state after
    // the press.
    int32_t Press(int button, int32_t state = StateMenu) {
        pad_.SetButton(button, true);
        const int32_t next = Frame(state);
        pad_.SetButton(button, false);
        Frame(next);
        return next;
    }
    TBaseMenu* Screen(int screen) const { return menu_.Screen(screen); }

    TempDir folder_;
    ScopedWorkingDir inFolder_{folder_.Path()};
    Input input_;
    VirtualPad pad_;
    EventList events_;
    TMenu menu_;
};

TEST_F(MenuPadTest, TheDpadMovesAChoosesAndBGoesBack) {
    Press(PadButtonDpadDown);
    EXPECT_EQ(menu_.Current()->Selection(), 2);
    Press(PadButtonDpadUp);
    Press(PadButtonDpadUp);
    EXPECT_EQ(menu_.Current()->Selection(), 5);
    EXPECT_EQ(Press(PadButtonB), StateMenu);  // nothing behind the main menu
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));

    // The controls screen: the fire row's first pad cell takes the right
    // shoulder; X clears the second; B leaves without writing.
    EXPECT_EQ(Press(PadButtonA), StateMenu);
    ASSERT_EQ(menu_.Current(), Screen(ScreenControls));
    auto& controls = *static_cast<TControlsMenu*>(menu_.Current());
    Press(PadButtonDpadRight);
    Press(PadButtonA);
    EXPECT_TRUE(controls.Waiting());
    Press(PadButtonRightShoulder);
    EXPECT_FALSE(controls.Waiting());
    EXPECT_EQ(controls.Pad().fire.first, PadRightShoulder);
    EXPECT_EQ(controls.Pad().fire.second, PadA);
    Press(PadButtonDpadRight);
    Press(PadButtonX);
    EXPECT_EQ(controls.Pad().fire.second, PadNone);
    // A trigger is a control too: the left trigger moves from let go to fire.
    Press(PadButtonA);
    pad_.SetAxis(PadAxisLeftTrigger, 32767);
    Frame(StateMenu);
    pad_.SetAxis(PadAxisLeftTrigger, 0);
    EXPECT_EQ(controls.Pad().fire.second, PadLeftTrigger);
    EXPECT_EQ(controls.Pad().letGo.first, PadB);
    EXPECT_EQ(Press(PadButtonB), StateMenu);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("settings.ini")));

    // The credits, and back.
    Press(PadButtonDpadDown);
    Press(PadButtonDpadDown);
    Press(PadButtonA);
    EXPECT_EQ(menu_.Current(), Screen(ScreenCredits));
    Press(PadButtonB);
    EXPECT_EQ(menu_.Current(), Screen(ScreenMain));

    // Over a paused game, B resumes it; the second entry restarts it.
    menu_.Show(ScreenInGame);
    EXPECT_EQ(Press(PadButtonB, StatePaused), StatePlaying);
    menu_.Show(ScreenInGame);
    Press(PadButtonDpadDown, StatePaused);
    EXPECT_EQ(Press(PadButtonA, StatePaused), StatePlaying);
    ASSERT_EQ(events_.Size(), 1u);
    EXPECT_EQ(events_[0].type, EventRestart);
}

}  // namespace
