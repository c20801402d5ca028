#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_classifier.h"
#include "print/print_run.h"
#include "print/prtexcel.h"
#include "print_handler_fixture.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Lines = std::vector<std::string>;
using Names = std::vector<std::string>;

constexpr const char* kBook = "C:\\data\\book.xlsx";
constexpr std::int32_t kShown = -1;
constexpr std::int32_t kHidden = 0;
constexpr std::int32_t kVeryHidden = 2;

class ExcelTest : public PrintHandlerTest {
protected:
    // The workbook's sheets in order, as the server will report them.
    void ScriptSheets(const std::vector<std::pair<std::string, std::int32_t>>& sheets) {
        automation.Script("Count", {static_cast<std::int32_t>(sheets.size())});
        for (const auto& [name, visible] : sheets) {
            automation.Script("Visible", {visible});
            if (visible == kShown)
                automation.Script("Name", {name});
        }
    }
    bool Print(ExcelRangeMode mode, std::optional<Names> sheets, bool separateJobs, int from = -1, int to = -1,
               const std::string& password = "") {
        return excel.Print(kBook, from, to, password, mode, sheets, separateJobs);
    }
    // The journal lines that name one of the members.
    Lines Only(std::initializer_list<const char*> members) const {
        Lines lines;
        for (const auto& line : automation.journal) {
            for (const char* member : members) {
                if (line.find(member) != std::string::npos) {
                    lines.push_back(line);
                    break;
                }
            }
        }
        return lines;
    }

    std::int32_t rangeDefault = 1;
    c_prtexcel excel{printer, automation, keyIn, rangeDefault};
};

const Lines kOpen = {"create Excel.Application -> #1", "put #1.Visible = \"true\"", "get #1.Workbooks -> #2",
                     "call #2.Open(\"C:\\data\\book.xlsx\", 0, true) -> #3"};
const Lines kClose = {"call #3.Close(false)", "call #1.Quit()"};

