#include <gtest/gtest.h>

#include <string>

#include "fakes/message_services_fixture.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"

namespace tarvoline {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::MemoryFileSystem;

struct CatalogueCase {
    std::int32_t id;
    const char* text;
};

class CatalogueTest : public ::testing::TestWithParam<CatalogueCase> {};

TEST_P(CatalogueTest, LoadsTheExactText) { EXPECT_EQ(LoadMessageText(GetParam().id), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Texts, CatalogueTest,
    ::testing::Values(
        CatalogueCase{11203, "ファイル印刷中： %s"}, CatalogueCase{12001, "PRINT"}, CatalogueCase{12033, "FILE"},
        CatalogueCase{12044, "PRT_BUSUU"}, CatalogueCase{13007, "リストは変更されています。保存しますか？ "},
        CatalogueCase{13035, "シート情報が取得できませんでした。            "},
        CatalogueCase{13038, "ファイルが見つかりません。（File=%s）    "},
        CatalogueCase{13054, "ファイルの印刷に失敗sました。(File=%s, Error=%d)"},
        CatalogueCase{13080, "Tarvolineコマンドラインオプション\r\n\r\nTarvoline.exe /B リストファイル名  "
                             "[ログファイル名]\r\n        　バッチ実行（リストファイルを開く→印刷→終了）します\r\n"
                             "Tarvoline.exe リストファイル\r\n        　指定されたリストファイルを開きます"},
        CatalogueCase{13220, "データ暗号化に失敗しました。 Func=%d Code=%x"}, CatalogueCase{14001, "Quendral"},
        CatalogueCase{15004, "内部エラー:"}, CatalogueCase{15006, "Ｅｘｃｅｌシート情報を取得中です．．．"},
        CatalogueCase{15008, "Word, Excel, PowerPointのファイルを印刷します。\r\n"},
        CatalogueCase{16007, "EXCELジョブ"}, CatalogueCase{17005, "ファイル印刷開始　　：%s"},
        CatalogueCase{17010, "　印刷ログ　：%s , %s"}, CatalogueCase{17040, "レジストリにPrintToコマンドなし：%s"},
        // Kept in the catalogue although nothing loads them.
        CatalogueCase{13002, "トレイアイコンの登録失敗 "}, CatalogueCase{15003, "Tarvoline.log"},
        CatalogueCase{17020, "　印刷詳細ログ　：%s , %s"},
        // Ids outside the catalogue give an empty text.
        CatalogueCase{0, ""}, CatalogueCase{13000, ""}, CatalogueCase{99999, ""}, CatalogueCase{-1, ""}),
    [](const auto& info) { return "id" + std::to_string(info.param.id < 0 ? 0 : info.param.id) + "_" + std::to_string(info.index); });

TEST(CatalogueTest, EveryIdTheProgramUsesHasAText) {
    const std::int32_t ids[] = {
        11203, 12001, 12002, 12003, 12021, 12022, 12023, 12024, 12025, 12031, 12032, 12033, 12034, 12035, 12036,
        12037, 12041, 12042, 12043, 12044, 13001, 13007, 13008, 13009, 13020, 13021, 13022, 13023, 13024, 13025,
        13034, 13035, 13036, 13037, 13038, 13039, 13040, 13050, 13051, 13052, 13053, 13054, 13061, 13062, 13063,
        13064, 13066, 13067, 13068, 13069, 13080, 13081, 13082, 13083, 13084, 13086, 13087, 13088, 13110, 13210,
        13211, 13212, 13220, 13230, 14001, 14002, 15001, 15002, 15004, 15006, 15007, 15008, 15009, 15010, 15011,
        15021, 15022, 15101, 15102, 16001, 16002, 16003, 16004, 16005, 16006, 16007, 16011, 16012, 16013, 16014,
        16015, 16016, 17001, 17002, 17003, 17004, 17005, 17006, 17007, 17008, 17010, 17030, 17040};
    for (auto id : ids) EXPECT_FALSE(LoadMessageText(id).empty()) << id;
}

struct FormatCase {
    const char* name;
    const char* format;
    MessageArg first;
    MessageArg second;
    const char* expected;
};

class FormatTextTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTextTest, FormatsLikePrintfWithoutTrustingTheArguments) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatText(c.format, {c.first, c.second}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTextTest,
    ::testing::Values(
        FormatCase{"text", "(File=%s, Error=%d)", "C:\\a.pdf", 5, "(File=C:\\a.pdf, Error=5)"},
        FormatCase{"negative", "%d", -2147483647 - 1, 0, "-2147483648"},
        FormatCase{"hex", "Code=%x", static_cast<int>(0x80070005u), 0, "Code=80070005"},
        FormatCase{"hexNegative", "%x", -1, 0, "ffffffff"},
        FormatCase{"hexUpperPadded", "%08X", 0x1f, 0, "0000001F"},
        FormatCase{"widthLeft", "[%-4d|%4s]", 7, "ab", "[7   |  ab]"},
        FormatCase{"precision", "%.3s", "abcdef", 0, "abc"},
        FormatCase{"percent", "100%% %s", "done", 0, "100% done"},
        FormatCase{"secondIgnored", "only %s", "one", "two", "only one"},
        FormatCase{"missingText", "%s and %s and %s", "a", "b", "a and b and "},
        FormatCase{"missingNumber", "%d-%d-%d", 1, 2, "1-2-0"},
        FormatCase{"textWhereNumber", "Error=%d", "busy", 0, "Error=busy"},
        FormatCase{"numberWhereText", "File=%s", 42, 0, "File=42"},
        FormatCase{"percentInsideArgument", "%s|%s", "%s%d%n%x", "x", "%s%d%n%x|x"},
        FormatCase{"strayPercentAtEnd", "50%", 0, 0, "50%"},
        FormatCase{"unknownConversion", "%q %n %s", "x", 0, "%q %n x"},
        FormatCase{"doubleByteSecondHalf", "表示%s", "能力", 0, "表示能力"},
        FormatCase{"emptyText", "[%s]", "", 0, "[]"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatMessageIdTest, FillsTheCatalogueFormat) {
    EXPECT_EQ(FormatMessageId(13053, "D:\\報告.pdf", 2), "PDFの印刷に失敗しました。(File=D:\\報告.pdf, Error=2)");
    EXPECT_EQ(FormatMessageId(13230, 3, static_cast<int>(0x8009000Bu)), "データ復号化に失敗しました。 Func=3 Code=8009000b");
    EXPECT_EQ(FormatMessageId(99999, "ignored", 1), "");
}

TEST(FormatMessageIdTest, CutsAfter9998BytesOnACharacterBoundary) {
    EXPECT_EQ(FormatText("%s", {std::string(20000, 'a')}).size(), 9998u);
    // 9,997 single bytes then a double-byte character: keeping its first byte alone would corrupt the text.
    const std::string text = std::string(9997, 'a') + "表";
    const std::string cut = FormatText("%s", {text});
    EXPECT_EQ(cut, std::string(9997, 'a'));
    const std::string evenText = std::string(9996, 'a') + "表表";
    EXPECT_EQ(FormatText("%s", {evenText}), std::string(9996, 'a') + "表");
}

// Installs a scripted window system and a print log for the message operations, and removes them after.
class MessageDisplayTest : public testing::MessageServicesTest {
protected:
    std::string LogLine(std::size_t index) const {
        std::string text = log.GetText();
        std::size_t start = 0;
        for (std::size_t i = 0; i < index; ++i) start = text.find("\r\n", start) + 2;
        return text.substr(start, text.find("\r\n", start) - start);
    }

};

TEST_F(MessageDisplayTest, ShowMessageIdShowsAnOkBoxAndLogsItsText) {
    ShowMessageId(13038, "C:\\list.lst");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "ファイルが見つかりません。（File=C:\\list.lst）    ");
    EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 ファイルが見つかりません。（File=C:\\list.lst）    \r\n");
}

TEST_F(MessageDisplayTest, ShowMessageIdAcceptsItsThreeArgumentForms) {
    ShowMessageId(13220, 2, 0x57);
    ShowMessageId(13053, "a.pdf", 31);
    ShowMessageId(13036, "b.ppt", "3-1");
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].text, "データ暗号化に失敗しました。 Func=2 Code=57");
    EXPECT_EQ(ui.boxes[1].text, "PDFの印刷に失敗しました。(File=a.pdf, Error=31)");
    EXPECT_EQ(ui.boxes[2].text, "印刷ページ範囲が異常です。(File=b.ppt, Range=3-1)");
}

