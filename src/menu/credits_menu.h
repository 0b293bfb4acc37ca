#pragma once
// The credits: one full-screen picture; a left click or Return goes back.

#include "menu/base_menu.h"

class TCreditsMenu : public TBaseMenu {
public:
    explicit TCreditsMenu(const MenuRoot& root) : TBaseMenu(root) {}

    void GetAction(int& action) override;
    void Draw() override;
    void Update() override;
    void Up() override {}
    void Down() override {}
    void Reset() override {}
};
