#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/settings_windows.h"

namespace tarvoline {

// Command ids of the recent-file items: the base plus the item's tag.
constexpr UINT kRecentFileCommandBase = 0x7000;
constexpr UINT kRecentFileCommandLast = 0x7FFF;

// The File menu by position as the settings store rebuilds it. A Win32 menu cannot hide an item, so the
// items that are hidden (mnuSep3 while there are no recent files) are kept here and left out of the
// real menu; positions count every item, hidden ones included.
class Win32FileMenuItems final : public MenuItems {
public:
    // The items of the menu named "mnuFile" in the main menu's order; the real menu holds the visible ones.
    explicit Win32FileMenuItems(HMENU fileMenu);

    int Count() const override { return static_cast<int>(items_.size()); }
    int IndexOfName(const std::string& name) const override;
    std::string Caption(int index) const override;
    void Delete(int index) override;
    void InsertRecentFileItem(int index, const std::string& caption, int tag) override;
    void SetVisible(int index, bool visible) override;

private:
    struct Item {
        std::string name;
        std::string caption;
        UINT command;
        bool visible;
    };
    // Position in the real menu of the item at index (the visible items before it).
    UINT RealPosition(int index) const;
    void InsertReal(int index);

    HMENU menu_;
    std::vector<Item> items_;
};

// Width of a text in the menu font, for shortening recent paths.
int MenuTextWidth(std::string_view text);

} // namespace tarvoline
