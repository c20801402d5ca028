#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listfile/memo_lines.h"

namespace tarvoline {
namespace {

using Lines = std::vector<std::string>;

TEST(MemoLines, SplitsTheMemoIntoStoredLines) {
    struct Case {
        std::string memo;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one line", {"one line"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\n", {"a", ""}},
        {"\r\na", {"", "a"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"say \"hi\"", {"say \"hi\""}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"quoted\" and the rest", {"quoted", " and the rest"}},
        {"\"\"", {""}},
        {"\"a\"\r\n", {"a", ""}},
        {"メモ\r\n\"引用\"の後", {"メモ", "引用", "の後"}},
        // An opening quote without its closing one on the same line is an ordinary character: it neither
        // swallows the following lines nor puts a line break into a stored line.
        {"\"open\r\nnext line\r\nlast", {"\"open", "next line", "last"}},
        {"\"\"\"", {"\"\"\""}},
        {"ok\r\n\"never closed", {"ok", "\"never closed"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitMemoText(c.memo), c.lines) << c.memo;
}

TEST(MemoLines, JoinsStoredLinesIntoTheMemo) {
    struct Case {
        Lines lines;
        std::string memo;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, "\r\n"},
        {{"a", ""}, "a\r\n"},
        {{"a", "b"}, "a\r\nb"},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"\"open"}, "\"\"\"open\""},
        {{"日本語", "二行目"}, "日本語\r\n二行目"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinMemoLines(c.lines), c.memo);
}

// What a save stores, a load and a second save store again.
TEST(MemoLines, StoredLinesStayTheSameThroughLoadAndSave) {
    const std::string memos[] = {"plain\r\ntext",
                                 "say \"hi\" twice",
                                 "\"quoted\" rest",
                                 "\"open\r\nnext",
                                 "ends with a break\r\n",
                                 "\"\"\"",
                                 ""};
    for (const std::string& memo : memos) {
        const Lines stored = SplitMemoText(memo);
        EXPECT_EQ(SplitMemoText(JoinMemoLines(stored)), stored) << memo;
        for (const std::string& line : stored)
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << memo;
    }
}

} // namespace
} // namespace tarvoline
