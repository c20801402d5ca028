#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace tarvoline
