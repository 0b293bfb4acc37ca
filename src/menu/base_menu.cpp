#include "menu/base_menu.h"

#include "input/input_subsystem.h"
#include "render/gl_window.h"

namespace {

// Cursor to screen fractions, in single precision.
constexpr float kFractionPerUnitX = 0.00125f;
constexpr float kFractionPerUnitY = 0.0016666667f;

constexpr int kLeftButton = 0;
constexpr uint8_t kButtonDown = 0x80;

bool Contains(const MenuItem& item, float fx, float fy) {
    return item.left <= fx && fx <= item.right && item.top <= fy && fy <= item.bottom;
}

}  // namespace

TBaseMenu::TBaseMenu(const MenuRoot& root)
    : window(root.window), input(root.input), events(root.events), root(root) {}

void TBaseMenu::Init(const MenuTextures& newTextures) {
    textures = newTextures;
}

void TBaseMenu::BuildItems(const int* rows, int count, uint32_t sheet) {
    items.clear();
    for (int i = 0; i < count && i < kMainMenuItemCount; ++i) {
        const MenuRect& rect = kMenuItemRects[i];
        items.push_back({i == 0, rows[i], sheet, rect.left, rect.top, rect.right, rect.bottom});
    }
    entryCount = static_cast<int>(items.size()) - 1;
}

void TBaseMenu::Draw() {
    if (!window)
        return;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.title) {
            window->GetOverlay().DrawSheetTitle(item.left, item.top, item.right, item.bottom,
                                                item.texture);
        } else {
            window->GetOverlay().DrawSheetCell(item.row, selection == static_cast<int>(i),
                                               item.left, item.top, item.right, item.bottom,
                                               item.texture);
        }
    }
}

bool TBaseMenu::LeftButtonHeld() const {
    return input && (input->MouseState().buttons[kLeftButton] & kButtonDown) != 0;
}

void TBaseMenu::Update() {
    // A still mouse never overrides the keyboard's selection.
    const MenuCursor& cursor = *root.cursor;
    if (cursor.lastMotionX == 0 && cursor.lastMotionY == 0 && !LeftButtonHeld())
        return;
    const float fx = static_cast<float>(cursor.x) * kFractionPerUnitX;
    const float fy = static_cast<float>(cursor.y) * kFractionPerUnitY;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.title || !Contains(item, fx, fy))
            continue;
        selection = static_cast<int>(i);
        if (input && input->MouseButtonPressed(kLeftButton))
            activated = true;
        return;
    }
}

void TBaseMenu::Up() {
    --selection;
    if (selection == 0)
        selection = entryCount;
}

void TBaseMenu::Down() {
    ++selection;
    if (selection > entryCount)
        selection = 1;
}
