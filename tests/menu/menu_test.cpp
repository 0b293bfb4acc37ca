#include "menu/menu.h"

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/event_list.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "render/gl_window.h"
#include "support/scripted_input.h"

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

TEST_F(MenuTest, ArrowKeysCycleThroughTheFourEntriesBothWays) {
    for (int screen : {ScreenMain, ScreenInGame}) {
        const int32_t state = screen == ScreenMain ? StateMenu : StatePaused;
        menu_.Show(screen);
        TBaseMenu* current = menu_.Current();
        ASSERT_EQ(current, Screen(screen));
        EXPECT_EQ(current->Selection(), 1);
        for (int expected : {2, 3, 4, 1}) {
            EXPECT_EQ(Key(DIK_DOWN, state), state);
            EXPECT_EQ(current->Selection(), expected);
        }
        Key(DIK_UP, state);
        EXPECT_EQ(current->Selection(), 4);
        Key(DIK_UP, state);
        EXPECT_EQ(current->Selection(), 3);
        // Left and right move nothing.
        Key(DIK_LEFT, state);
        Key(DIK_RIGHT, state);
        EXPECT_EQ(current->Selection(), 3);
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
    // Numbers outside 0-3 are not screens.
    menu_.Show(4);
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

}  // namespace
