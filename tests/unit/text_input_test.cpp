#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "common/messages.h"
#include "common/wait_cursor.h"
#include "dialogs/text_input.h"
#include "fakes/fake_ui.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class TextInputTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageUi(&ui); }
    void TearDown() override { SetMessageUi(nullptr); }
    FakeUi ui;
};

TEST_F(TextInputTest, PromptGoesToTheWindowSystemWithTheInitialText) {
    ui.promptAnswers.push_back({MessageResult::Ok, "answer"});
    std::string text = "initial";
    EXPECT_EQ(PromptPassword("質問", text), MessageResult::Ok);
    EXPECT_EQ(text, "answer");
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt, "質問");
    EXPECT_EQ(ui.prompts[0].initialText, "initial");
}

TEST_F(TextInputTest, CancelHandsBackTheTypedText) {
    ui.promptAnswers.push_back({MessageResult::Cancel, "typed"});
    std::string text;
    EXPECT_EQ(PromptPassword("p", text), MessageResult::Cancel);
    EXPECT_EQ(text, "typed");
}

TEST_F(TextInputTest, WithoutWindowSystemThePromptIsCancelled) {
    SetMessageUi(nullptr);
    std::string text = "kept";
    EXPECT_EQ(PromptPassword("p", text), MessageResult::Cancel);
    EXPECT_EQ(text, "kept");
    c_waitcursor noWindowNoCursor;
}

TEST_F(TextInputTest, WaitCursorsNestAndEndWithTheirScope) {
    {
        c_waitcursor outer;
        EXPECT_EQ(ui.waitCursorDepth, 1);
        {
            c_waitcursor inner;
            EXPECT_EQ(ui.waitCursorDepth, 2);
        }
        EXPECT_EQ(ui.waitCursorDepth, 1);
    }
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_EQ(ui.waitCursorShown, 2);
}

// Records what the program pushes to the controls, as the window binding would see it.
class RecordingSink : public ControlSink {
public:
    void ControlChanged(Control& control) override { changed.push_back(control.Name()); }
    std::vector<std::string> changed;
};

TEST(TdlgTextInputTest, ShowingPutsPromptAndMaskedInitialText) {
    TdlgTextInput dialog("ファイルはパスワード保護されています。パスワードを入力してください。", "preset");
    EXPECT_EQ(dialog.Caption(), "入力ダイアログ");
    EXPECT_EQ(dialog.btnOk.Text(), "OK(&O)");
    EXPECT_EQ(dialog.btnCancel.Text(), "キャンセル(&C)");
    EXPECT_FALSE(dialog.btnHelp.Visible());
    EXPECT_EQ(dialog.edtTextInput.PasswordChar(), '\0') << "nothing is set before showing";

    RecordingSink sink;
    dialog.edtTextInput.SetSink(&sink);
    dialog.FormShow();
    EXPECT_EQ(dialog.lblMsg.Text(), "ファイルはパスワード保護されています。パスワードを入力してください。");
    EXPECT_EQ(dialog.edtTextInput.Text(), "preset");
    // The preset answer is masked as well, so the window must hear of the mask.
    EXPECT_EQ(dialog.edtTextInput.PasswordChar(), '*');
    EXPECT_FALSE(sink.changed.empty());
    EXPECT_TRUE(dialog.btnOk.Enabled());
    EXPECT_EQ(dialog.ModalResult(), mrNone);
}

TEST(TdlgTextInputTest, OkFollowsTheEditFromTheFirstChangeOn) {
    TdlgTextInput dialog("p", "");
    dialog.FormShow();
    EXPECT_TRUE(dialog.btnOk.Enabled()) << "no change yet";

    dialog.edtTextInput.StoreText("a");
    dialog.edtTextInput.OnChange();
    EXPECT_TRUE(dialog.btnOk.Enabled());
    dialog.edtTextInput.StoreText("");
    dialog.edtTextInput.OnChange();
    EXPECT_FALSE(dialog.btnOk.Enabled());
    dialog.edtTextInput.StoreText("b");
    dialog.edtTextInput.OnChange();
    EXPECT_TRUE(dialog.btnOk.Enabled());
}

TEST(TdlgTextInputTest, ButtonsCloseWithTheirResults) {
    struct Case {
        const char* button;
        int result;
    };
    for (const Case& c : {Case{"btnOk", mrOk}, Case{"btnCancel", mrCancel}}) {
        TdlgTextInput dialog("p", "");
        dialog.FormShow();
        dialog.FindControl(c.button)->OnClick();
        EXPECT_EQ(dialog.ModalResult(), c.result) << c.button;
    }
    TdlgTextInput dialog("p", "");
    dialog.CloseBoxClick();
    EXPECT_EQ(dialog.ModalResult(), mrCancel);
}

TEST(TdlgCommonTest, HelpOpensTheDialogsContextAndLeavesItOpen) {
    TdlgCommon dialog("c");
    EXPECT_EQ(dialog.btnHelp.Text(), "ヘルプ(&H)");
    std::vector<int> opened;
    dialog.ShowHelp = [&](int context) { opened.push_back(context); };
    dialog.HelpContext = 30;
    dialog.btnHelp.OnClick();
    EXPECT_EQ(opened, std::vector<int>{30});
    EXPECT_EQ(dialog.ModalResult(), mrNone);
    dialog.btnOk.OnClick ? dialog.btnOk.OnClick() : void();
    EXPECT_EQ(dialog.ModalResult(), mrNone) << "the base's OK has no result of its own";
}

} // namespace
} // namespace tarvoline
