#include "recent_menu_win32.h"

#include "app/main_menu.h"
#include "base/wide_text.h"

namespace tarvoline {

Win32FileMenuItems::Win32FileMenuItems(HMENU fileMenu) : menu_(fileMenu) {
    for (const MainMenuItem& item : MainMenuItems()) {
        if (item.parent != "mnuFile")
            continue;
        items_.push_back(
            Item{std::string(item.name), MenuItemText(item), static_cast<UINT>(item.command), !item.hiddenInitially});
    }
}

int Win32FileMenuItems::IndexOfName(const std::string& name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].name == name)
            return static_cast<int>(i);
    }
    return -1;
}

std::string Win32FileMenuItems::Caption(int index) const {
    return items_.at(static_cast<std::size_t>(index)).caption;
}

UINT Win32FileMenuItems::RealPosition(int index) const {
    UINT position = 0;
    for (int i = 0; i < index; ++i) {
        if (items_[static_cast<std::size_t>(i)].visible)
            ++position;
    }
    return position;
}

void Win32FileMenuItems::InsertReal(int index) {
    const Item& item = items_.at(static_cast<std::size_t>(index));
    std::wstring text = ToWide(item.caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE;
    info.wID = item.command;
    if (item.caption == "-") {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = MFT_STRING;
        info.dwTypeData = text.data();
    }
    InsertMenuItemW(menu_, RealPosition(index), TRUE, &info);
}

void Win32FileMenuItems::Delete(int index) {
    const auto at = items_.begin() + index;
    if (at->visible)
        DeleteMenu(menu_, RealPosition(index), MF_BYPOSITION);
    items_.erase(at);
}

void Win32FileMenuItems::InsertRecentFileItem(int index, const std::string& caption, int tag) {
    items_.insert(items_.begin() + index, Item{"", caption, kRecentFileCommandBase + static_cast<UINT>(tag), true});
    InsertReal(index);
}

void Win32FileMenuItems::SetVisible(int index, bool visible) {
    Item& item = items_.at(static_cast<std::size_t>(index));
    if (item.visible == visible)
        return;
    if (visible) {
        item.visible = true;
        InsertReal(index);
    } else {
        DeleteMenu(menu_, RealPosition(index), MF_BYPOSITION);
        item.visible = false;
    }
}

int MenuTextWidth(std::string_view text) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    const HDC screen = GetDC(nullptr);
    const HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    const HGDIOBJ old = SelectObject(screen, font);
    const std::wstring wide = ToWide(text);
    SIZE size{};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

} // namespace tarvoline
