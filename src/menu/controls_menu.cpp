#include "menu/controls_menu.h"

#include "input/input.h"
#include "platform/input_devices.h"
#include "platform/message_box.h"
#include "render/gl_window.h"
#include "render/overlay.h"

namespace {

constexpr int kDikBackspace = 14;
constexpr int kDikDelete = 211;
constexpr char kNotSavedCaption[] = "Settings not saved";

// The main menu sheet's "Controls" row heads the screen.
constexpr int kHeadingRow = 6;

struct ControlRow {
    const char* label;
    int KeyBindings::*key;             // null: the key cannot be changed
    PadControlPair PadBindings::*pad;  // null: no pad control to change
    const char* fixedKey;              // shown without a key to change
    const char* fixedPad;              // shown without pad controls to change
};

constexpr ControlRow kRows[] = {
    {"Aim", nullptr, nullptr, "Mouse", "Right stick"},
    {"Fire (or left mouse button)", &KeyBindings::fire, &PadBindings::fire, nullptr, nullptr},
    {"Let go (or right mouse button)", &KeyBindings::letGo, &PadBindings::letGo, nullptr, nullptr},
    {"Reel in", &KeyBindings::up, &PadBindings::up, nullptr, nullptr},
    {"Reel out", &KeyBindings::down, &PadBindings::down, nullptr, nullptr},
    {"Swing left", &KeyBindings::left, &PadBindings::left, nullptr, nullptr},
    {"Swing right", &KeyBindings::right, &PadBindings::right, nullptr, nullptr},
    {"Aim lock", &KeyBindings::lock, &PadBindings::lock, nullptr, nullptr},
    {"Start the level", &KeyBindings::startGame, nullptr, nullptr, "Any of the above"},
    {"Restart the level", &KeyBindings::reset, &PadBindings::reset, nullptr, nullptr},
    {"Pause", nullptr, &PadBindings::pause, "Escape", nullptr},
    {"Next song", &KeyBindings::nextSong, nullptr, nullptr, ""},
    {"Previous song", &KeyBindings::prevSong, nullptr, nullptr, ""},
    {"Play music", &KeyBindings::playSong, nullptr, nullptr, ""},
    {"Stop music", &KeyBindings::stopSong, nullptr, nullptr, ""},
};
constexpr int kActionRows = static_cast<int>(sizeof kRows / sizeof kRows[0]);
constexpr int kFirstChosenRow = 1;  // fire

// The layout, in units of the 800 x 600 virtual screen: the left edge of
// each column (the label first), the rows' top and height.
constexpr int kColumnLeft[TControlsMenu::kColumnCount + 1] = {90, 340, 480, 630};
constexpr int kMarkerLeft = 72;
constexpr int kHeadingsTop = 100;
constexpr int kFirstRowTop = 122;
constexpr int kRowHeight = 22;
constexpr int kHelpTop = 500;
constexpr int kStatusTop = 525;

int RowTop(int row) {
    return kFirstRowTop + row * kRowHeight;
}

std::string KeyText(int code) {
    if (code == 0)
        return "-";
    const std::string name = DikName(code);
    return name.empty() ? "Key " + std::to_string(code) : name;
}

// A pair keeps its one control first.
void Tidy(PadControlPair& pair) {
    if (pair.first == PadNone) {
        pair.first = pair.second;
        pair.second = PadNone;
    }
}

int& Slot(PadControlPair& pair, int column) {
    return column == TControlsMenu::PadColumn ? pair.first : pair.second;
}

}  // namespace

int TControlsMenu::RowCount() {
    return kActionRows + 2;
}

void TControlsMenu::Reset() {
    keys_ = ReadKeyBindings();
    pad_ = ReadPadBindings();
    row_ = kFirstChosenRow;
    column_ = KeyColumn;
    waiting_ = false;
    done_ = false;
    status_.clear();
}

void TControlsMenu::GetAction(int& action) {
    if (done_)
        action = ActionBack;
    done_ = false;
    activated = false;
}

std::string TControlsMenu::CellText(int row, int column) const {
    if (row == SaveRow())
        return column < 0 ? "Save" : "";
    if (row == CancelRow())
        return column < 0 ? "Cancel" : "";
    if (row < 0 || row >= kActionRows)
        return "";
    const ControlRow& entry = kRows[row];
    if (column < 0)
        return entry.label;
    if (column == KeyColumn)
        return entry.key ? KeyText(keys_.*entry.key) : entry.fixedKey;
    if (!entry.pad)
        return column == PadColumn ? entry.fixedPad : "";
    const PadControlPair& pair = pad_.*entry.pad;
    return PadControlLabel(column == PadColumn ? pair.first : pair.second);
}

bool TControlsMenu::Pressed(int key, int padControl) const {
    return input->KeyPressed(key) || input->PadPressed(padControl);
}

void TControlsMenu::Update() {
    if (!input)
        return;
    if (waiting_) {
        TakeBinding();
        return;
    }
    FollowMouse();
    Navigate();
}

void TControlsMenu::Navigate() {
    if (Pressed(DIK_UP, PadDpadUp))
        row_ = row_ == 0 ? RowCount() - 1 : row_ - 1;
    if (Pressed(DIK_DOWN, PadDpadDown))
        row_ = row_ == RowCount() - 1 ? 0 : row_ + 1;
    if (Pressed(DIK_LEFT, PadDpadLeft) && column_ > KeyColumn)
        --column_;
    if (Pressed(DIK_RIGHT, PadDpadRight) && column_ < SecondPadColumn)
        ++column_;
    if (Pressed(DIK_RETURN, PadA))
        Choose();
    else if (Pressed(kDikDelete, PadX) || input->KeyPressed(kDikBackspace))
        Clear();
    else if (Pressed(DIK_ESCAPE, PadB))
        Leave();
}

