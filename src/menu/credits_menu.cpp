#include "menu/credits_menu.h"

#include "input/input_subsystem.h"
#include "render/gl_window.h"
#include "render/overlay.h"

void TCreditsMenu::GetAction(int& action) {
    if (activated)
        action = ActionBack;
    activated = false;
}

void TCreditsMenu::Draw() {
    if (window)
        window->GetOverlay().DrawImage(0, 0, kVirtualScreenWidth, kVirtualScreenHeight,
                                       textures.credits);
}

void TCreditsMenu::Update() {
    if (input && input->MouseButtonPressed(0))
        activated = true;
}
