#include "menu/menu.h"

#include "core/app_state.h"
#include "input/input.h"
#include "menu/base_menu.h"
#include "menu/controls_menu.h"
#include "menu/credits_menu.h"
#include "menu/game_menu.h"
#include "menu/main_menu.h"
#include "menu/options_menu.h"
#include "platform/pad_controls.h"
#include "render/gl_window.h"
#include "render/overlay.h"
#include "resources/gl_extensions.h"
#include "resources/texture_manager.h"

const char kVersionLine[] = "Version: Release 1.0.1.0";

namespace {

constexpr char kBackgroundPicture[] = "Menu/background.png";
constexpr char kGameSheetPicture[] = "Menu/GameMenu.png";
constexpr char kMainSheetPicture[] = "Menu/MainMenu.png";
constexpr char kCursorPicture[] = "Menu/cursor.png";
constexpr char kCreditsPicture[] = "Menu/Credits.png";

constexpr int kVersionX = 10;
constexpr int kVersionY = 10;
constexpr int kCursorSize = 32;

// Bit 0 of the compression flags: upload pictures with a compressed format.
constexpr uint8_t kCompressPictures = 1;

// The cursor leaves one edge of the virtual screen and comes in at the other.
int WrapOnce(int value, int extent) {
    if (value > extent)
        return value - extent;
    if (value < 0)
        return value + extent;
    return value;
}

bool HasGLContext(const GLWindow* window) {
    return window && window->Window();
}

}  // namespace

TMenu::TMenu() = default;

TMenu::~TMenu() {
    textureManager_.reset();
    current_ = nullptr;
    mainMenu_.reset();
    gameMenu_.reset();
    optionsMenu_.reset();
    creditsMenu_.reset();
    controlsMenu_.reset();
}

void TMenu::Init(GLWindow* window, InputSubsystem* input, EventList* events,
                 GLExtensions* extensions) {
    window_ = window;
    input_ = input;
    events_ = events;
    const MenuRoot root{window_, input_, events_, &cursor_};
    mainMenu_ = std::make_unique<TMainMenu>(root);
    gameMenu_ = std::make_unique<TGameMenu>(root);
    optionsMenu_ = std::make_unique<TOptionsMenu>(root);
    creditsMenu_ = std::make_unique<TCreditsMenu>(root);
    controlsMenu_ = std::make_unique<TControlsMenu>(root);

    if (window_) {
        cursor_.x = window_->width / 2;
        cursor_.y = window_->height / 2;
    }
    current_ = mainMenu_.get();
    LoadTextures(extensions);

    // The options screen gets neither pictures nor items: nothing leads to it.
    mainMenu_->Init(textures_);
    gameMenu_->Init(textures_);
    creditsMenu_->Init(textures_);
    controlsMenu_->Init(textures_);
}

void TMenu::LoadTextures(const GLExtensions* extensions) {
    textureManager_ = std::make_unique<TextureManager>();
    if (!HasGLContext(window_))
        return;
    // Without an extension table the manager keeps its defaults.
    if (extensions) {
        const uint8_t compression =
            DriverCompresses(*extensions, window_->texcomp) ? kCompressPictures : 0;
        textureManager_->Init(compression, extensions->generateMipmap, extensions->maxTextureSize,
                              MinificationFor(*extensions));
    }

    // A picture that fails has shown "Texture not found!" and stays 0.
    textureManager_->Get(kBackgroundPicture, textures_.background);
    textureManager_->Get(kGameSheetPicture, textures_.gameSheet);
    textureManager_->Get(kMainSheetPicture, textures_.mainSheet);
    textureManager_->Get(kCursorPicture, textures_.cursor);
    textureManager_->Get(kCreditsPicture, textures_.credits);
}

