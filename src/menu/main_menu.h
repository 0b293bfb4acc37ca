#pragma once
// The main menu: new game, an unused entry, credits, quit, and below them
// the controls.

#include "menu/base_menu.h"

class TMainMenu : public TBaseMenu {
public:
    explicit TMainMenu(const MenuRoot& root) : TBaseMenu(root) {}

    void Init(const MenuTextures& textures) override;
    void GetAction(int& action) override;
};