Lines Joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST_F(ExcelTest, WholeBookIsOnePrintRequestOnTheWorkbook) {
    EXPECT_TRUE(Print(ExcelRangeMode::WholeBook, Names{}, false));
    EXPECT_EQ(automation.journal,
              Joined({kOpen, {"call #3.PrintOut(1, 9999, missing, missing, \"Printer A\")"}, kClose}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(automation.LiveObjects(), 0);
}

TEST_F(ExcelTest, WholeBookInSeparateJobsPrintsEveryVisibleSheetOnItsOwn) {
    ScriptSheets({{"Sales", kShown}, {"Work", kHidden}, {"Costs", kShown}});
    automation.Script("Count", {2}); // the collection of the two named sheets
    EXPECT_TRUE(Print(ExcelRangeMode::WholeBook, Names{}, true));
    EXPECT_EQ(
        automation.journal,
        Joined({kOpen,
                {"get #3.Sheets -> #4", "get #4.Count -> 3", "get #3.Sheets -> #5", "get #5.Item(1) -> #6",
                 "get #6.Visible -> -1", "get #6.Name -> \"Sales\"", "get #3.Sheets -> #7", "get #7.Item(2) -> #8",
                 "get #8.Visible -> 0", "get #3.Sheets -> #9", "get #9.Item(3) -> #10", "get #10.Visible -> -1",
                 "get #10.Name -> \"Costs\"", "get #3.Sheets([\"Sales\", \"Costs\"]) -> #11", "get #11.Count -> 2",
                 "get #11.Item(1) -> #12", "call #12.PrintOut(1, 9999, missing, missing, \"Printer A\")",
                 "get #11.Item(2) -> #13", "call #13.PrintOut(1, 9999, missing, missing, \"Printer A\")"},
                kClose}));
}

struct PagesCase {
    const char* pageRange;
    const char* fromTo; // the first two PrintOut arguments
};

class ExcelPagesTest : public ExcelTest, public ::testing::WithParamInterface<PagesCase> {};

// Through PrintEntry, which turns the entry's page text into first and last page.
TEST_P(ExcelPagesTest, PageRangeBecomesFromAndToOfEveryRequest) {
    FakeClassifier classifier;
    PrintHandlers handlers;
    handlers.excel = &excel;
    EntryPrinter entries(classifier, handlers);
    EXPECT_EQ(entries.PrintEntry(kBook, GetParam().pageRange, "", ExcelRangeMode::WholeBook, Names{}, false),
              kPrintDone);
    EXPECT_EQ(Only({"PrintOut"}),
              Lines{std::string("call #3.PrintOut(") + GetParam().fromTo + ", missing, missing, \"Printer A\")"});
}

INSTANTIATE_TEST_SUITE_P(Ranges, ExcelPagesTest,
                         ::testing::Values(PagesCase{"", "1, 9999"}, PagesCase{"3", "3, 3"}, PagesCase{"-5", "1, 5"},
                                           PagesCase{"2-", "2, 9999"}, PagesCase{"2-4", "2, 4"}));

TEST_F(ExcelTest, NamedSheetsAreFoundIgnoringCaseAndTheMissingOnesReported) {
    ScriptSheets({{"Sales", kShown}, {"Hidden Plan", kHidden}, {"Ｃｏｓｔｓ", kShown}, {"Secret", kVeryHidden}});
    EXPECT_TRUE(Print(ExcelRangeMode::SelectedSheets, Names{"ｃｏｓｔｓ", "Hidden Plan", "SALES", "Nope", "Secret"},
                      false, 2, 3));
    EXPECT_EQ(Only({"Sheets([", "PrintOut"}), (Lines{"get #3.Sheets([\"ｃｏｓｔｓ\", \"SALES\"]) -> #13",
                                                     "call #13.PrintOut(2, 3, missing, missing, \"Printer A\")"}));
    EXPECT_EQ(ui.BoxTexts(),
              Lines{"選択されたシート名が対象ファイル内に見つかりませんでした(又はシートが非表示になっています）。"
                    "(File=C:\\data\\book.xlsx, シート=\"Hidden Plan\",Nope,Secret)"});
    EXPECT_EQ(Only({"Close", "Quit"}), kClose);
}

TEST_F(ExcelTest, NoNamedSheetFoundStillAsksTheServerWhichRefuses) {
    ScriptSheets({{"Sales", kShown}});
    automation.FailWhere("Sheets([", "Subscript out of range");
    EXPECT_FALSE(Print(ExcelRangeMode::SelectedSheets, Names{"Plan"}, false));
    EXPECT_EQ(Only({"Sheets(["}), Lines{"get #3.Sheets([]) !! Subscript out of range"});
    EXPECT_EQ(ui.BoxTexts(),
              (Lines{"選択されたシート名が対象ファイル内に見つかりませんでした(又はシートが非表示になっています）。"
                     "(File=C:\\data\\book.xlsx, シート=Plan)",
                     "ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                     "(FILE=C:\\data\\book.xlsx, MSG=Subscript out of range)"}));
    EXPECT_EQ(Only({"Close", "Quit"}), kClose);
}

struct ConditionCase {
    ExcelRangeMode mode;
    const char* condition;
    const char* sheetsArgument; // "" = no print request, 13034 instead
};

class ExcelConditionTest : public ExcelTest, public ::testing::WithParamInterface<ConditionCase> {};

TEST_P(ExcelConditionTest, ConditionIsTestedCaseSensitivelyOnVisibleSheets) {
    const auto& c = GetParam();
    ScriptSheets({{"Sales 2023", kShown}, {"sales 2024", kShown}, {"Sales old", kHidden}, {"Summary", kShown}});
    EXPECT_TRUE(Print(c.mode, Names{c.condition}, false));
    if (*c.sheetsArgument) {
        EXPECT_EQ(Only({"Sheets([", "PrintOut"}),
                  (Lines{std::string("get #3.Sheets(") + c.sheetsArgument + ") -> #13",
                         "call #13.PrintOut(1, 9999, missing, missing, \"Printer A\")"}));
        EXPECT_TRUE(ui.boxes.empty());
    } else {
        EXPECT_EQ(Only({"Sheets([", "PrintOut"}), Lines{});
        EXPECT_EQ(ui.BoxTexts(), Lines{"シート選択条件に一致するシートが見つかりませんでした。"});
    }
    EXPECT_EQ(Only({"Close", "Quit"}), kClose);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, ExcelConditionTest,
    ::testing::Values(ConditionCase{ExcelRangeMode::NameContains, "Sales", "[\"Sales 2023\"]"},
                      ConditionCase{ExcelRangeMode::NameContains, "202", "[\"Sales 2023\", \"sales 2024\"]"},
                      ConditionCase{ExcelRangeMode::NameNotContains, "Sales", "[\"sales 2024\", \"Summary\"]"},
                      ConditionCase{ExcelRangeMode::NameContains, "old", ""},
                      ConditionCase{ExcelRangeMode::NameNotContains, "a", ""},
                      ConditionCase{ExcelRangeMode::NameContains, "",
                                    "[\"Sales 2023\", \"sales 2024\", \"Summary\"]"}));

TEST_F(ExcelTest, ConditionInSeparateJobsPrintsEachMatchedSheet) {
    ScriptSheets({{"A1", kShown}, {"B1", kShown}});
    automation.Script("Count", {2});
    EXPECT_TRUE(Print(ExcelRangeMode::NameContains, Names{"1"}, true));
    EXPECT_EQ(Only({"Sheets([", "Item(", "PrintOut"}),
              (Lines{"get #5.Item(1) -> #6", "get #7.Item(2) -> #8", "get #3.Sheets([\"A1\", \"B1\"]) -> #9",
                     "get #9.Item(1) -> #10", "call #10.PrintOut(1, 9999, missing, missing, \"Printer A\")",
                     "get #9.Item(2) -> #11", "call #11.PrintOut(1, 9999, missing, missing, \"Printer A\")"}));
}

TEST_F(ExcelTest, ActiveSheetPrintsTheSheetsSelectedInTheWindow) {
    EXPECT_TRUE(Print(ExcelRangeMode::ActiveSheet, Names{}, false));
    EXPECT_EQ(automation.journal, Joined({kOpen,
                                          {"get #1.ActiveWindow -> #4", "get #4.SelectedSheets -> #5",
                                           "call #5.PrintOut(1, 9999, missing, missing, \"Printer A\")"},
                                          kClose}));
}

struct DefaultCase {
    std::int32_t setting;
    Lines printing;
};

class ExcelDefaultTest : public ExcelTest, public ::testing::WithParamInterface<DefaultCase> {};

// A folder's files come without a mode and without a sheets list.
TEST_P(ExcelDefaultTest, NoModeTakesTheDefaultSetting) {
    rangeDefault = GetParam().setting;
    EXPECT_TRUE(Print(ExcelRangeMode::None, std::nullopt, false));
    EXPECT_EQ(Only({"PrintOut", "ActiveWindow", "SelectedSheets"}), GetParam().printing);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ExcelDefaultTest,
    ::testing::Values(DefaultCase{1, {"call #3.PrintOut(1, 9999, missing, missing, \"Printer A\")"}},
                      DefaultCase{2,
                                  {"get #1.ActiveWindow -> #4", "get #4.SelectedSheets -> #5",
                                   "call #5.PrintOut(1, 9999, missing, missing, \"Printer A\")"}},
                      DefaultCase{7,
                                  {"get #1.ActiveWindow -> #4", "get #4.SelectedSheets -> #5",
                                   "call #5.PrintOut(1, 9999, missing, missing, \"Printer A\")"}}));

struct SummaryCase {
    ExcelRangeMode mode;
    std::optional<Names> sheets;
    bool separateJobs;
    int from, to;
    const char* password;
    const char* text;
};

class ExcelSummaryTest : public ExcelTest, public ::testing::WithParamInterface<SummaryCase> {};

TEST_P(ExcelSummaryTest, LogsOneSummaryLineWithoutThePassword) {
    const auto& c = GetParam();
    ScriptSheets({{"Sales", kShown}, {"Costs", kShown}});
    automation.Script("Count", {2});
    Print(c.mode, c.sheets, c.separateJobs, c.from, c.to, c.password);
    const std::string text = log.GetText();
    EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
              std::string("2014/05/12 9:05:03 　印刷ログ　：") + c.text + " , \r\n");
    if (*c.password) {
        EXPECT_EQ(text.find(c.password), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ExcelSummaryTest,
    ::testing::Values(
        SummaryCase{ExcelRangeMode::SelectedSheets, Names{"Sales", "Costs"}, true, 2, 3, "",
                    "file=C:\\data\\book.xlsx, Pages=2-3, SheetRange=シート選択, Sheets=Sales,Costs, Sepjob=Yes"},
        SummaryCase{ExcelRangeMode::None, std::nullopt, false, -1, -1, "",
                    "file=C:\\data\\book.xlsx, Pages=, SheetRange="},
        SummaryCase{ExcelRangeMode::WholeBook, Names{}, false, -1, 7, "geheim-77",
                    "file=C:\\data\\book.xlsx, Pages=-7, SheetRange=ブック全体, Sheets=, Password=Yes"},
        SummaryCase{ExcelRangeMode::NameNotContains, Names{"x y"}, false, 4, -1, "",
                    "file=C:\\data\\book.xlsx, Pages=4-, SheetRange=文字列を含まない, Sheets=\"x y\""}));

TEST_F(ExcelTest, PasswordRunsTheKeyInAroundTheWholeWork) {
    EXPECT_TRUE(Print(ExcelRangeMode::WholeBook, Names{}, false, -1, -1, "pw"));
    EXPECT_EQ(automation.journal.front(), "keyin start パスワード|OK|EDTBX|pw");
    EXPECT_EQ(automation.journal.back(), "keyin stop");
    EXPECT_EQ(automation.journal.size(), 9u);
}

struct FailureCase {
    int operation; // of the whole-book journal
    Lines closing; // the calls made after the failure
};

class ExcelFailureTest : public ExcelTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExcelFailureTest, AFailureShows13008AndTheServerIsStillClosedAndQuit) {
    const auto& c = GetParam();
    automation.FailAt(c.operation, "印刷できません", static_cast<std::int32_t>(0x800A03EC));
    EXPECT_FALSE(Print(ExcelRangeMode::WholeBook, Names{}, false, -1, -1, "pw"));

    const Lines whole = Joined({kOpen, {"call #3.PrintOut(1, 9999, missing, missing, \"Printer A\")"}});
    Lines expected = Joined({{"keyin start パスワード|OK|EDTBX|pw"},
                             FailedAt(whole, c.operation, "印刷できません"),
                             c.closing,
                             {"keyin stop"}});
    EXPECT_EQ(automation.journal, expected);
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                   "(FILE=C:\\data\\book.xlsx, MSG=印刷できません)"});
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, ExcelFailureTest,
                         ::testing::Values(FailureCase{1, {}}, FailureCase{2, {"call #1.Quit()"}},
                                           FailureCase{3, {"call #1.Quit()"}}, FailureCase{4, {"call #1.Quit()"}},
                                           FailureCase{5, kClose}));

TEST_F(ExcelTest, AWorkbookThatWillNotCloseIsReportedAndTheServerStillQuits) {
    automation.FailOn("Close", "閉じられません");
    EXPECT_FALSE(Print(ExcelRangeMode::WholeBook, Names{}, false));
    EXPECT_EQ(Only({"Close", "Quit"}), (Lines{"call #3.Close(false) !! 閉じられません", "call #1.Quit()"}));
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                   "(FILE=C:\\data\\book.xlsx, MSG=閉じられません)"});
    EXPECT_EQ(automation.LiveObjects(), 0);

    // Nothing of the failed call is left for the next one.
    automation.journal.clear();
    EXPECT_TRUE(Print(ExcelRangeMode::WholeBook, Names{}, false));
    EXPECT_EQ(Only({"Close", "Quit"}), (Lines{"call #6.Close(false)", "call #4.Quit()"}));
}

TEST_F(ExcelTest, ListSheetNamesGivesTheVisibleSheetsInWorkbookOrder) {
    ScriptSheets({{"Zeta", kShown}, {"Alpha", kHidden}, {"売上", kShown}});
    Names names{"old"};
    excel.ListSheetNames(kBook, names);
    EXPECT_EQ(names, (Names{"Zeta", "売上"}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(Only({"PrintOut"}), Lines{});
    EXPECT_EQ(Only({"Close", "Quit"}), kClose);
    EXPECT_TRUE(keyIn.calls.empty());
}

TEST_F(ExcelTest, ListSheetNamesKeepsWhatItReadBeforeAnError) {
    ScriptSheets({{"Zeta", kShown}, {"Beta", kShown}});
    automation.FailWhere("Item(2)", "読めません");
    Names names;
    excel.ListSheetNames(kBook, names);
    EXPECT_EQ(names, Names{"Zeta"});
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：ファイルをオープンできませんでした。"
                                   "(FILE=C:\\data\\book.xlsx, MSG=読めません)"});
    EXPECT_EQ(Only({"Close", "Quit"}), kClose);
}

TEST_F(ExcelTest, ListSheetNamesOfAnUnreadableWorkbookIsEmpty) {
    automation.FailOn("Open", "開けません");
    Names names{"old"};
    excel.ListSheetNames(kBook, names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：ファイルをオープンできませんでした。"
                                   "(FILE=C:\\data\\book.xlsx, MSG=開けません)"});
    EXPECT_EQ(Only({"Close", "Quit"}), Lines{"call #1.Quit()"});
}

TEST_F(ExcelTest, ListSheetNamesReportsAWorkbookThatWillNotCloseAndStillQuits) {
    ScriptSheets({{"Zeta", kShown}});
    automation.FailOn("Close", "閉じられません");
    Names names;
    excel.ListSheetNames(kBook, names);
    EXPECT_EQ(names, Names{"Zeta"});
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：ファイルをクローズできませんでした。"
                                   "(FILE=C:\\data\\book.xlsx, MSG=閉じられません)"});
    EXPECT_EQ(Only({"Close", "Quit"}), (Lines{"call #3.Close(false) !! 閉じられません", "call #1.Quit()"}));
    EXPECT_EQ(automation.LiveObjects(), 0);
}

} // namespace
} // namespace tarvoline
