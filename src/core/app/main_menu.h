#pragma once
// The main window's menu (MainMenu1) as data. The Win32 layer builds the menu bar and the accelerator
// table from it; the status bar shows an item's hint while the item is highlighted.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tarvoline {

// Command ids of the menu items. They travel in WM_COMMAND and WM_MENUSELECT, so they never change.
enum class MenuCommand : std::uint16_t {
    None = 0,
    File = 100,
    ListNew = 101,
    ListOpen = 102,
    Close = 103,
    ListSave = 104,
    ListSaveAs = 105,
    Sep1 = 106,
    AddFile = 107,
    AddFold = 108,
    DelFile = 109,
    Sep4 = 110,
    TextRead = 111,
    TextSave = 112,
    N1 = 113,
    Print = 114,
    Sep2 = 115,
    Sep3 = 116,
    Exit = 117,
    Tool = 200,
    SelAll = 201,
    PrintLog = 202,
    Options = 203,
    Help = 300,
    HelpHelp = 301,
    N2 = 302,
    About = 303,
};

struct MainMenuItem {
    std::string_view name;    // the item's name, e.g. "mnuListNew"
    std::string_view parent;  // the menu it belongs to; "" for a menu of the menu bar
    std::string_view caption; // code page 932; "-" makes the item a separator
    char ctrlKey;             // the shortcut is Ctrl + this upper-case letter; 0 = no shortcut
    std::string_view hint;    // status bar text while the item is highlighted
    bool hiddenInitially;     // mnuSep3 stays hidden until there are recent files
    MenuCommand command;

    bool IsSeparator() const { return caption == "-"; }
    bool IsTopLevel() const { return parent.empty(); }
};

// Every item in menu order: each menu of the menu bar, followed by its own items.
std::span<const MainMenuItem> MainMenuItems();

// nullptr when there is no such item.
const MainMenuItem* FindMainMenuItem(std::string_view name);
const MainMenuItem* FindMainMenuItem(MenuCommand command);

// "Ctrl+N"; "" for an item without a shortcut.
std::string ShortcutText(const MainMenuItem& item);
// The text a menu shows: the caption, and the shortcut right-aligned after a tab.
std::string MenuItemText(const MainMenuItem& item);
// The hint of the item with this command id; "" for separators, menus and unknown ids.
std::string_view MenuHint(std::uint16_t commandId);

} // namespace tarvoline
