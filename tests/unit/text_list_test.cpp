#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "fakes/message_services_fixture.h"
#include "list/file_kinds.h"
#include "list/filelist.h"
#include "list/text_list.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

const std::string kText = "C:\\lists\\paths.txt";

// UTF-8 of the code page 932 literals of this file.
const std::string kReportUtf8 = "C:\\\xE6\x96\x87\xE6\x9B\xB8\\\xE5\xA0\xB1\xE5\x91\x8A.docx"; // C:\文書\報告.docx

class TextListTest : public testing::MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        list.SetHost(&host);
        for (const char* path : {"C:\\a.doc", "C:\\b.xlsx", "C:\\文書\\報告.docx", "C:\\notes.txt", "C:\\link.lnk"})
            files.files[path] = "";
        files.folders.insert("C:\\folder");
    }
    bool Import(const std::string& bytes) {
        files.files[kText] = bytes;
        return ImportTextList(list, files, kText);
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (int i = 0; i < list.RowCount(); ++i)
            paths.push_back(list.EntryPath(i));
        return paths;
    }

    // The program's own classifier: what exists and what it is come from the files above.
    FakeRegistry registry;
    bool allowOther = false;
    FileKinds classifier{files, registry, allowOther};
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    FakeListHost host;
};

TEST_F(TextListTest, ExportWritesEveryRowAsUtf8WithBomAndCrLf) {
    list.AddFiles({"C:\\a.doc", "C:\\文書\\報告.docx"}, true, c_filelist::kAppend);
    list.AddFiles({"C:\\folder\\"}, false, c_filelist::kAppend);
    list.Modified = false;
    ASSERT_TRUE(ExportTextList(list, files, kText));
    EXPECT_EQ(files.files[kText], "\xEF\xBB\xBF"
                                  "C:\\a.doc\r\n" +
                                      kReportUtf8 + "\r\nC:\\folder\\\r\n");
    EXPECT_FALSE(list.Modified);
}

TEST_F(TextListTest, ExportFailureIsReported) {
    list.AddFiles({"C:\\a.doc"}, true, c_filelist::kAppend);
    files.failingPaths.insert(kText);
    EXPECT_FALSE(ExportTextList(list, files, kText));
    EXPECT_EQ(ui.BoxTexts(),
              std::vector<std::string>{FormatMessageId(13069, kText, "The system cannot find the path specified.")});
    EXPECT_EQ(list.RowCount(), 1);
}

TEST_F(TextListTest, ImportTrimsSkipsBlankLinesAndRefusesWhatIsNotThere) {
    list.AddFiles({"C:\\old.doc"}, true, c_filelist::kAppend);
    host.memo = "old memo";
    ASSERT_TRUE(Import("  C:\\a.doc\t\r\n\r\n   \r\nC:\\deleted.doc\nC:\\folder\\\rC:\\notes.txt\r\nC:\\b.xlsx\r\n"
                       "C:\\folder\r\nC:\\gone\\\r\nC:\\a.doc"));
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"C:\\a.doc", "C:\\folder\\", "C:\\b.xlsx", "C:\\folder", "C:\\a.doc"}));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{FormatMessageId(13066, "C:\\deleted.doc\r\nC:\\notes.txt\r\n"
                                                                             "C:\\gone\\\r\n")});
    EXPECT_TRUE(list.IsFolderEntry(1));
    EXPECT_FALSE(list.IsFolderEntry(3)) << "a folder without its backslash is a file entry";
    for (int i = 0; i < list.RowCount(); ++i)
        EXPECT_TRUE(list.IsChecked(i));
    EXPECT_EQ(host.memo, "");
    EXPECT_TRUE(list.Modified);
}

TEST_F(TextListTest, ExportThenImportGivesThePathsBackWithDefaults) {
    list.AddFiles({"C:\\文書\\報告.docx", "C:\\b.xlsx"}, false, c_filelist::kAppend, true, {"S"},
                  ExcelRangeMode::SelectedSheets, "pw", "1-2");
    ASSERT_TRUE(ExportTextList(list, files, kText));
    ASSERT_TRUE(ImportTextList(list, files, kText));
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\文書\\報告.docx", "C:\\b.xlsx"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(list.IsChecked(i));
        const EntrySettings settings = list.GetEntrySettings(i);
        EXPECT_EQ(settings.ExcelRange, ExcelRangeMode::None);
        EXPECT_EQ(settings.Password, "");
        EXPECT_EQ(settings.PageRange, "");
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(TextListTest, ByteOrderMarksSelectTheEncoding) {
    auto utf16 = [](const std::u16string& text, bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t c : text) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    const std::u16string lines = u"C:\\文書\\報告.docx\r\nC:\\a.doc\r\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + kReportUtf8 + "\r\nC:\\a.doc\r\n", kReportUtf8 + "\nC:\\a.doc",
                                     utf16(lines, false), utf16(lines, true)}) {
        ui.boxes.clear();
        ASSERT_TRUE(Import(bytes));
        EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\文書\\報告.docx", "C:\\a.doc"}));
        EXPECT_TRUE(ui.boxes.empty());
    }
}

TEST_F(TextListTest, LinesWithoutACodePage932FormAreRefusedNotAltered) {
    // A legacy code page 932 file without byte-order mark is read as UTF-8; an emoji has no code page 932 form.
    const std::string legacy = "C:\\文書\\報告.docx";
    ASSERT_TRUE(Import(legacy + "\r\nC:\\\xF0\x9F\x98\x80.doc\r\nC:\\a.doc\r\n"));
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\a.doc"});
    ASSERT_EQ(ui.boxes.size(), 1u);
    const std::string& text = ui.boxes[0].text;
    EXPECT_EQ(text.rfind(LoadMessageText(13066).substr(0, 20), 0), 0u);
    EXPECT_NE(text.find("C:\\?.doc\r\n"), std::string::npos) << text;
}

TEST_F(TextListTest, NothingUsableStillReplacesTheList) {
    list.AddFiles({"C:\\old.doc"}, true, c_filelist::kAppend);
    for (const std::string& content : {std::string(), std::string("\r\n  \r\n"), std::string("C:\\missing.doc\r\n")}) {
        ui.boxes.clear();
        ASSERT_TRUE(Import(content));
        EXPECT_EQ(list.RowCount(), 0);
        EXPECT_EQ(ui.boxes.back().text, LoadMessageText(13067));
        EXPECT_FALSE(list.Modified);
    }
}

TEST_F(TextListTest, AnUnreadableFileIsReportedWithAnEmptyList) {
    list.AddFiles({"C:\\old.doc"}, true, c_filelist::kAppend);
    EXPECT_FALSE(ImportTextList(list, files, "C:\\nowhere.txt"));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{FormatMessageId(13068, "C:\\nowhere.txt",
                                                                      "The system cannot find the file specified.")});
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(TextListTest, ShortcutsGoThroughTheShortcutQuestion) {
    shell.shortcutTargets["C:\\link.lnk"] = "C:\\a.doc";
    ui.answers.push_back(MessageResult::Cancel);
    ASSERT_TRUE(Import("C:\\link.lnk\r\nC:\\b.xlsx\r\n"));
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\b.xlsx"});
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{FormatMessageId(13087, "C:\\a.doc")});
}

} // namespace
} // namespace tarvoline
