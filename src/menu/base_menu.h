#pragma once
// A list screen: a title and entries cut from one menu sheet, a selection the
// arrow keys move round and the mouse picks, and an activation the menu root
// turns into an action once per frame.

#include <vector>

#include "menu/base.h"
#include "menu/menu_item.h"

class TBaseMenu : public TBase {
public:
    // Copies the window, the input and the event list from the root.
    explicit TBaseMenu(const MenuRoot& root);
    ~TBaseMenu() override = default;

    // Stores the pictures and builds the items.
    virtual void Init(const MenuTextures& textures);
    // Writes the action of an activation, if any; always clears activated.
    virtual void GetAction(int& action) = 0;
    // Draws every item, the selected entry highlighted.
    virtual void Draw();
    // Mouse hover selects, a left click on an entry activates it.
    virtual void Update();
    virtual void Up();
    virtual void Down();
    virtual void Left() {}
    virtual void Right() {}
    virtual void Activate() { activated = true; }
    virtual void Reset() { selection = 1; }
    // A screen that reads every key and pad control itself: the menu root
    // then neither quits on Escape nor moves it with the arrows.
    virtual bool HandlesOwnKeys() const { return false; }

    int Selection() const { return selection; }
    bool Activated() const { return activated; }

protected:
    // The title and the entries from the sheet rows of items 0, 1, 2, ...
    template <int Count>
    void BuildItems(const int (&rows)[Count], uint32_t sheet) {
        BuildItems(rows, Count, sheet);
    }
    void BuildItems(const int* rows, int count, uint32_t sheet);
    bool LeftButtonHeld() const;

    GLWindow* window;
    InputSubsystem* input;
    EventList* events;
    int selection = 1;
    MenuTextures textures;
    MenuRoot root;
    std::vector<MenuItem> items;
    bool activated = false;
    int entryCount = 0;
};
