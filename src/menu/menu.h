#pragma once
// The menu root: owns the screens (main, in-game, options, credits and the
// controls), the menu pictures and the mouse cursor. The main loop advances and draws it in every
// frame in which the game is not running; it hands control back by writing AppState.
//
// Without a GL window (a null window, or one not yet created) it runs its
// logic only: no pictures are loaded and nothing is drawn.

#include <cstdint>
#include <memory>

#include "input/input_subsystem.h"
#include "menu/base.h"
#include "menu/menu_item.h"
#include "menu/menu_subsystem.h"

class TBaseMenu;
class TextureManager;

// The line printed at the top left of every menu frame.
extern const char kVersionLine[];

class TMenu : public TBase, public MenuSubsystem {
public:
    TMenu();
    ~TMenu() override;  // deletes the pictures, then the screens

    // Builds the screens, puts the cursor at the centre of the configured
    // window size and loads the menu pictures.
    void Init(GLWindow* window, InputSubsystem* input, EventList* events,
              GLExtensions* extensions) override;
    // One frame of input: screenshot key, Escape, cursor motion, the current
    // screen's mouse handling, the arrow and Return keys (or the pad's d-pad,
    // A, and B to go back), then the action.
    void Update(int32_t& appState) override;
    // Background, version line, current screen, cursor.
    void Draw() override;
    // Makes screen 0-4 (main, in-game, options, credits, controls) current
    // and resets it.
    void Show(int screen) override;

    GLWindow* GetWindow() const { return window_; }
    InputSubsystem* GetInput() const { return input_; }
    EventList* GetEvents() const { return events_; }
    int CursorX() const { return cursor_.x; }
    int CursorY() const { return cursor_.y; }
    int LastMotionX() const { return cursor_.lastMotionX; }
    int LastMotionY() const { return cursor_.lastMotionY; }
    const MenuTextures& Textures() const { return textures_; }

    // The screens, null before Init.
    TBaseMenu* Current() const { return current_; }
    TBaseMenu* Screen(int screen) const;

private:
    void LoadTextures(const GLExtensions* extensions);
    void MoveCursor(const MouseStateRecord& mouse);
    // The arrows and Return, and the pad; the action of the pad's B, or none.
    int HandleKeys();
    int BackAction() const;
    void CarryOut(int action, int32_t& appState);
    void SwitchTo(TBaseMenu* screen);

    GLWindow* window_ = nullptr;
    InputSubsystem* input_ = nullptr;
    EventList* events_ = nullptr;
    std::unique_ptr<TBaseMenu> mainMenu_;
    std::unique_ptr<TBaseMenu> gameMenu_;
    std::unique_ptr<TBaseMenu> optionsMenu_;
    std::unique_ptr<TBaseMenu> creditsMenu_;
    std::unique_ptr<TBaseMenu> controlsMenu_;
    TBaseMenu* current_ = nullptr;
    std::unique_ptr<TextureManager> textureManager_;
    MenuTextures textures_;
    MenuCursor cursor_;
};
