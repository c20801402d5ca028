#include "main_menu_win32.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "base/wide_text.h"

namespace tarvoline {

namespace {

void AppendItem(HMENU menu, const MainMenuItem& item, HMENU popup) {
    std::wstring text = ToWide(MenuItemText(item));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE;
    info.wID = static_cast<UINT>(item.command);
    if (item.IsSeparator()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = MFT_STRING;
        info.dwTypeData = text.data();
    }
    if (popup) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = popup;
    }
    if (!InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) {
        throw std::runtime_error("InsertMenuItemW failed");
    }
}

} // namespace

UniqueMenu BuildMenuBar(std::span<const MainMenuItem> items) {
    UniqueMenu bar(CreateMenu());
    if (!bar)
        throw std::runtime_error("CreateMenu failed");

    struct Popup {
        std::string_view name;
        HMENU menu;
    };
    std::vector<Popup> popups;
    for (const auto& item : items) {
        if (item.IsTopLevel()) {
            UniqueMenu popup(CreatePopupMenu());
            if (!popup)
                throw std::runtime_error("CreatePopupMenu failed");
            AppendItem(bar.get(), item, popup.get());
            popups.push_back({item.name, popup.release()}); // the bar owns it now
            continue;
        }
        if (item.hiddenInitially)
            continue;
        HMENU parent = nullptr;
        for (const auto& popup : popups) {
            if (popup.name == item.parent)
                parent = popup.menu;
        }
        if (!parent)
            throw std::runtime_error("menu item before its menu");
        AppendItem(parent, item, nullptr);
    }
    return bar;
}

UniqueAccelerators BuildAccelerators(std::span<const MainMenuItem> items) {
    std::vector<ACCEL> table;
    for (const auto& item : items) {
        if (item.ctrlKey == 0)
            continue;
        // Virtual-key codes of letters are their upper-case ASCII codes.
        table.push_back(ACCEL{FVIRTKEY | FCONTROL, static_cast<WORD>(item.ctrlKey), static_cast<WORD>(item.command)});
    }
    if (table.empty())
        return {};
    UniqueAccelerators accelerators(CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
    if (!accelerators)
        throw std::runtime_error("CreateAcceleratorTableW failed");
    return accelerators;
}

} // namespace tarvoline
