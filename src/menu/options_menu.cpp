#include "menu/options_menu.h"

#include "input/input_subsystem.h"

namespace {
constexpr int kSheetRows[kMenuItemCount] = {0, 1, 2, 3, 4};
constexpr int kBackEntry = 4;
}  // namespace

void TOptionsMenu::Init(const MenuTextures& newTextures) {
    TBaseMenu::Init(newTextures);
    BuildItems(kSheetRows, textures.optionsSheet);
}

void TOptionsMenu::GetAction(int& action) {
    // Without items there is nothing to choose, so the screen is never a dead end.
    if (activated && (items.empty() || selection == kBackEntry))
        action = ActionBack;
    activated = false;
}

void TOptionsMenu::Update() {
    if (items.empty()) {
        if (input && input->MouseButtonPressed(0))
            activated = true;
        return;
    }
    TBaseMenu::Update();
}
