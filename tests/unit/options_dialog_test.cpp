#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options_dialog.h"
#include "app/settings_store.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"

namespace tarvoline {
namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    testing::FakeRegistry registry;
    testing::FakePlacementWindow mainWindow;
    c_reg reg{registry, mainWindow};
    int refreshed = 0;
    TdlgOptions dialog{reg, [this] { ++refreshed; }};
};

struct ExcelRangeCase {
    std::int32_t stored;
    bool book;
    bool activeSheet;
};

class OptionsExcelRangeTest : public OptionsDialogTest, public ::testing::WithParamInterface<ExcelRangeCase> {};

TEST_P(OptionsExcelRangeTest, ShowsTheStoredRangeAndOkWithoutAChoiceKeepsIt) {
    const ExcelRangeCase& c = GetParam();
    reg.ExcelRangeDefault = c.stored;
    dialog.FormShow();
    EXPECT_EQ(dialog.rdoExrngBook.Checked(), c.book);
    EXPECT_EQ(dialog.rdoExrngActiveSheet.Checked(), c.activeSheet);
    dialog.btnOk.OnClick();
    EXPECT_EQ(reg.ExcelRangeDefault, c.stored);
    EXPECT_EQ(dialog.ModalResult(), mrOk);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionsExcelRangeTest,
                         ::testing::Values(ExcelRangeCase{1, true, false}, ExcelRangeCase{2, false, true},
                                           ExcelRangeCase{0, false, false}, ExcelRangeCase{7, false, false}));

TEST_F(OptionsDialogTest, OkStoresEveryChoiceAndRefreshesThePasswordColumn) {
    reg.ExcelRangeDefault = 5;
    reg.FolderSubfolderDefault = true;
    reg.ShowPasswordOnList = false;
    reg.AllowOther = false;
    dialog.FormShow();
    EXPECT_TRUE(dialog.chkFoldSub.Checked());
    EXPECT_FALSE(dialog.chkPasswdShow.Checked());

    // As the user does it: the binder stores the click, then the handler runs.
    dialog.rdoExrngActiveSheet.StoreChecked(true);
    dialog.rdoExrngActiveSheet.OnClick();
    dialog.chkFoldSub.StoreChecked(false);
    dialog.chkPasswdShow.StoreChecked(true);
    dialog.chkAllowOther.StoreChecked(true);
    dialog.btnOk.OnClick();

    EXPECT_EQ(reg.ExcelRangeDefault, 2);
    EXPECT_FALSE(reg.FolderSubfolderDefault);
    EXPECT_TRUE(reg.ShowPasswordOnList);
    EXPECT_TRUE(reg.AllowOther);
    EXPECT_EQ(refreshed, 1);
}

TEST_F(OptionsDialogTest, CancelAndTheCloseBoxChangeNothing) {
    for (const char* how : {"btnCancel", "close box"}) {
        reg.ShowPasswordOnList = false;
        reg.ExcelRangeDefault = 1;
        TdlgOptions options{reg, [this] { ++refreshed; }};
        options.FormShow();
        options.chkPasswdShow.StoreChecked(true);
        options.rdoExrngActiveSheet.StoreChecked(true);
        options.rdoExrngActiveSheet.OnClick();
        if (std::string(how) == "btnCancel")
            options.btnCancel.OnClick();
        else
            options.CloseBoxClick();
        EXPECT_EQ(options.ModalResult(), mrCancel) << how;
        EXPECT_FALSE(reg.ShowPasswordOnList) << how;
        EXPECT_EQ(reg.ExcelRangeDefault, 1) << how;
        EXPECT_EQ(refreshed, 0) << how;
    }
}

TEST_F(OptionsDialogTest, ChoosingOneRangeUnchecksTheOther) {
    reg.ExcelRangeDefault = 1;
    dialog.FormShow();
    dialog.rdoExrngActiveSheet.StoreChecked(true);
    dialog.rdoExrngActiveSheet.OnClick();
    EXPECT_FALSE(dialog.rdoExrngBook.Checked());
    dialog.rdoExrngBook.StoreChecked(true);
    dialog.rdoExrngBook.OnClick();
    EXPECT_FALSE(dialog.rdoExrngActiveSheet.Checked());
}

TEST_F(OptionsDialogTest, HelpShowsTopicFiftyAndStaysOpen) {
    std::vector<int> opened;
    dialog.ShowHelp = [&](int context) { opened.push_back(context); };
    dialog.btnHelp.OnClick();
    EXPECT_EQ(opened, std::vector<int>{50});
    EXPECT_EQ(dialog.ModalResult(), mrNone);
}

TEST_F(OptionsDialogTest, CaptionsAndHints) {
    EXPECT_EQ(dialog.Caption(), "オプション");
    EXPECT_EQ(dialog.rdoExrngBook.Hint(), "ブック内の全シートを印刷");
    EXPECT_EQ(dialog.chkFoldSub.Hint(), "フォルダ印刷時に、サブフォルダも対象にする");
    EXPECT_EQ(dialog.btnOk.Text(), "OK");
    EXPECT_EQ(dialog.btnCancel.Text(), "キャンセル");
    for (Control* control : dialog.Controls())
        EXPECT_EQ(dialog.FindControl(control->Name()), control);
}

} // namespace
} // namespace tarvoline
