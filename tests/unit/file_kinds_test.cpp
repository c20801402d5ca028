#include <gtest/gtest.h>

#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_registry.h"
#include "fakes/memory_file_system.h"
#include "list/file_kinds.h"
#include "print/prtoth.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class FileKindsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetPrintLog(&log);
        // A registered type with a print-to command, one without, and an extension of neither.
        registry.PutString("HKCR\\.txt", "", "txtfile");
        registry.PutString("HKCR\\txtfile\\shell\\Printto\\command", "", "notepad.exe /pt \"%1\" \"%2\"");
        registry.PutString("HKCR\\.bmp", "", "Paint.Picture");
        registry.PutString("HKCR\\Paint.Picture\\shell\\open\\command", "", "mspaint.exe \"%1\"");
        for (const char* file : {"C:\\r.DOCX", "C:\\archive.pdf.txt", "C:\\photo.bmp", "C:\\README", "C:\\data.csv",
                                 "C:\\link.lnk", "C:\\s.VsDx", "C:\\表.xls", "C:\\dir.x\\ソ表.pptm"})
            files.files[file] = "";
        files.folders.insert("C:\\old.doc");
    }
    void TearDown() override { SetPrintLog(nullptr); }

    FakeClock clock;
    MemoryFileSystem files;
    c_print_log log{clock, files};
    FakeRegistry registry;
    bool allowOther = false;
    FileKinds kinds{files, registry, allowOther};
};

TEST_F(FileKindsTest, KindByAttributesThenExtensionThenPrintCommand) {
    struct Case {
        const char* path;
        FileKind kind;
    };
    const Case cases[] = {
        {"C:\\r.DOCX", FileKind::Word},           {"C:\\s.VsDx", FileKind::Visio},
        {"C:\\表.xls", FileKind::Excel},          {"C:\\dir.x\\ソ表.pptm", FileKind::PowerPoint},
        {"C:\\link.lnk", FileKind::Shortcut},     {"C:\\old.doc", FileKind::Folder},
        {"C:\\old.doc\\", FileKind::Folder},      {"C:\\gone.pdf", FileKind::Missing},
        {"C:\\archive.pdf.txt", FileKind::Other}, {"C:\\photo.bmp", FileKind::Unsupported},
        {"C:\\data.csv", FileKind::Unsupported},  {"C:\\README", FileKind::Unsupported},
    };
    for (const auto& c : cases) EXPECT_EQ(kinds.FileKindOf(c.path), c.kind) << c.path;
}

TEST_F(FileKindsTest, PrintCommandTestLogsWhyATypeIsNotPrintable) {
    EXPECT_FALSE(c_prtoth::HasPrintToCommand(registry, "C:\\data.csv"));
    EXPECT_FALSE(c_prtoth::HasPrintToCommand(registry, "C:\\photo.bmp"));
    EXPECT_TRUE(c_prtoth::HasPrintToCommand(registry, "C:\\notes.txt"));
    EXPECT_EQ(log.GetText(), "2014/05/12 9:05:03 レジストリに拡張子なし ：C:\\data.csv\r\n"
                             "2014/05/12 9:05:03 レジストリにPrintToコマンドなし：C:\\photo.bmp\r\n");
}

TEST_F(FileKindsTest, AFileWithoutExtensionIsOtherWhenTheEmptyExtensionHasACommand) {
    registry.PutString("HKCR\\", "", "nameless");
    registry.PutString("HKCR\\nameless\\shell\\Printto\\command", "", "print.exe");
    EXPECT_EQ(kinds.FileKindOf("C:\\README"), FileKind::Other);
}

TEST_F(FileKindsTest, AddableFollowsTheKindAndTheAllowOtherSetting) {
    EXPECT_FALSE(kinds.IsAddable("C:\\photo.bmp"));
    EXPECT_FALSE(kinds.IsAddable("C:\\archive.pdf.txt"));
    allowOther = true;
    EXPECT_TRUE(kinds.IsAddable("C:\\archive.pdf.txt"));
    EXPECT_TRUE(kinds.IsAddable("C:\\gone.doc"));
    EXPECT_TRUE(kinds.IsAddable("C:\\link.lnk"));
    EXPECT_TRUE(kinds.IsAddable("C:\\old.doc"));
    EXPECT_TRUE(kinds.IsShortcut("C:\\link.lnk"));
}

TEST_F(FileKindsTest, AWalkAsksTheRegistryOncePerTypeButLogsEveryFile) {
    allowOther = true;
    const auto registryOpens = [&] { return registry.journal.size(); };
    const std::vector<std::string> walked = {"C:\\data.csv", "C:\\photo.bmp", "C:\\r.DOCX", "C:\\archive.pdf.txt"};
    std::vector<bool> outsideAWalk;
    for (const std::string& path : walked)
        outsideAWalk.push_back(kinds.IsAddable(path));
    const std::string outsideLog = log.GetText();
    log.Clear();

    kinds.BeginWalk();
    const std::size_t before = registryOpens();
    for (int round = 0; round < 3; ++round) {
        std::vector<bool> inAWalk;
        for (const std::string& path : walked)
            inAWalk.push_back(kinds.IsAddableFile(path));
        EXPECT_EQ(inAWalk, outsideAWalk);
    }
    // .csv: one open; .bmp: its type and the missing command; .txt: both keys.
    EXPECT_EQ(registryOpens() - before, 5u);
    kinds.EndWalk();
    EXPECT_EQ(log.GetText(), outsideLog + outsideLog + outsideLog);

    // A type registered after the walk counts at once.
    registry.PutString("HKCR\\.csv", "", "csvfile");
    registry.PutString("HKCR\\csvfile\\shell\\Printto\\command", "", "print.exe");
    kinds.BeginWalk();
    EXPECT_TRUE(kinds.IsAddableFile("C:\\data.csv"));
    kinds.EndWalk();
}

} // namespace
} // namespace tarvoline
