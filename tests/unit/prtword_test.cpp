#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/prtword.h"
#include "print_handler_fixture.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Lines = std::vector<std::string>;

class WordTest : public PrintHandlerTest {
protected:
    c_prtword word{printer, automation, keyIn};
};

// The calls for a document printed as a whole, up to the page arguments.
Lines WordJournal(const std::string& printer, const std::string& rangeAndPages) {
    return {"create Word.Application -> #1",
            "put #1.ActivePrinter = \"" + printer + "\"",
            "get #1.Documents -> #2",
            "call #2.Open(\"C:\\docs\\a.doc\", false, true) -> #3",
            "call #3.PrintOut(false, missing, " + rangeAndPages + ")",
            "call #3.Close(false)",
            "call #1.Quit()"};
}

struct PageCase {
    const char* pageRange;
    const char* rangeAndPages; // Range .. Pages as journaled
};

class WordPagesTest : public WordTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(WordPagesTest, PassesThePageTextUntouchedOrLeavesPagesOut) {
    EXPECT_TRUE(word.Print("C:\\docs\\a.doc", GetParam().pageRange, ""));
    EXPECT_EQ(automation.journal, WordJournal("Printer A", GetParam().rangeAndPages));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(keyIn.calls.empty());
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, WordPagesTest,
                         ::testing::Values(PageCase{"", "0, missing, missing, missing, 0, 1, missing"},
                                           PageCase{" \t ", "0, missing, missing, missing, 0, 1, missing"},
                                           PageCase{" 2-3", "4, missing, missing, missing, 0, 1, \" 2-3\""},
                                           PageCase{"1,3-5,p2s1 ",
                                                    "4, missing, missing, missing, 0, 1, \"1,3-5,p2s1 \""}));

TEST_F(WordTest, UsesTheSystemDefaultPrinterWhenNoneIsChosenAndAsksAtPrintTime) {
    printer.SetPrinterName("");
    spooler.defaultPrinter = "Office PDF";
    EXPECT_TRUE(word.Print("C:\\docs\\a.doc", "", ""));
    EXPECT_EQ(automation.journal[1], "put #1.ActivePrinter = \"Office PDF\"");
    EXPECT_EQ(spooler.defaultQueries, 1);
}

TEST_F(WordTest, PasswordStartsTheKeyInBeforeTheServerAndStopsItAfterQuit) {
    EXPECT_TRUE(word.Print("C:\\docs\\a.doc", "", "pw"));
    Lines expected = WordJournal("Printer A", "0, missing, missing, missing, 0, 1, missing");
    expected.insert(expected.begin(), "keyin start パスワード|OK|RichEdit|pw");
    expected.push_back("keyin stop");
    EXPECT_EQ(automation.journal, expected);
}

class WordFailureTest : public WordTest, public ::testing::WithParamInterface<int> {};

TEST_P(WordFailureTest, AFailureAtAnyCallShows13008AndMakesNoFurtherCall) {
    const int step = GetParam();
    automation.FailAt(step, "ファイルが壊れています");
    EXPECT_FALSE(word.Print("C:\\docs\\a.doc", "2", "pw"));

    Lines expected =
        FailedAt(WordJournal("Printer A", "4, missing, missing, missing, 0, 1, \"2\""), step, "ファイルが壊れています");
    expected.insert(expected.begin(), "keyin start パスワード|OK|RichEdit|pw");
    expected.push_back("keyin stop");
    EXPECT_EQ(automation.journal, expected);
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                   "(FILE=C:\\docs\\a.doc, MSG=ファイルが壊れています)"});
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCall, WordFailureTest, ::testing::Range(1, 8));

TEST_F(WordTest, AServerAnswerThatIsNoObjectFailsTheFile) {
    automation.Script("Documents", {std::int32_t{0}});
    EXPECT_FALSE(word.Print("C:\\docs\\a.doc", "", ""));
    EXPECT_EQ(automation.journal.back(), "get #1.Documents -> 0");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_NE(ui.boxes[0].text.find("(FILE=C:\\docs\\a.doc, MSG=Documents"), std::string::npos);
}

TEST_F(WordTest, RequestFromTheRunCarriesPathPagesAndPassword) {
    PrintHandler& handler = word;
    PrintRequest request;
    request.path = "C:\\docs\\a.doc";
    request.pageRange = "5";
    EXPECT_TRUE(handler.Print(request));
    EXPECT_EQ(automation.journal[4], "call #3.PrintOut(false, missing, 4, missing, missing, missing, 0, 1, \"5\")");
}

} // namespace
} // namespace tarvoline
