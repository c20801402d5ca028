#include <gtest/gtest.h>

#include "dialogs/add_fold_dialog.h"
#include "fakes/message_services_fixture.h"

namespace tarvoline {
namespace {

class AddFoldDialogTest : public testing::MessageServicesTest {};

struct OpeningCase {
    FolderAddMode mode;
    bool setting;
    bool folderRadio;
    bool filesRadio;
    bool recursive;
};

TEST_F(AddFoldDialogTest, OpensWithTheWayChosenLastAndTheStoredSubfolderChoice) {
    const OpeningCase cases[] = {
        {FolderAddMode::NotChosen, true, false, false, true},
        {FolderAddMode::FolderEntry, false, true, false, false},
        {FolderAddMode::Files, true, false, true, false},
        {FolderAddMode::FilesRecursive, false, false, true, true},
    };
    for (const OpeningCase& c : cases) {
        bool setting = c.setting;
        TdlgAddFold dialog({"D:\\資料", "E:\\表"}, c.mode, setting);
        dialog.FormShow();
        EXPECT_EQ(dialog.rdoAddFoldFold.Checked(), c.folderRadio) << static_cast<int>(c.mode);
        EXPECT_EQ(dialog.rdoAddFoldFiles.Checked(), c.filesRadio) << static_cast<int>(c.mode);
        EXPECT_EQ(dialog.chkAddFoldRecur.Checked(), c.recursive) << static_cast<int>(c.mode);
        EXPECT_EQ(dialog.lbxFolds.Items(), (std::vector<std::string>{"D:\\資料", "E:\\表"}));
        EXPECT_FALSE(dialog.btnHelp.Visible());
        EXPECT_EQ(dialog.Caption(), "フォルダ追加方法選択");
    }
}

TEST_F(AddFoldDialogTest, OkWithoutAWayAsksForOneAndStaysOpen) {
    bool setting = true;
    TdlgAddFold dialog({"D:\\Docs"}, FolderAddMode::NotChosen, setting);
    dialog.FormShow();
    dialog.btnOk.OnClick();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "フォルダの追加方法をどちらか選んでください。");
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    EXPECT_EQ(dialog.Mode(), FolderAddMode::NotChosen);
}

TEST_F(AddFoldDialogTest, OkTakesTheWayFromTheRadiosAndStoresTheSubfolderChoice) {
    struct Case {
        bool folderRadio;
        bool recursive;
        FolderAddMode expected;
    };
    const Case cases[] = {
        {true, false, FolderAddMode::FolderEntry},
        {true, true, FolderAddMode::FolderEntry},
        {false, false, FolderAddMode::Files},
        {false, true, FolderAddMode::FilesRecursive},
    };
    for (const Case& c : cases) {
        bool setting = !c.recursive;
        TdlgAddFold dialog({"D:\\Docs"}, FolderAddMode::NotChosen, setting);
        dialog.FormShow();
        (c.folderRadio ? dialog.rdoAddFoldFold : dialog.rdoAddFoldFiles).StoreChecked(true);
        dialog.chkAddFoldRecur.StoreChecked(c.recursive);
        dialog.btnOk.OnClick();
        EXPECT_EQ(dialog.ModalResult(), mrOk);
        EXPECT_EQ(dialog.Mode(), c.expected);
        EXPECT_EQ(setting, c.recursive) << "stored also for folder entries";
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(AddFoldDialogTest, CancelKeepsTheWayAndTheSetting) {
    bool setting = false;
    TdlgAddFold dialog({"D:\\Docs"}, FolderAddMode::Files, setting);
    dialog.FormShow();
    dialog.rdoAddFoldFold.StoreChecked(true);
    dialog.rdoAddFoldFiles.StoreChecked(false);
    dialog.chkAddFoldRecur.StoreChecked(true);
    dialog.btnCancel.OnClick();
    EXPECT_EQ(dialog.ModalResult(), mrCancel);
    EXPECT_EQ(dialog.Mode(), FolderAddMode::Files);
    EXPECT_FALSE(setting);
}

} // namespace
} // namespace tarvoline