TEST_F(MessageDisplayTest, QuestionsReturnTheButtonAndAreLoggedWhateverTheAnswer) {
    ui.answers = {MessageResult::Cancel, MessageResult::No, MessageResult::Ok};
    EXPECT_EQ(AskOkCancel(13087, "C:\\実体.doc"), MessageResult::Cancel);
    EXPECT_EQ(AskYesNoCancel(13007), MessageResult::No);
    EXPECT_EQ(AskOkCancel(13086, 120), MessageResult::Ok);
    ASSERT_EQ(ui.boxes.size(), 3u);
    EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.boxes[1].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(LogLine(0), "2014/05/12 9:05:03 ショートカットはリストへ追加できません。実体ファイルを追加してよいですか？（実体=C:\\実体.doc）");
    EXPECT_EQ(LogLine(1), "2014/05/12 9:05:03 リストは変更されています。保存しますか？ ");
    EXPECT_EQ(LogLine(2), "2014/05/12 9:05:03 ファイル数が多いのでリストへの登録に時間がかかりますがよいですか？（ファイル数=120）");
}

TEST_F(MessageDisplayTest, BoxClosedWithoutAButtonCountsAsCancelForQuestions) {
    // The fake answers like a box closed with Escape or the close button.
    EXPECT_EQ(AskOkCancel(13086, 1), MessageResult::Cancel);
    EXPECT_EQ(AskYesNoCancel(13007), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxId(13081, 0, 0, MessageButtons::Ok), MessageResult::Ok);
}

