#include "menu/game_menu.h"

#include "core/event_list.h"

namespace {
constexpr int kSheetRows[kMenuItemCount] = {0, 1, 2, 3, 5};
}

void TGameMenu::Init(const MenuTextures& newTextures) {
    TBaseMenu::Init(newTextures);
    BuildItems(kSheetRows, textures.gameSheet);
}

void TGameMenu::GetAction(int& action) {
    if (activated) {
        switch (selection) {
            case 1:
                action = ActionResume;
                break;
            case 2: {
                GameEvent restart;
                restart.type = EventRestart;
                if (events)
                    events->Append(restart);
                action = ActionResume;
                break;
            }
            case 4:
                action = ActionEndGame;
                break;
            default:  // entry 3 leads nowhere
                break;
        }
    }
    activated = false;
}
