#pragma once
// The controls screen, reached from the main menu: every action with its key
// and its two pad controls. Choosing a cell (Return, A or a click) waits for
// the new key or pad control, and the next one pressed takes the cell, and
// leaves any other action that had it (Escape, Print Screen and H stay the
// game's own); Delete, Backspace or X clears a cell.
// "Save" writes the bindings into settings.ini; Escape, B or "Cancel" leave
// without writing. The screen reads all its keys itself.

#include <string>

#include "core/settings.h"
#include "menu/base_menu.h"

class TControlsMenu : public TBaseMenu {
public:
    // The columns of a row.
    enum Column : int { KeyColumn, PadColumn, SecondPadColumn, kColumnCount };

    explicit TControlsMenu(const MenuRoot& root) : TBaseMenu(root) {}

    void GetAction(int& action) override;  // back, once saved or cancelled
    void Draw() override;
    void Update() override;
    // Reads the bindings from settings.ini; the first cell is chosen.
    void Reset() override;
    bool HandlesOwnKeys() const override { return true; }

    // The rows: the actions, then "Save" and "Cancel".
    static int RowCount();
    static int SaveRow() { return RowCount() - 2; }
    static int CancelRow() { return RowCount() - 1; }
    int Row() const { return row_; }
    int Column() const { return column_; }
    bool Waiting() const { return waiting_; }
    // What a cell shows: the row's label, or its key or pad control.
    std::string CellText(int row, int column) const;
    const KeyBindings& Keys() const { return keys_; }
    const PadBindings& Pad() const { return pad_; }

private:
    void Navigate();
    void Choose();
    void Clear();
    void TakeBinding();
    void BindKey(int code);
    void BindPad(int control);
    void Save();
    void Leave() { done_ = true; }
    bool Pressed(int key, int padControl) const;
    void FollowMouse();

    KeyBindings keys_;
    PadBindings pad_;
    int row_ = 0;
    int column_ = KeyColumn;
    bool waiting_ = false;
    bool done_ = false;
    std::string status_;  // the last change, or why saving failed
};
