#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/prtvisio.h"
#include "print_handler_fixture.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Lines = std::vector<std::string>;
using Sleeps = std::vector<std::int64_t>;

constexpr const char* kDrawing = "C:\\plans\\floor.vsdx";
constexpr std::int32_t kBusy = static_cast<std::int32_t>(0x80010001); // RPC_E_CALL_REJECTED

const Lines kOpen = {"create Visio.Application -> #1", "get #1.Documents -> #2",
                     "call #2.Open(\"C:\\plans\\floor.vsdx\") -> #3"};
const Lines kClose = {"put #1.AlertResponse = byte 7", "call #3.Close()", "call #1.Quit()"};
const std::string kWholeDrawing = "call #3.PrintOut(0, missing, missing, missing, \"Printer A\")";

Lines Joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class VisioTest : public PrintHandlerTest {
protected:
    std::string OleError(const std::string& message) const {
        return "ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。(FILE=C:\\plans\\floor.vsdx, MSG=" +
               message + ")";
    }
    std::string OpenError(const std::string& message) const {
        return "ＯＬＥエラー：ファイルをオープンできませんでした。(FILE=C:\\plans\\floor.vsdx, MSG=" + message + ")";
    }
    std::string CloseError(const std::string& message) const {
        return "ＯＬＥエラー：ファイルをクローズできませんでした。(FILE=C:\\plans\\floor.vsdx, MSG=" + message + ")";
    }
    c_prtvisio visio{printer, automation, clock};
};

struct PagesCase {
    int from, to;
    const char* printOut;
};

class VisioPagesTest : public VisioTest, public ::testing::WithParamInterface<PagesCase> {};

TEST_P(VisioPagesTest, PrintRangeFollowsTheFirstPage) {
    EXPECT_TRUE(visio.Print(kDrawing, GetParam().from, GetParam().to));
    EXPECT_EQ(automation.journal, Joined({kOpen, {GetParam().printOut}, kClose}));
    EXPECT_EQ(clock.sleeps, Sleeps{1000});
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(visio.Step(), "Open done");
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, VisioPagesTest,
    ::testing::Values(PagesCase{-1, -1, "call #3.PrintOut(0, missing, missing, missing, \"Printer A\")"},
                      PagesCase{-1, 5, "call #3.PrintOut(0, missing, missing, missing, \"Printer A\")"},
                      PagesCase{2, 4, "call #3.PrintOut(1, 2, 4, missing, \"Printer A\")"},
                      PagesCase{3, 3, "call #3.PrintOut(1, 3, 3, missing, \"Printer A\")"},
                      PagesCase{3, -1, "call #3.PrintOut(1, 3, -1, missing, \"Printer A\")"}));

