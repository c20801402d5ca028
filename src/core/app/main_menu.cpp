#include "app/main_menu.h"

#include <array>

namespace tarvoline {

namespace {

using enum MenuCommand;

constexpr std::array kItems{
    MainMenuItem{"mnuFile", "", "ファイル(&F)", 0, "", false, File},
    MainMenuItem{"mnuListNew", "mnuFile", "新規ファイルリスト(&N)", 'N',
                 "印刷ファイルリストをクリアし、新規作成します。", false, ListNew},
    MainMenuItem{"mnuListOpen", "mnuFile", "ファイルリストを開く(&O)...", 'O',
                 "以前に保存した印刷ファイルリストを開きます", false, ListOpen},
    MainMenuItem{"mnuClose", "mnuFile", "ファイルリストを閉じる(&C)", 0, "", false, Close},
    MainMenuItem{"mnuListSave", "mnuFile", "ファイルリスト保存(&S)...", 'S', "印刷ファイルリストを保存します。", false,
                 ListSave},
    MainMenuItem{"mnuListSaveAs", "mnuFile", "名前を付けて保存(&A)...", 0,
                 "印刷ファイルリストを異なる名前で保存します。", false, ListSaveAs},
    MainMenuItem{"mnuSep1", "mnuFile", "-", 0, "", false, Sep1},
    MainMenuItem{"mnuAddFile", "mnuFile", "ファイルをファイルリストへ追加", 0, "ファイルリストへファイルを追加します",
                 false, AddFile},
    MainMenuItem{"mnuAddFold", "mnuFile", "フォルダをファイルリストへ追加", 0,
                 "フォルダを選択し、フォルダ内のファイルをリストへ追加", false, AddFold},
    MainMenuItem{"mnuDelFile", "mnuFile", "ファイルリストから削除", 0, "選択されているファイルをリストから削除します",
                 false, DelFile},
    MainMenuItem{"mnuSep4", "mnuFile", "-", 0, "", false, Sep4},
    MainMenuItem{"mnuTextRead", "mnuFile", "テキストファイルから読込", 0,
                 "印刷対象ファイルをテキストファイルから読み込みます。"
                 "テキストファイルにはフルパスで記載しておく必要があります。"
                 "テキストファイルは UTF-8 形式です。",
                 false, TextRead},
    MainMenuItem{"mnuTextSave", "mnuFile", "テキストファイルへ保存", 0,
                 "印刷対象ファイル名(フルパス）をテキストファイルへ保存します。", false, TextSave},
    MainMenuItem{"N1", "mnuFile", "-", 0, "", false, N1},
    MainMenuItem{"mnuPrint", "mnuFile", "印刷(&P)", 'P', "", false, Print},
    MainMenuItem{"mnuSep2", "mnuFile", "-", 0, "", false, Sep2},
    MainMenuItem{"mnuSep3", "mnuFile", "-", 0, "", true, Sep3},
    MainMenuItem{"mnuExit", "mnuFile", "終了(&X)", 0, "終了します", false, Exit},
    MainMenuItem{"mnuTool", "", "ツール(&T)", 0, "", false, Tool},
    MainMenuItem{"mnuSelAll", "mnuTool", "全選択（&A)", 'A', "", false, SelAll},
    MainMenuItem{"mnuPrintLog", "mnuTool", "印刷ログ表示", 0, "", false, PrintLog},
    MainMenuItem{"mnuOptions", "mnuTool", "オプション(&O)", 0, "動作全般のデフォルト設定を行います", false, Options},
    MainMenuItem{"mnuHelp", "", "ヘルプ(&H)", 0, "", false, Help},
    MainMenuItem{"mnuHelpHelp", "mnuHelp", "トピックの検索(&H)", 0, "ヘルプを表示します", false, HelpHelp},
    MainMenuItem{"N2", "mnuHelp", "-", 0, "", false, N2},
    MainMenuItem{"mnuAbout", "mnuHelp", "バージョン情報(&V)...", 0, "バージョン情報表示", false, About},
};

} // namespace

std::span<const MainMenuItem> MainMenuItems() {
    return kItems;
}

const MainMenuItem* FindMainMenuItem(std::string_view name) {
    for (const auto& item : kItems) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

const MainMenuItem* FindMainMenuItem(MenuCommand command) {
    if (command == MenuCommand::None)
        return nullptr;
    for (const auto& item : kItems) {
        if (item.command == command)
            return &item;
    }
    return nullptr;
}

std::string ShortcutText(const MainMenuItem& item) {
    if (item.ctrlKey == 0)
        return {};
    return std::string("Ctrl+") + item.ctrlKey;
}

std::string MenuItemText(const MainMenuItem& item) {
    std::string text(item.caption);
    if (item.ctrlKey != 0)
        text += '\t' + ShortcutText(item);
    return text;
}

std::string_view MenuHint(std::uint16_t commandId) {
    const MainMenuItem* item = FindMainMenuItem(static_cast<MenuCommand>(commandId));
    return item ? item->hint : std::string_view();
}

} // namespace tarvoline
