#pragma once
// The in-game menu over the paused game: resume, restart the level, an
// unused entry, end the game.

#include "menu/base_menu.h"

class TGameMenu : public TBaseMenu {
public:
    explicit TGameMenu(const MenuRoot& root) : TBaseMenu(root) {}

    void Init(const MenuTextures& textures) override;
    // Restart appends a restart event for the game, then resumes.
    void GetAction(int& action) override;
};
