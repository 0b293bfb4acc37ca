#include "menu/main_menu.h"

namespace {
constexpr int kSheetRows[kMainMenuItemCount] = {0, 1, 2, 4, 5, 6};
}

void TMainMenu::Init(const MenuTextures& newTextures) {
    TBaseMenu::Init(newTextures);
    BuildItems(kSheetRows, textures.mainSheet);
}

void TMainMenu::GetAction(int& action) {
    if (activated) {
        switch (selection) {
            case 1:
                action = ActionNewGame;
                break;
            case 3:
                action = ActionCredits;
                break;
            case 4:
                action = ActionQuit;
                break;
            case 5:
                action = ActionControls;
                break;
            default:  // entry 2 leads nowhere
                break;
        }
    }
    activated = false;
}
