#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/prtppt.h"
#include "print_handler_fixture.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;
using Lines = std::vector<std::string>;

constexpr const char* kDeck = "C:\\slides\\deck.pptx";

const Lines kPrepare = {"create PowerPoint.Application -> #1",
                        "put #1.Visible = true",
                        "put #1.WindowState = 2",
                        "get #1.Presentations -> #2",
                        "call #2.Open(\"C:\\slides\\deck.pptx\") -> #3",
                        "get #3.Slides -> #4",
                        "get #4.Count -> 10",
                        "get #3.PrintOptions -> #5",
                        "put #5.ActivePrinter = \"Printer A\"",
                        "put #5.PrintInBackground = false"};
const Lines kClose = {"call #3.Close()", "call #1.Quit()"};

Lines Joined(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class PowerPointTest : public PrintHandlerTest {
protected:
    void SetUp() override {
        PrintHandlerTest::SetUp();
        automation.Script("Count", {10}); // slides
    }
    c_prtppt ppt{printer, automation, keyIn};
};

TEST_F(PowerPointTest, EmptyPageRangePrintsAllSlidesWithoutTouchingRanges) {
    EXPECT_TRUE(ppt.Print(kDeck, "", ""));
    EXPECT_EQ(automation.journal, Joined({kPrepare, {"put #5.RangeType = 1", "call #3.PrintOut()"}, kClose}));
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(automation.LiveObjects(), 0);
}

struct RangeCase {
    const char* pageRange;
    Lines adds;   // the (first, last) pairs handed to Ranges.Add
    int rejected; // 13036 boxes
};

class PowerPointRangeTest : public PowerPointTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(PowerPointRangeTest, EachItemBecomesARangeUnlessItStartsAfterTheLastSlide) {
    const auto& c = GetParam();
    automation.Script("Count", {static_cast<std::int32_t>(c.adds.size())}); // ranges, as the server counts them
    EXPECT_TRUE(ppt.Print(kDeck, c.pageRange, ""));

    Lines expected = Joined({kPrepare, {"put #5.RangeType = 4", "get #5.Ranges -> #6", "call #6.ClearAll()"}});
    for (const auto& add : c.adds)
        expected.push_back("call #6.Add(" + add + ")");
    expected.push_back("get #6.Count -> " + std::to_string(c.adds.size()));
    if (!c.adds.empty())
        expected.push_back("call #3.PrintOut()");
    expected.insert(expected.end(), kClose.begin(), kClose.end());
    EXPECT_EQ(automation.journal, expected);

    const std::string rejection =
        std::string("印刷ページ範囲が異常です。(File=C:\\slides\\deck.pptx, Range=") + c.pageRange + ")";
    EXPECT_EQ(ui.BoxTexts(), Lines(static_cast<std::size_t>(c.rejected), rejection));
}

INSTANTIATE_TEST_SUITE_P(Ranges, PowerPointRangeTest,
                         ::testing::Values(RangeCase{"3", {"3, 3"}, 0}, RangeCase{"-4", {"1, 4"}, 0},
                                           RangeCase{"8-", {"8, 9999"}, 0}, RangeCase{"10-14", {"10, 14"}, 0},
                                           RangeCase{"5-2", {"5, 2"}, 0}, RangeCase{"12-14", {}, 1},
                                           RangeCase{"2,12", {"2, 2"}, 1}, RangeCase{"11,12-", {}, 2},
                                           RangeCase{"1-3,5", {"1, 3", "5, 5"}, 0},
                                           RangeCase{"2 - 4", {"2, 2", "1, 9999", "4, 4"}, 0},
                                           RangeCase{"\"1-3\",,5,", {"1, 3", "5, 5"}, 0}, RangeCase{" ", {}, 0}));

TEST_F(PowerPointTest, PasswordRunsTheKeyInAroundTheWholeWork) {
    EXPECT_TRUE(ppt.Print(kDeck, "", "秘密"));
    EXPECT_EQ(automation.journal.front(), "keyin start パスワード|OK|Edit|秘密");
    EXPECT_EQ(automation.journal.back(), "keyin stop");
}

class PowerPointFailureTest : public PowerPointTest, public ::testing::WithParamInterface<int> {};

TEST_P(PowerPointFailureTest, AFailureAtAnyCallShows13008AndMakesNoFurtherCall) {
    const int step = GetParam();
    automation.Script("Count", {1});
    automation.FailAt(step, "アクセスが拒否されました", static_cast<std::int32_t>(0x80070005));
    EXPECT_FALSE(ppt.Print(kDeck, "2", "pw"));

    const Lines whole = Joined({kPrepare,
                                {"put #5.RangeType = 4", "get #5.Ranges -> #6", "call #6.ClearAll()",
                                 "call #6.Add(2, 2)", "get #6.Count -> 1", "call #3.PrintOut()"},
                                kClose});
    EXPECT_EQ(automation.journal, Joined({{"keyin start パスワード|OK|Edit|pw"},
                                          FailedAt(whole, step, "アクセスが拒否されました"),
                                          {"keyin stop"}}));
    EXPECT_EQ(ui.BoxTexts(), Lines{"ＯＬＥエラー：アプリケーションの起動又は印刷ができませんでした。"
                                   "(FILE=C:\\slides\\deck.pptx, MSG=アクセスが拒否されました)"});
    EXPECT_EQ(automation.LiveObjects(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryCall, PowerPointFailureTest, ::testing::Range(1, 19));

} // namespace
} // namespace tarvoline
