#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "fakes/message_services_fixture.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "platform/std_file_system.h"

namespace tarvoline {
namespace {

using testing::FakeClock;
using testing::FakeUi;
using testing::MemoryFileSystem;

struct StampCase {
    LocalTime time;
    const char* expected;
};

class TimeStampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(TimeStampTest, WritesTheJapaneseShortDateAndLongTime) {
    EXPECT_EQ(FormatLogTimeStamp(GetParam().time), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeStampTest,
                         ::testing::Values(StampCase{{2014, 5, 12, 9, 5, 3, 0}, "2014/05/12 9:05:03"},
                                           StampCase{{2026, 12, 31, 23, 59, 59, 999}, "2026/12/31 23:59:59"},
                                           StampCase{{2014, 5, 12, 0, 0, 0, 0}, "2014/05/12"},
                                           StampCase{{2014, 5, 12, 0, 0, 0, 1}, "2014/05/12 0:00:00"},
                                           StampCase{{2014, 5, 12, 0, 0, 1, 0}, "2014/05/12 0:00:01"},
                                           StampCase{{2014, 5, 12, 12, 0, 0, 0}, "2014/05/12 12:00:00"}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

class PrintLogTest : public testing::MessageServicesTest {
protected:

};

TEST_F(PrintLogTest, TextOfEmptyAndOneLineLog) {
    EXPECT_FALSE(log.HasLines());
    EXPECT_EQ(log.GetText(), "");
    log.AddLine("x");
    EXPECT_TRUE(log.HasLines());
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 x\r\n");
}

TEST_F(PrintLogTest, UntitledListStartLineEndsAfterTheColon) {
    LogMessage(17001, "", "");
    clock.now = {2014, 5, 13, 0, 0, 0, 0};
    LogMessage(17006, "C:\\文書\\表.doc");
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 ファイルリスト印刷開始：\r\n"
                             "2014/05/13 ファイル印刷正常終了：C:\\文書\\表.doc\r\n");
}

TEST_F(PrintLogTest, ClearEmptiesTheLinesAndKeepsTheFileName) {
    log.FileName = "C:\\log.txt";
    LogText("before");
    ClearPrintLog();
    EXPECT_FALSE(log.HasLines());
    EXPECT_EQ(log.FileName, "C:\\log.txt");
}

TEST_F(PrintLogTest, WriteFileWithoutANameWritesNothingAndSaysNothing) {
    LogText("line");
    log.WriteFile();
    EXPECT_TRUE(files.files.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PrintLogTest, WriteFileIsUtf8WithBomAndCrLfAndReplacesTheOldFile) {
    log.FileName = "C:\\logs\\run.txt";
    files.files[log.FileName] = "an older, longer log that must not survive in any part";
    LogMessage(17001, "C:\\週次.lst");
    LogMessage(17002, "C:\\週次.lst");
    log.WriteFile();
    const std::string expected = "\xEF\xBB\xBF"
                                 "2014/05/12 9:05:03 \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x83\xAA"
                                 "\xE3\x82\xB9\xE3\x83\x88\xE5\x8D\xB0\xE5\x88\xB7\xE9\x96\x8B\xE5\xA7\x8B\xEF\xBC\x9A"
                                 "C:\\\xE9\x80\xB1\xE6\xAC\xA1.lst\r\n"
                                 "2014/05/12 9:05:03 \xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x83\xAA"
                                 "\xE3\x82\xB9\xE3\x83\x88\xE5\x8D\xB0\xE5\x88\xB7\xE7\xB5\x82\xE4\xBA\x86\xEF\xBC\x9A"
                                 "C:\\\xE9\x80\xB1\xE6\xAC\xA1.lst\r\n";
    EXPECT_EQ(files.files[log.FileName], expected);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PrintLogTest, EmptyLogStillWritesTheByteOrderMark) {
    log.FileName = "C:\\empty.txt";
    log.WriteFile();
    EXPECT_EQ(files.files["C:\\empty.txt"], "\xEF\xBB\xBF");
}

TEST_F(PrintLogTest, FailedWriteShowsTheMessageKeepsTheOldFileAndTheLines) {
    log.FileName = "C:\\missing\\log.txt";
    files.files[log.FileName] = "previous good log";
    files.failingPaths.insert(log.FileName);
    LogText("line");
    log.WriteFile();
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "ログ出力に失敗しました。(C:\\missing\\log.txt)");
    EXPECT_EQ(files.files[log.FileName], "previous good log");
    // The box's own text lands in the log, which shows the lock was released before it was shown.
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 line\r\n2014/05/12 9:05:03 ログ出力に失敗しました。(C:\\missing\\log.txt)\r\n");
}

TEST_F(PrintLogTest, LinesFromTwoThreadsAreAllKept) {
    auto addMany = [this](const char* text) {
        for (int i = 0; i < 2000; ++i) log.AddLine(text);
    };
    std::thread worker(addMany, "worker");
    addMany("window");
    worker.join();
    const std::string text = log.GetText();
    std::size_t lines = 0;
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2) ++lines;
    EXPECT_EQ(lines, 4000u);
}

// The standard library's rename does not replace a file on Windows; the program uses its Win32 file
// system there, which has tests of its own.
#ifndef _WIN32
class StdFileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("tarvoline-fs-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::size_t EntriesInFolder() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
    }

    std::filesystem::path folder;
    StdFileSystem fs;
};

TEST_F(StdFileSystemTest, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFile) {
    const std::string path = (folder / "log.txt").string();
    ASSERT_TRUE(fs.WriteFileAtomic(path, "first version, longer").ok());
    ASSERT_TRUE(fs.WriteFileAtomic(path, "second").ok());
    std::string bytes;
    ASSERT_TRUE(fs.ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(StdFileSystemTest, WriteIntoAMissingFolderFailsWithAReason) {
    const FileResult result = fs.WriteFileAtomic((folder / "no-such-folder" / "log.txt").string(), "x");
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(EntriesInFolder(), 0u);
}

TEST_F(StdFileSystemTest, ReadingAMissingFileFails) {
    std::string bytes = "unchanged?";
    EXPECT_FALSE(fs.ReadWholeFile((folder / "absent").string(), bytes).ok());
}
#endif

} // namespace
} // namespace tarvoline