void TControlsMenu::FollowMouse() {
    const MenuCursor& cursor = *root.cursor;
    const bool clicked = input->MouseButtonPressed(0);
    if (cursor.lastMotionX == 0 && cursor.lastMotionY == 0 && !clicked)
        return;
    if (cursor.y < RowTop(0) || cursor.y >= RowTop(RowCount()) || cursor.x < kMarkerLeft)
        return;
    row_ = (cursor.y - RowTop(0)) / kRowHeight;
    column_ = KeyColumn;
    for (int column = PadColumn; column < kColumnCount; ++column) {
        if (cursor.x >= kColumnLeft[column + 1])
            column_ = column;
    }
    if (clicked)
        Choose();
}

void TControlsMenu::Choose() {
    if (row_ == SaveRow()) {
        Save();
        return;
    }
    if (row_ == CancelRow()) {
        Leave();
        return;
    }
    const ControlRow& entry = kRows[row_];
    waiting_ = column_ == KeyColumn ? entry.key != nullptr : entry.pad != nullptr;
}

void TControlsMenu::Clear() {
    if (row_ >= kActionRows)
        return;
    const ControlRow& entry = kRows[row_];
    if (column_ == KeyColumn && entry.key) {
        keys_.*entry.key = 0;
    } else if (column_ != KeyColumn && entry.pad) {
        PadControlPair& pair = pad_.*entry.pad;
        Slot(pair, column_) = PadNone;
        Tidy(pair);
    }
}

void TControlsMenu::TakeBinding() {
    if (input->KeyPressed(DIK_ESCAPE)) {  // the cell stays as it was
        waiting_ = false;
        return;
    }
    if (column_ == KeyColumn) {
        // The game's own keys stay its own: Print Screen, and H for the outlines.
        for (int code = 1; code < 256; ++code) {
            if (code != DIK_SYSRQ && code != DIK_H && input->KeyPressed(code)) {
                BindKey(code);
                return;
            }
        }
        return;
    }
    for (int control = PadNone + 1; control < kPadControlCount; ++control) {
        if (input->PadPressed(control)) {
            BindPad(control);
            return;
        }
    }
}

void TControlsMenu::BindKey(int code) {
    for (const ControlRow& entry : kRows) {
        if (entry.key && keys_.*entry.key == code)
            keys_.*entry.key = 0;
    }
    keys_.*kRows[row_].key = code;
    waiting_ = false;
    status_ = std::string(kRows[row_].label) + ": " + KeyText(code);
}

void TControlsMenu::BindPad(int control) {
    for (const ControlRow& entry : kRows) {
        if (!entry.pad)
            continue;
        PadControlPair& pair = pad_.*entry.pad;
        for (int* slot : {&pair.first, &pair.second}) {
            if (*slot == control)
                *slot = PadNone;
        }
        Tidy(pair);
    }
    PadControlPair& pair = pad_.*kRows[row_].pad;
    Slot(pair, column_) = control;
    Tidy(pair);
    waiting_ = false;
    status_ = std::string(kRows[row_].label) + ": " + PadControlLabel(control);
}

void TControlsMenu::Save() {
    std::string error;
    if (WriteControlSettings(keys_, pad_, error)) {
        Leave();
        return;
    }
    status_ = "Not saved: " + error;
    ShowMessageBox(error.c_str(), kNotSavedCaption, MB_OK | MB_ICONWARNING);
}

void TControlsMenu::Draw() {
    if (!window)
        return;
    Overlay& overlay = window->GetOverlay();
    overlay.DrawSheetCell(kHeadingRow, false, 0.25f, 0.03f, 0.75f, 0.14f, textures.mainSheet);
    // The layout is in virtual-screen units; text is placed in window pixels.
    const auto print = [&](int x, int y, const std::string& text) {
        overlay.PrintText(x * window->width / kVirtualScreenWidth,
                          y * window->height / kVirtualScreenHeight, "%s", text.c_str());
    };
    print(kColumnLeft[0], kHeadingsTop, "Action");
    print(kColumnLeft[1 + KeyColumn], kHeadingsTop, "Key");
    print(kColumnLeft[1 + PadColumn], kHeadingsTop, "Pad");
    print(kColumnLeft[1 + SecondPadColumn], kHeadingsTop, "Pad");
    for (int row = 0; row < RowCount(); ++row) {
        const int top = RowTop(row);
        if (row == row_)
            print(kMarkerLeft, top, ">");
        print(kColumnLeft[0], top, CellText(row, -1));
        for (int column = KeyColumn; column < kColumnCount; ++column) {
            std::string text = CellText(row, column);
            if (row == row_ && column == column_ && row < kActionRows) {
                if (waiting_)
                    text = column == KeyColumn ? "press a key" : "press on the pad";
                text = "[" + text + "]";
            }
            print(kColumnLeft[1 + column], top, text);
        }
    }
    print(kColumnLeft[0], kHelpTop,
          waiting_ ? "Escape: keep it as it was"
                   : "Return or A: change   Delete or X: clear   Escape or B: cancel");
    print(kColumnLeft[0], kStatusTop, status_);
}