TEST_F(VisioTest, ARefusedRequestIsTriedAgainThreeSecondsLater) {
    automation.FailOn("PrintOut", "ビジー", kBusy);
    EXPECT_TRUE(visio.Print(kDrawing, -1, -1));
    EXPECT_EQ(automation.journal, Joined({kOpen, {kWholeDrawing + " !! ビジー", kWholeDrawing}, kClose}));
    EXPECT_EQ(clock.sleeps, (Sleeps{1000, 3000}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(VisioTest, ThreeRefusalsShow13009WithCodeAndStep) {
    automation.FailOn("PrintOut", "ビジー", kBusy, 3);
    EXPECT_FALSE(visio.Print(kDrawing, -1, -1));
    EXPECT_EQ(automation.journal,
              Joined({kOpen,
                      {kWholeDrawing + " !! ビジー", kWholeDrawing + " !! ビジー", kWholeDrawing + " !! ビジー"},
                      kClose}));
    EXPECT_EQ(clock.sleeps, (Sleeps{1000, 3000, 3000}));
    EXPECT_EQ(ui.BoxTexts(), Lines{OpenError("ビジー Code:80010001 Proc:Open done")});
}

TEST_F(VisioTest, AnErrorWithoutCodeIsNotRetried) {
    automation.FailOn("PrintOut", "Invalid printer");
    EXPECT_FALSE(visio.Print(kDrawing, 2, 3));
    EXPECT_EQ(clock.sleeps, Sleeps{1000});
    EXPECT_EQ(ui.BoxTexts(), Lines{OleError("Invalid printer Proc:Open done")});
    EXPECT_EQ(automation.journal.size(), kOpen.size() + 1 + kClose.size());
}

struct OpenFailureCase {
    const char* member;
    std::optional<std::int32_t> code;
    const char* message;
    Lines journal;
};

class VisioOpenFailureTest : public VisioTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(VisioOpenFailureTest, TheStepReachedEndsTheMessageAndWhatWasStartedIsEnded) {
    const auto& c = GetParam();
    automation.FailOn(c.member, "失敗", c.code);
    EXPECT_FALSE(visio.Print(kDrawing, -1, -1));
    EXPECT_EQ(automation.journal, c.journal);
    EXPECT_EQ(ui.BoxTexts(), Lines{OleError(c.message)});
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, VisioOpenFailureTest,
                         ::testing::Values(
                             // Without a server there is nothing to answer, close or quit.
                             OpenFailureCase{"Visio.Application",
                                             static_cast<std::int32_t>(0x800401F3),
                                             "失敗 Code:800401F3 Proc:start",
                                             {"create Visio.Application !! 失敗"}},
                             OpenFailureCase{"Documents",
                                             std::nullopt,
                                             "失敗 Proc:CreateObject done",
                                             {"create Visio.Application -> #1", "get #1.Documents !! 失敗",
                                              "put #1.AlertResponse = byte 7", "call #1.Quit()"}},
                             OpenFailureCase{"Open",
                                             static_cast<std::int32_t>(0x86DB0BD8),
                                             "失敗 Code:86DB0BD8 Proc:CreateObject done",
                                             {"create Visio.Application -> #1", "get #1.Documents -> #2",
                                              "call #2.Open(\"C:\\plans\\floor.vsdx\") !! 失敗",
                                              "put #1.AlertResponse = byte 7", "call #1.Quit()"}}));

struct CloseFailureCase {
    const char* member;
    Lines closing;
};

class VisioCloseFailureTest : public VisioTest, public ::testing::WithParamInterface<CloseFailureCase> {};

TEST_P(VisioCloseFailureTest, CloseErrorsShow13020AndLeaveThePrintResult) {
    automation.FailOn(GetParam().member, "応答なし", kBusy);
    EXPECT_TRUE(visio.Print(kDrawing, -1, -1));
    EXPECT_EQ(automation.journal, Joined({kOpen, {kWholeDrawing}, GetParam().closing}));
    EXPECT_EQ(ui.BoxTexts(), Lines{CloseError("応答なし")});
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, VisioCloseFailureTest,
    ::testing::Values(
        CloseFailureCase{"AlertResponse", {"put #1.AlertResponse = byte 7 !! 応答なし", "call #1.Quit()"}},
        CloseFailureCase{"Close", {"put #1.AlertResponse = byte 7", "call #3.Close() !! 応答なし", "call #1.Quit()"}},
        CloseFailureCase{"Quit", {"put #1.AlertResponse = byte 7", "call #3.Close()", "call #1.Quit() !! 応答なし"}}));

TEST_F(VisioTest, EveryCallStartsAtTheFirstStepAgain) {
    automation.FailOn("Open", "失敗");
    visio.Print(kDrawing, -1, -1);
    EXPECT_EQ(visio.Step(), "CreateObject done");
    automation.FailOn("Visio.Application", "失敗");
    visio.Print(kDrawing, -1, -1);
    EXPECT_EQ(visio.Step(), "start");
    EXPECT_EQ(ui.BoxTexts().back(), OleError("失敗 Proc:start"));
}

} // namespace
} // namespace tarvoline
