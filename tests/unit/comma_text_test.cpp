#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list/filelist.h"

namespace tarvoline {
namespace {

using Items = std::vector<std::string>;

struct CommaCase {
    std::string text;
    Items items;
};

class CommaTextTest : public ::testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextTest, ReadsAsAStringListReadsCommaText) {
    EXPECT_EQ(SplitCommaText(GetParam().text), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Texts, CommaTextTest,
                         ::testing::Values(CommaCase{"", {}}, CommaCase{" \t ", {}}, CommaCase{"1-3,5", {"1-3", "5"}},
                                           CommaCase{"2 - 4", {"2", "-", "4"}}, CommaCase{" 1 , 2 ", {"1", "2"}},
                                           CommaCase{"1,,2", {"1", "", "2"}}, CommaCase{"1,", {"1", ""}},
                                           CommaCase{"1, ", {"1"}}, CommaCase{",1", {"", "1"}},
                                           CommaCase{"\"a b\",\"say \"\"hi\"\"\",c", {"a b", "say \"hi\"", "c"}},
                                           CommaCase{"\"open", {"open"}}, CommaCase{"\"x\"y,z", {"x", "y", "z"}},
                                           CommaCase{"表,ソ表 十", {"表", "ソ表", "十"}},
                                           CommaCase{std::string("1\0,2", 4), {"1"}}));

// The sheet list writer's output reads back as the same names.
TEST(CommaTextRoundTrip, SheetNamesSurviveWritingAndReading) {
    const Items names = {"Sheet1", "My Sheet", "a\"b", "x,y", "売上表"};
    EXPECT_EQ(SplitCommaText(SheetsCommaText(names)), names);
}

} // namespace
} // namespace tarvoline
