#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/main_menu.h"

namespace tarvoline {
namespace {

struct ExpectedItem {
    const char* name;
    const char* parent;
    const char* caption;
    const char* shortcut;
    const char* hint;
};

// The whole menu in order; a wrong caption, hint, shortcut, nesting or order fails here.
const ExpectedItem kExpected[] = {
    {"mnuFile", "", "ファイル(&F)", "", ""},
    {"mnuListNew", "mnuFile", "新規ファイルリスト(&N)", "Ctrl+N", "印刷ファイルリストをクリアし、新規作成します。"},
    {"mnuListOpen", "mnuFile", "ファイルリストを開く(&O)...", "Ctrl+O", "以前に保存した印刷ファイルリストを開きます"},
    {"mnuClose", "mnuFile", "ファイルリストを閉じる(&C)", "", ""},
    {"mnuListSave", "mnuFile", "ファイルリスト保存(&S)...", "Ctrl+S", "印刷ファイルリストを保存します。"},
    {"mnuListSaveAs", "mnuFile", "名前を付けて保存(&A)...", "", "印刷ファイルリストを異なる名前で保存します。"},
    {"mnuSep1", "mnuFile", "-", "", ""},
    {"mnuAddFile", "mnuFile", "ファイルをファイルリストへ追加", "", "ファイルリストへファイルを追加します"},
    {"mnuAddFold", "mnuFile", "フォルダをファイルリストへ追加", "",
     "フォルダを選択し、フォルダ内のファイルをリストへ追加"},
    {"mnuDelFile", "mnuFile", "ファイルリストから削除", "", "選択されているファイルをリストから削除します"},
    {"mnuSep4", "mnuFile", "-", "", ""},
    {"mnuTextRead", "mnuFile", "テキストファイルから読込", "",
     "印刷対象ファイルをテキストファイルから読み込みます。テキストファイルにはフルパスで記載しておく必要があります。"
     "テキストファイルは UTF-8 形式です。"},
    {"mnuTextSave", "mnuFile", "テキストファイルへ保存", "",
     "印刷対象ファイル名(フルパス）をテキストファイルへ保存します。"},
    {"N1", "mnuFile", "-", "", ""},
    {"mnuPrint", "mnuFile", "印刷(&P)", "Ctrl+P", ""},
    {"mnuSep2", "mnuFile", "-", "", ""},
    {"mnuSep3", "mnuFile", "-", "", ""},
    {"mnuExit", "mnuFile", "終了(&X)", "", "終了します"},
    {"mnuTool", "", "ツール(&T)", "", ""},
    {"mnuSelAll", "mnuTool", "全選択（&A)", "Ctrl+A", ""},
    {"mnuPrintLog", "mnuTool", "印刷ログ表示", "", ""},
    {"mnuOptions", "mnuTool", "オプション(&O)", "", "動作全般のデフォルト設定を行います"},
    {"mnuHelp", "", "ヘルプ(&H)", "", ""},
    {"mnuHelpHelp", "mnuHelp", "トピックの検索(&H)", "", "ヘルプを表示します"},
    {"N2", "mnuHelp", "-", "", ""},
    {"mnuAbout", "mnuHelp", "バージョン情報(&V)...", "", "バージョン情報表示"},
};

TEST(MainMenuTest, ItemsMatchTheMenuInOrder) {
    const auto items = MainMenuItems();
    ASSERT_EQ(items.size(), std::size(kExpected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(kExpected[i].name);
        EXPECT_EQ(items[i].name, kExpected[i].name);
        EXPECT_EQ(items[i].parent, kExpected[i].parent);
        EXPECT_EQ(items[i].caption, kExpected[i].caption);
        EXPECT_EQ(ShortcutText(items[i]), kExpected[i].shortcut);
        EXPECT_EQ(items[i].hint, kExpected[i].hint);
        EXPECT_EQ(items[i].IsSeparator(), std::string(kExpected[i].caption) == "-");
    }
}

TEST(MainMenuTest, MenuBarHasFileToolAndHelpAndEveryItemFollowsItsMenu) {
    std::vector<std::string_view> topLevel;
    std::string_view currentMenu;
    for (const auto& item : MainMenuItems()) {
        if (item.IsTopLevel()) {
            topLevel.push_back(item.name);
            currentMenu = item.name;
            EXPECT_FALSE(item.IsSeparator());
        } else {
            EXPECT_EQ(item.parent, currentMenu) << item.name;
        }
    }
    EXPECT_EQ(topLevel, (std::vector<std::string_view>{"mnuFile", "mnuTool", "mnuHelp"}));
}

// The captions are code page 932 bytes; full-width and ASCII parentheses are mixed on purpose,
// and a trail byte 0x5C (表) must not be mistaken for a backslash.
TEST(MainMenuTest, CaptionsAreCodePage932Bytes) {
    EXPECT_EQ(FindMainMenuItem("mnuSelAll")->caption, "\x91\x53\x91\x49\x91\xf0\x81\x69&A)");
    EXPECT_EQ(FindMainMenuItem("mnuPrintLog")->caption, "\x88\xf3\x8d\xfc\x83\x8d\x83\x4f\x95\x5c\x8e\xa6");
}

TEST(MainMenuTest, OnlyMnuSep3StartsHidden) {
    for (const auto& item : MainMenuItems()) {
        EXPECT_EQ(item.hiddenInitially, item.name == "mnuSep3") << item.name;
    }
}

TEST(MainMenuTest, CommandIdsAreUniqueAndFindTheirItem) {
    std::set<MenuCommand> seen;
    for (const auto& item : MainMenuItems()) {
        EXPECT_NE(item.command, MenuCommand::None) << item.name;
        EXPECT_TRUE(seen.insert(item.command).second) << item.name;
        EXPECT_EQ(FindMainMenuItem(item.command), &item);
        EXPECT_EQ(FindMainMenuItem(item.name), &item);
    }
    EXPECT_EQ(static_cast<int>(MenuCommand::ListNew), 101);
    EXPECT_EQ(static_cast<int>(MenuCommand::Exit), 117);
    EXPECT_EQ(static_cast<int>(MenuCommand::About), 303);
}

TEST(MainMenuTest, UnknownNamesAndIdsFindNothing) {
    EXPECT_EQ(FindMainMenuItem("mnuNothing"), nullptr);
    EXPECT_EQ(FindMainMenuItem(""), nullptr);
    EXPECT_EQ(FindMainMenuItem(MenuCommand::None), nullptr);
    EXPECT_EQ(FindMainMenuItem(static_cast<MenuCommand>(999)), nullptr);
}

TEST(MainMenuTest, ShortcutsAreTheFiveCtrlLetters) {
    std::vector<std::pair<std::string_view, char>> shortcuts;
    for (const auto& item : MainMenuItems()) {
        if (item.ctrlKey != 0)
            shortcuts.emplace_back(item.name, item.ctrlKey);
    }
    const std::vector<std::pair<std::string_view, char>> expected{
        {"mnuListNew", 'N'}, {"mnuListOpen", 'O'}, {"mnuListSave", 'S'}, {"mnuPrint", 'P'}, {"mnuSelAll", 'A'}};
    EXPECT_EQ(shortcuts, expected);
}

TEST(MainMenuTest, MenuItemTextPutsTheShortcutAfterATab) {
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"mnuListNew", "新規ファイルリスト(&N)\tCtrl+N"},
        {"mnuSelAll", "全選択（&A)\tCtrl+A"},
        {"mnuClose", "ファイルリストを閉じる(&C)"},
        {"mnuSep1", "-"},
        {"mnuFile", "ファイル(&F)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuItemText(*FindMainMenuItem(c.name)), c.text) << c.name;
    }
}

TEST(MainMenuTest, MenuHintLooksUpByCommandId) {
    EXPECT_EQ(MenuHint(101), "印刷ファイルリストをクリアし、新規作成します。");
    EXPECT_EQ(MenuHint(static_cast<std::uint16_t>(MenuCommand::Exit)), "終了します");
    EXPECT_EQ(MenuHint(static_cast<std::uint16_t>(MenuCommand::Print)), "");
    EXPECT_EQ(MenuHint(static_cast<std::uint16_t>(MenuCommand::Sep1)), "");
    EXPECT_EQ(MenuHint(0), "");
    EXPECT_EQ(MenuHint(65535), "");
}

} // namespace
} // namespace tarvoline
