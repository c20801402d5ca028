// The options, print log and About windows as real modal windows over the settings store (on a
// registry in memory): a helper thread plays the user through the real controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "app/settings_store.h"
#include "base/wide_text.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/memory_file_system.h"
#include "forms/dialogs.h"
#include "forms/form_ids.h"
#include "platform/win32_file_system.h"
#include "window_driver.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

const std::string kLogKey = "HKCU\\Software\\Quendral\\Tarvoline\\V1\\MAIN\\WindowStatePrintLog";

class DialogsTest : public ::testing::Test {
protected:
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg{registry, mainWindow};
};

TEST_F(DialogsTest, OptionsShowTheSettingsAndOkStoresTheChoices) {
    reg.ExcelRangeDefault = 1;
    reg.FolderSubfolderDefault = true;
    reg.ShowPasswordOnList = false;
    reg.AllowOther = false;
    int refreshed = 0;
    int result = 0;
    Drive(
        L"オプション", [&] { result = ShowOptionsDialog(nullptr, reg, [&] { ++refreshed; }); },
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, 439);
            EXPECT_EQ(client.bottom, 424);
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_OPT_GRB_EXCEL)), L"Ｅｘｃｅｌ 印刷範囲デフォルト");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_OPT_MEMO)).substr(0, 8), L"標準サポートの拡");
            EXPECT_TRUE(Checked(dialog, IDC_OPT_RDO_BOOK));
            EXPECT_FALSE(Checked(dialog, IDC_OPT_RDO_ACTIVE));
            EXPECT_TRUE(Checked(dialog, IDC_OPT_CHK_FOLDSUB));
            EXPECT_FALSE(Checked(dialog, IDC_OPT_CHK_PASSWD));
            // Esc is not bound in this dialog.
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            EXPECT_TRUE(IsWindow(dialog));
            SendDlgItemMessageW(dialog, IDC_OPT_RDO_ACTIVE, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_OPT_CHK_FOLDSUB, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_OPT_CHK_PASSWD, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_OPT_CHK_OTHER, BM_CLICK, 0, 0);
            EXPECT_FALSE(Checked(dialog, IDC_OPT_RDO_BOOK));
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); // Enter
            WaitGone(dialog);
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(reg.ExcelRangeDefault, 2);
    EXPECT_FALSE(reg.FolderSubfolderDefault);
    EXPECT_TRUE(reg.ShowPasswordOnList);
    EXPECT_TRUE(reg.AllowOther);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(DialogsTest, OptionsCancelAndCloseBoxChangeNothing) {
    for (const bool closeBox : {false, true}) {
        reg.ShowPasswordOnList = false;
        int refreshed = 0;
        int result = 0;
        Drive(
            L"オプション", [&] { result = ShowOptionsDialog(nullptr, reg, [&] { ++refreshed; }); },
            [&](HWND dialog) {
                ASSERT_NE(dialog, nullptr);
                SendDlgItemMessageW(dialog, IDC_OPT_CHK_PASSWD, BM_CLICK, 0, 0);
                if (closeBox)
                    PostMessageW(dialog, WM_CLOSE, 0, 0);
                else
                    SendDlgItemMessageW(dialog, IDC_OPT_CANCEL, BM_CLICK, 0, 0);
                WaitGone(dialog);
            },
            IDC_OPT_CANCEL);
        EXPECT_EQ(result, 2) << closeBox;
        EXPECT_FALSE(reg.ShowPasswordOnList) << closeBox;
        EXPECT_EQ(refreshed, 0) << closeBox;
    }
}

TEST_F(DialogsTest, OptionsHelpLeavesTheDialogOpen) {
    int result = 0;
    Drive(
        L"オプション", [&] { result = ShowOptionsDialog(nullptr, reg, [] {}); },
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            // Wine has no working help viewer here: the button must neither hang nor close the dialog.
            SendDlgItemMessageW(dialog, IDC_OPT_HELP, BM_CLICK, 0, 0);
            EXPECT_TRUE(IsWindow(dialog));
            SendDlgItemMessageW(dialog, IDC_OPT_CANCEL, BM_CLICK, 0, 0);
            WaitGone(dialog);
        },
        IDC_OPT_CANCEL);
    EXPECT_EQ(result, 2);
}

