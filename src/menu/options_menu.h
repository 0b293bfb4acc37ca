#pragma once
// The options screen. No entry of another screen leads to it and no sheet is
// shipped for it; the menu root never initialises it, so shown through
// TMenu::Show(2) it holds no items and any activation (Return or a left
// click) goes back. Initialised, it has the usual title and four entries, the
// fourth going back.

#include "menu/base_menu.h"

class TOptionsMenu : public TBaseMenu {
public:
    explicit TOptionsMenu(const MenuRoot& root) : TBaseMenu(root) {}

    void Init(const MenuTextures& textures) override;
    void GetAction(int& action) override;
    void Update() override;
};
