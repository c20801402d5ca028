#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "main_menu_win32.h"

namespace tarvoline {
namespace {

std::wstring ItemText(HMENU menu, int position) {
    wchar_t buffer[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), buffer, 256, MF_BYPOSITION);
    return buffer;
}

MENUITEMINFOW ItemInfo(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
    EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
    return info;
}

struct ExpectedEntry {
    const wchar_t* text; // nullptr: a separator
    MenuCommand command;
};

// The texts are compared as UTF-16, so they prove the system turns the code page 932 captions into
// the right characters.
TEST(MainMenuWin32Test, MenuBarHoldsTheCaptionsShortcutsAndCommandIds) {
    ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8";
    const UniqueMenu bar = BuildMenuBar(MainMenuItems());
    ASSERT_TRUE(bar);

    const std::vector<ExpectedEntry> top{
        {L"ファイル(&F)", MenuCommand::File}, {L"ツール(&T)", MenuCommand::Tool}, {L"ヘルプ(&H)", MenuCommand::Help}};
    const std::vector<std::vector<ExpectedEntry>> popups{
        {{L"新規ファイルリスト(&N)\tCtrl+N", MenuCommand::ListNew},
         {L"ファイルリストを開く(&O)...\tCtrl+O", MenuCommand::ListOpen},
         {L"ファイルリストを閉じる(&C)", MenuCommand::Close},
         {L"ファイルリスト保存(&S)...\tCtrl+S", MenuCommand::ListSave},
         {L"名前を付けて保存(&A)...", MenuCommand::ListSaveAs},
         {nullptr, MenuCommand::Sep1},
         {L"ファイルをファイルリストへ追加", MenuCommand::AddFile},
         {L"フォルダをファイルリストへ追加", MenuCommand::AddFold},
         {L"ファイルリストから削除", MenuCommand::DelFile},
         {nullptr, MenuCommand::Sep4},
         {L"テキストファイルから読込", MenuCommand::TextRead},
         {L"テキストファイルへ保存", MenuCommand::TextSave},
         {nullptr, MenuCommand::N1},
         {L"印刷(&P)\tCtrl+P", MenuCommand::Print},
         {nullptr, MenuCommand::Sep2},
         // mnuSep3 stays out until there are recent files.
         {L"終了(&X)", MenuCommand::Exit}},
        {{L"全選択（&A)\tCtrl+A", MenuCommand::SelAll},
         {L"印刷ログ表示", MenuCommand::PrintLog},
         {L"オプション(&O)", MenuCommand::Options}},
        {{L"トピックの検索(&H)", MenuCommand::HelpHelp},
         {nullptr, MenuCommand::N2},
         {L"バージョン情報(&V)...", MenuCommand::About}},
    };

    ASSERT_EQ(GetMenuItemCount(bar.get()), static_cast<int>(top.size()));
    for (int i = 0; i < static_cast<int>(top.size()); ++i) {
        EXPECT_EQ(ItemText(bar.get(), i), top[i].text);
        const MENUITEMINFOW info = ItemInfo(bar.get(), i);
        EXPECT_EQ(info.wID, static_cast<UINT>(top[i].command));
        ASSERT_NE(info.hSubMenu, nullptr);

        const auto& expected = popups[i];
        ASSERT_EQ(GetMenuItemCount(info.hSubMenu), static_cast<int>(expected.size())) << i;
        for (int j = 0; j < static_cast<int>(expected.size()); ++j) {
            SCOPED_TRACE(j);
            const MENUITEMINFOW item = ItemInfo(info.hSubMenu, j);
            EXPECT_EQ(item.wID, static_cast<UINT>(expected[j].command));
            EXPECT_EQ(item.hSubMenu, nullptr);
            if (expected[j].text) {
                EXPECT_EQ(item.fType & MFT_SEPARATOR, 0u);
                EXPECT_EQ(ItemText(info.hSubMenu, j), expected[j].text);
            } else {
                EXPECT_NE(item.fType & MFT_SEPARATOR, 0u);
            }
        }
    }
}

TEST(MainMenuWin32Test, AcceleratorsAreCtrlLettersSendingTheCommandIds) {
    const UniqueAccelerators accelerators = BuildAccelerators(MainMenuItems());
    ASSERT_TRUE(accelerators);
    ACCEL table[16] = {};
    const int count = CopyAcceleratorTableW(accelerators.get(), table, 16);
    struct {
        WORD key;
        MenuCommand command;
    } const expected[] = {{'N', MenuCommand::ListNew},
                          {'O', MenuCommand::ListOpen},
                          {'S', MenuCommand::ListSave},
                          {'P', MenuCommand::Print},
                          {'A', MenuCommand::SelAll}};
    ASSERT_EQ(count, 5);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(table[i].fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT), FVIRTKEY | FCONTROL) << i;
        EXPECT_EQ(table[i].key, expected[i].key) << i;
        EXPECT_EQ(table[i].cmd, static_cast<WORD>(expected[i].command)) << i;
    }
}

TEST(MainMenuWin32Test, AnItemBeforeItsMenuIsRejected) {
    const MainMenuItem orphan[] = {{"mnuLost", "mnuNowhere", "x", 0, "", false, MenuCommand::ListNew}};
    EXPECT_THROW(BuildMenuBar(orphan), std::runtime_error);
}

TEST(MainMenuWin32Test, NoShortcutsGiveNoTable) {
    const MainMenuItem plain[] = {{"mnuFile", "", "x", 0, "", false, MenuCommand::File}};
    EXPECT_FALSE(BuildAccelerators(plain));
}

} // namespace
} // namespace tarvoline
