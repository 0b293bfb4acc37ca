#pragma once
// The small value types the menu screens share: one picture item, the six
// menu pictures, the rectangles every list screen uses, the action codes a
// screen hands to the menu root, and what a screen takes from the root.

#include <cstdint>

class EventList;
class GLWindow;
class InputSubsystem;

// One picture item cut from a menu sheet (8 rows x 2 columns). The rectangle
// is in screen fractions: 0 is the left or top edge, 1 the right or bottom.
struct MenuItem {
    bool title = false;  // drawn across the sheet's full width, never selectable
    int row = 0;         // sheet row 0-7
    uint32_t texture = 0;
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The menu pictures as GL texture names; 0 when a picture failed to load.
struct MenuTextures {
    uint32_t background = 0;
    uint32_t gameSheet = 0;
    uint32_t mainSheet = 0;
    uint32_t optionsSheet = 0;  // no file is loaded for it
    uint32_t cursor = 0;
    uint32_t credits = 0;
};

struct MenuRect {
    float left, top, right, bottom;
};

// Item 0 is the title; items 1-4 are the entries. The main menu has a fifth
// entry below them.
constexpr int kMenuItemCount = 5;
constexpr int kMainMenuItemCount = 6;
constexpr MenuRect kMenuItemRects[kMainMenuItemCount] = {
    {0.0f, 0.05f, 1.0f, 0.16f},    // title
    {0.25f, 0.16f, 0.75f, 0.27f},  // entry 1
    {0.25f, 0.27f, 0.75f, 0.38f},  // entry 2
    {0.25f, 0.38f, 0.75f, 0.49f},  // entry 3
    {0.25f, 0.49f, 0.75f, 0.6f},   // entry 4
    {0.25f, 0.6f, 0.75f, 0.71f},   // entry 5 (the main menu's)
};

// What a screen asks the menu root to do.
enum MenuAction : int {
    ActionNone = -1,
    ActionNewGame = 0,
    ActionQuit = 1,
    ActionResume = 2,
    ActionBack = 3,
    ActionOptions = 4,
    ActionCredits = 5,
    ActionEndGame = 6,
    ActionControls = 7,
};

// Screen numbers of TMenu::Show.
enum MenuScreen : int {
    ScreenMain = 0,
    ScreenInGame = 1,
    ScreenOptions = 2,
    ScreenCredits = 3,
    ScreenControls = 4,
};

// The mouse cursor the menu root moves: a position on the 800 x 600 virtual
// screen and the last motion that moved it.
struct MenuCursor {
    int x = 0;
    int y = 0;
    int lastMotionX = 0;
    int lastMotionY = 0;
};

// What every screen takes from the menu root: the window it draws in, the
// input it reads, the event list it raises events on (any may be null) and
// the root's cursor.
struct MenuRoot {
    GLWindow* window = nullptr;
    InputSubsystem* input = nullptr;
    EventList* events = nullptr;
    const MenuCursor* cursor = nullptr;
};