void TMenu::Update(int32_t& appState) {
    if (!current_)
        return;
    // A game that ended by itself leaves no paused game for the in-game menu.
    if (appState == StateMenu && current_ == gameMenu_.get())
        SwitchTo(mainMenu_.get());
    if (input_ && input_->KeyPressed(DIK_SYSRQ) && window_)
        window_->RequestScreenshot();
    // A screen that reads its own keys takes Escape too (the controls
    // screen leaves by it without saving).
    const bool ownKeys = current_->HandlesOwnKeys();
    if (!ownKeys && input_ && input_->KeyPressed(DIK_ESCAPE))
        appState = StateQuit;
    MoveCursor(input_ ? input_->MouseState() : MouseStateRecord{});
    current_->Update();
    const int back = ownKeys ? ActionNone : HandleKeys();

    int action = ActionNone;
    current_->GetAction(action);
    CarryOut(action == ActionNone ? back : action, appState);
}

void TMenu::MoveCursor(const MouseStateRecord& mouse) {
    cursor_.lastMotionX = mouse.x;
    cursor_.lastMotionY = mouse.y;
    cursor_.x = WrapOnce(cursor_.x + mouse.x, kVirtualScreenWidth);
    cursor_.y = WrapOnce(cursor_.y + mouse.y, kVirtualScreenHeight);
}

int TMenu::HandleKeys() {
    if (!input_)
        return ActionNone;
    const InputSubsystem& in = *input_;
    if (in.KeyPressed(DIK_UP) || in.PadPressed(PadDpadUp))
        current_->Up();
    if (in.KeyPressed(DIK_DOWN) || in.PadPressed(PadDpadDown))
        current_->Down();
    if (in.KeyPressed(DIK_LEFT) || in.PadPressed(PadDpadLeft))
        current_->Left();
    if (in.KeyPressed(DIK_RIGHT) || in.PadPressed(PadDpadRight))
        current_->Right();
    if (in.KeyPressed(DIK_RETURN) || in.PadPressed(PadA))
        current_->Activate();
    return in.PadPressed(PadB) ? BackAction() : ActionNone;
}

int TMenu::BackAction() const {
    if (current_ == gameMenu_.get())
        return ActionResume;
    if (current_ == creditsMenu_.get() || current_ == optionsMenu_.get())
        return ActionBack;
    return ActionNone;  // the main menu has nothing behind it
}

void TMenu::CarryOut(int action, int32_t& appState) {
    switch (action) {
        case ActionNewGame:
            appState = StateNewGame;
            break;
        case ActionQuit:
            appState = StateQuit;
            break;
        case ActionResume:
            appState = StatePlaying;
            break;
        case ActionBack:
            SwitchTo(appState == StateMenu ? mainMenu_.get() : gameMenu_.get());
            break;
        case ActionOptions:
            SwitchTo(optionsMenu_.get());
            break;
        case ActionCredits:
            SwitchTo(creditsMenu_.get());
            break;
        case ActionControls:
            SwitchTo(controlsMenu_.get());
            break;
        case ActionEndGame:
            SwitchTo(mainMenu_.get());
            appState = StateEndGame;
            break;
        default:  // nothing, or not an action
            break;
    }
}

void TMenu::SwitchTo(TBaseMenu* screen) {
    current_ = screen;
    current_->Reset();
}

void TMenu::Draw() {
    if (!current_ || !HasGLContext(window_))
        return;
    Overlay& overlay = window_->GetOverlay();
    overlay.DrawFullScreenImage(textures_.background);
    overlay.PrintText(kVersionX, kVersionY, "%s", kVersionLine);
    current_->Draw();
    overlay.DrawImage(cursor_.x, cursor_.y, kCursorSize, kCursorSize, textures_.cursor);
}

TBaseMenu* TMenu::Screen(int screen) const {
    switch (screen) {
        case ScreenMain:
            return mainMenu_.get();
        case ScreenInGame:
            return gameMenu_.get();
        case ScreenOptions:
            return optionsMenu_.get();
        case ScreenCredits:
            return creditsMenu_.get();
        case ScreenControls:
            return controlsMenu_.get();
        default:
            return nullptr;
    }
}

void TMenu::Show(int screen) {
    if (TBaseMenu* shown = Screen(screen))
        SwitchTo(shown);
}
