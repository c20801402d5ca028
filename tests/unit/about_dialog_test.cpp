#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "app/about_dialog.h"
#include "app/settings_store.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/memory_file_system.h"

namespace tarvoline {
namespace {

const std::string kFolder = "C:\\Program Files\\表示ソフト";
const std::string kReadme = kFolder + "\\README.TXT";

class AboutDialogTest : public ::testing::Test {
protected:
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg{registry, mainWindow};
    testing::MemoryFileSystem files;
    TdlgAbout dialog{reg, files, kFolder, "1.0.5"};
};

TEST(FileVersionTextTest, LeavesOutTheBuildNumber) {
    EXPECT_EQ(FileVersionText(0x00010000, 0x00050000), "1.0.5");
    EXPECT_EQ(FileVersionText(0x000C0022, 0x0007FFFF), "12.34.7");
}

struct ReadmeCase {
    const char* name;
    std::string bytes;
};

class AboutReadmeTest : public AboutDialogTest, public ::testing::WithParamInterface<ReadmeCase> {};

TEST_P(AboutReadmeTest, TheReadmeReplacesTheBuiltInTextWhateverItsEncoding) {
    files.files[kReadme] = GetParam().bytes;
    dialog.FormShow();
    EXPECT_EQ(dialog.memAbout.Text(), "印刷ツール\r\nＡ表\r\n");
}

// "印刷ツール\r\nＡ表\r\n" in the encodings a read-me may come in.
INSTANTIATE_TEST_SUITE_P(
    Encodings, AboutReadmeTest,
    ::testing::Values(
        ReadmeCase{"utf8",
                   "\xE5\x8D\xB0\xE5\x88\xB7\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB\r\n\xEF\xBC\xA1\xE8\xA1\xA8\r\n"},
        ReadmeCase{
            "utf8bom",
            "\xEF\xBB\xBF\xE5\x8D\xB0\xE5\x88\xB7\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB\r\n\xEF\xBC\xA1\xE8\xA1\xA8\r\n"},
        ReadmeCase{"utf16le",
                   std::string("\xFF\xFE\x70\x53\x37\x52\xC4\x30\xFC\x30\xEB\x30\r\0\n\0\x21\xFF\x68\x88\r\0\n\0", 24)},
        ReadmeCase{
            "utf16be",
            std::string("\xFE\xFF\x53\x70\x52\x37\x30\xC4\x30\xFC\x30\xEB\0\r\0\n\xFF\x21\x88\x68\0\r\0\n", 24)}),
    [](const ::testing::TestParamInfo<ReadmeCase>& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, ShowsProductSubtitleVersionAndTheStoredSwitch) {
    files.files[kReadme] = "readme";
    reg.DontShowAboutOnStartup = true;
    dialog.FormShow();
    EXPECT_EQ(dialog.Caption(), "バージョン情報");
    EXPECT_EQ(dialog.lblProduct.Text(), "Tarvoline");
    EXPECT_EQ(dialog.lblProductName.Text(), "オフィス文書一括印刷ツール");
    EXPECT_EQ(dialog.lblVersion.Text(), "Version. 1.0.5");
    EXPECT_EQ(dialog.memAbout.Text(), "readme");
    EXPECT_TRUE(dialog.chkDontShowAbout.Checked());
}

TEST_F(AboutDialogTest, AMissingOrLockedReadmeIsReportedAndTheBuiltInTextStays) {
    for (bool locked : {false, true}) {
        if (locked) {
            files.files[kReadme] = "x";
            files.unreadablePaths.insert(kReadme);
        }
        reg.DontShowAboutOnStartup = true;
        TdlgAbout about{reg, files, kFolder, "1.0.5"};
        try {
            about.FormShow();
            ADD_FAILURE() << "no error for locked=" << locked;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(kReadme), std::string::npos) << error.what();
        }
        EXPECT_EQ(about.memAbout.Text(), "Word, Excel, PowerPointのファイルを印刷します。\r\n"
                                         "Microsoft社のMicrosoft Officeがインストールされている必要があります。\r\n");
        EXPECT_EQ(about.lblVersion.Text(), "Version. 1.0.5");
        EXPECT_TRUE(about.chkDontShowAbout.Checked());
    }
}

TEST_F(AboutDialogTest, CloseStoresTheSwitchBothWays) {
    files.files[kReadme] = "r";
    for (bool dontShow : {true, false}) {
        reg.DontShowAboutOnStartup = !dontShow;
        TdlgAbout about{reg, files, kFolder, "1.0.5"};
        about.FormShow();
        about.chkDontShowAbout.StoreChecked(dontShow);
        about.btnOk.OnClick();
        EXPECT_EQ(about.ModalResult(), mrOk);
        EXPECT_EQ(reg.DontShowAboutOnStartup, dontShow);
    }
}

TEST_F(AboutDialogTest, HasNoCloseBox) {
    dialog.CloseBoxClick();
    EXPECT_EQ(dialog.ModalResult(), mrNone);
}

} // namespace
} // namespace tarvoline