TEST_F(MessageDisplayTest, InternalErrorTextHasTheBlankAfterCode2AndIsLogged) {
    ShowInternalError("f_itemidsub_getname 2", 0, 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "内部エラー: func=f_itemidsub_getname 2 code1=0 code2= 0");
    EXPECT_EQ(ui.boxes[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(LogLine(0), "2014/05/12 9:05:03 内部エラー: func=f_itemidsub_getname 2 code1=0 code2= 0");
}

TEST_F(MessageDisplayTest, UserErrorWithIdZeroShowsNothing) {
    try {
        throw c_userexcp(0, 0, 0);
    } catch (const c_userexcp& error) {
        ShowUserError(error);
    }
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(log.HasLines());
}

TEST_F(MessageDisplayTest, UserErrorWithAnIdShowsItsMessage) {
    ShowUserError(c_userexcp(13084, "D:\\log.txt", "denied"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "ログ出力に失敗しました。(D:\\log.txt)");
}

TEST_F(MessageDisplayTest, StatusLineIsSetPaintedAndNeverLogged) {
    SetStatusMessage(11203, "C:\\a.doc");
    SetStatusMessage(0, 0, 0);
    SetStatusText("直接");
    EXPECT_EQ(ui.statusTexts, (std::vector<std::string>{"ファイル印刷中： C:\\a.doc", "", "直接"}));
    EXPECT_EQ(ui.pumpCount, 3);
    EXPECT_FALSE(log.HasLines());
}

TEST(MessageWithoutWindowTest, BoxesAnswerAsClosedAndStillReachTheLog) {
    FakeClock clock;
    MemoryFileSystem files;
    c_print_log log(clock, files);
    SetPrintLog(&log);
    EXPECT_EQ(AskYesNoCancel(13007), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxId(13081, 0, 0, MessageButtons::Ok), MessageResult::Ok);
    SetStatusText("nothing to paint");
    SetPrintLog(nullptr);
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 リストは変更されています。保存しますか？ \r\n"
                             "2014/05/12 9:05:03 印刷が終了しました。\r\n");
}

} // namespace
} // namespace tarvoline
