// The progress window of the folder collection: its look, the walk from its timer, and Cancel.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "dialogs/get_files_dialog.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class CancellingUi : public FakeUi {
public:
    void ProcessPendingMessages() override {
        FakeUi::ProcessPendingMessages();
        if (dialog)
            dialog->btnCancel.OnClick();
    }
    TdlgGetFilesRecur* dialog = nullptr;
};

class GetFilesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        files.folders = {"D:\\A", "D:\\A\\Sub", "D:\\B"};
        for (const char* path : {"D:\\A\\1.doc", "D:\\A\\skip.bmp", "D:\\A\\Sub\\2.pdf", "D:\\B\\3.xls"})
            files.files[path] = "x";
    }
    void TearDown() override { SetMessageUi(nullptr); }

    CancellingUi ui;
    MemoryFileSystem files;
    FakeClassifier classifier;
    std::vector<std::string> out;
};

TEST_F(GetFilesDialogTest, ShowsOnlyCancelAndStartsItsWalkFromAOneShotTimer) {
    TdlgGetFilesRecur dialog(files, classifier, {"D:\\A", "D:\\B"}, out, true);
    EXPECT_EQ(dialog.Caption(), "ファイル情報取得中...");
    EXPECT_EQ(dialog.lblNumFiles.Text(), "ファイル数：");
    EXPECT_FALSE(dialog.btnOk.Visible());
    EXPECT_FALSE(dialog.btnHelp.Visible());
    EXPECT_TRUE(dialog.btnCancel.Visible());
    EXPECT_TRUE(dialog.tmrTimer.Enabled());
    EXPECT_EQ(dialog.tmrTimer.Interval(), 100);
    EXPECT_NE(dialog.FindControl("tmrTimer"), nullptr);

    dialog.tmrTimer.OnTimer();
    EXPECT_FALSE(dialog.tmrTimer.Enabled());
    EXPECT_EQ(dialog.ModalResult(), mrOk);
    EXPECT_EQ(out, (std::vector<std::string>{"D:\\A\\1.doc", "D:\\A\\Sub\\2.pdf", "D:\\B\\3.xls"}));
    EXPECT_EQ(dialog.edtNumFiles.Text(), "3");
    EXPECT_EQ(dialog.memFile.Text(), "D:\\B\\3.xls");
}

TEST_F(GetFilesDialogTest, CancelOnlyAsksAndTheWalkClosesWithCancelAtItsNextCheck) {
    TdlgGetFilesRecur dialog(files, classifier, {"D:\\A", "D:\\B"}, out, true);
    dialog.btnCancel.OnClick();
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    dialog.tmrTimer.OnTimer();
    EXPECT_EQ(dialog.ModalResult(), mrCancel);
    EXPECT_TRUE(out.empty());

    // A click seen on entering D:\A\Sub stops the walk before D:\B.
    std::vector<std::string> more;
    TdlgGetFilesRecur walking(files, classifier, {"D:\\A", "D:\\B"}, more, true);
    ui.dialog = &walking;
    walking.tmrTimer.OnTimer();
    EXPECT_EQ(walking.ModalResult(), mrCancel);
    EXPECT_EQ(more, std::vector<std::string>{"D:\\A\\1.doc"});
    EXPECT_EQ(ui.pumpCount, 1);

    // The close box asks the same.
    std::vector<std::string> closed;
    TdlgGetFilesRecur closing(files, classifier, {"D:\\A"}, closed, false);
    closing.CloseBoxClick();
    EXPECT_EQ(closing.ModalResult(), mrNone);
    EXPECT_TRUE(closing.Cancelled());
}

TEST_F(GetFilesDialogTest, WithoutRecursionTheWalkNeverHandlesMessagesAndRunsToItsEnd) {
    TdlgGetFilesRecur dialog(files, classifier, {"D:\\A", "D:\\B"}, out, false);
    ui.dialog = &dialog;
    dialog.tmrTimer.OnTimer();
    EXPECT_EQ(ui.pumpCount, 0);
    EXPECT_EQ(dialog.ModalResult(), mrOk);
    EXPECT_EQ(out, (std::vector<std::string>{"D:\\A\\1.doc", "D:\\B\\3.xls"}));
}

} // namespace
} // namespace tarvoline