TEST_F(DialogsTest, PrintLogShowsTheLinesGrowsWithTheWindowAndRemembersItsPlacement) {
    testing::FakeClock clock;
    testing::MemoryFileSystem files;
    c_print_log log(clock, files);
    log.AddLine("ファイルリスト印刷開始：C:\\帳票\\月次.lst");
    log.AddLine("印刷を完了しました。");
    Drive(
        L"印刷ログ", [&] { ShowPrintLogWindow(nullptr, reg, log); },
        [&](HWND window) {
            ASSERT_NE(window, nullptr);
            const HWND memo = GetDlgItem(window, IDC_LOG_MEMO);
            const HWND close = GetDlgItem(window, IDCANCEL);
            EXPECT_EQ(TextOf(memo), ToWide(log.GetText()));
            EXPECT_EQ(TextOf(close), L"閉じる");
            EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
            RECT client{};
            GetClientRect(window, &client);
            EXPECT_EQ(client.right, 931);
            EXPECT_EQ(client.bottom, 669);

            RECT frame{};
            GetWindowRect(window, &frame);
            SetWindowPos(window, nullptr, 10, 20, 700, 500, SWP_NOZORDER);
            RECT memoRect{}, buttonRect{};
            GetClientRect(window, &client);
            GetWindowRect(memo, &memoRect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&memoRect), 2);
            GetWindowRect(close, &buttonRect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&buttonRect), 2);
            EXPECT_EQ(memoRect.right, client.right);
            EXPECT_LT(memoRect.bottom, buttonRect.top);
            EXPECT_NEAR((buttonRect.left + buttonRect.right) / 2, client.right / 2, 1);
            EXPECT_LE(client.bottom - buttonRect.bottom, 20);

            // Never smaller than 500 x 300.
            SetWindowPos(window, nullptr, 10, 20, 100, 100, SWP_NOZORDER);
            GetClientRect(window, &client);
            EXPECT_GE(client.right, 500);
            EXPECT_GE(client.bottom, 300);
            SetWindowPos(window, nullptr, 10, 20, 700, 500, SWP_NOZORDER);
            ShowWindow(window, SW_MAXIMIZE);
            // Esc presses the close button.
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            WaitGone(window);
        });
    ASSERT_NE(registry.Find(kLogKey, "Width"), nullptr);
    EXPECT_EQ(registry.Find(kLogKey, "Left")->number, 10u);
    EXPECT_EQ(registry.Find(kLogKey, "Width")->number, 700u) << "the restored size of a maximized window";
    EXPECT_EQ(registry.Find(kLogKey, "Maximized")->number, static_cast<std::uint32_t>(kWindowMaximized));

    Drive(
        L"印刷ログ", [&] { ShowPrintLogWindow(nullptr, reg, log); },
        [&](HWND window) {
            ASSERT_NE(window, nullptr);
            EXPECT_TRUE(IsZoomed(window));
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            GetWindowPlacement(window, &placement);
            EXPECT_EQ(placement.rcNormalPosition.left, 10);
            EXPECT_EQ(placement.rcNormalPosition.right - placement.rcNormalPosition.left, 700);
        });
}

class AboutTest : public DialogsTest {
protected:
    void SetUp() override {
        readme_ = ProgramFolder() + "\\README.TXT";
        DeleteFileA(readme_.c_str());
    }
    void TearDown() override { DeleteFileA(readme_.c_str()); }
    void WriteReadme(const std::string& bytes) {
        FILE* file = std::fopen(readme_.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::string readme_;
    Win32FileSystem fileSystem;
};

TEST_F(AboutTest, ShowsVersionReadmeAndStoresTheSwitch) {
    // "使い方\r\n" in UTF-8 with a byte order mark.
    WriteReadme("\xEF\xBB\xBF\xE4\xBD\xBF\xE3\x81\x84\xE6\x96\xB9\r\n");
    reg.DontShowAboutOnStartup = false;
    Drive(
        L"バージョン情報", [&] { ShowAboutDialog(nullptr, reg, fileSystem); },
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU) << "no close box";
            RECT client{};
            GetClientRect(dialog, &client);
            EXPECT_EQ(client.right, 634);
            EXPECT_EQ(client.bottom, 640);
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_ABOUT_PRODUCT)), L"Tarvoline");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_ABOUT_VERSION)), L"Version. 1.0.5");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_ABOUT_MEMO)), L"使い方\r\n");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDOK)), L"閉じる");
            EXPECT_FALSE(Checked(dialog, IDC_ABOUT_DONT_SHOW));
            SendDlgItemMessageW(dialog, IDC_ABOUT_DONT_SHOW, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            WaitGone(dialog);
        },
        IDOK);
    EXPECT_TRUE(reg.DontShowAboutOnStartup);
}

TEST_F(AboutTest, AMissingReadmeIsShownAsAnErrorAndTheDialogStillOpens) {
    reg.DontShowAboutOnStartup = true;
    std::wstring boxText;
    std::thread boxCloser([&] {
        for (int i = 0; i < 500; ++i) {
            if (const HWND box = FindWindowW(L"#32770", L"Tarvoline"); box && IsWindowVisible(box)) {
                for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                    if (TextOf(child).find(L"README.TXT") != std::wstring::npos)
                        boxText = TextOf(child);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    Drive(
        L"バージョン情報", [&] { ShowAboutDialog(nullptr, reg, fileSystem); },
        [&](HWND dialog) {
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_ABOUT_MEMO)),
                      L"Word, Excel, PowerPointのファイルを印刷します。\r\n"
                      L"Microsoft社のMicrosoft Officeがインストールされている必要があります。\r\n");
            EXPECT_TRUE(Checked(dialog, IDC_ABOUT_DONT_SHOW));
        },
        IDOK);
    boxCloser.join();
    EXPECT_NE(boxText.find(L"README.TXT"), std::wstring::npos) << "no error box naming the read-me";
}

} // namespace
} // namespace tarvoline
