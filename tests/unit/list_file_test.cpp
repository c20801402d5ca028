#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_crypto.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "fakes/message_services_fixture.h"
#include "list/filelist.h"
#include "listfile/ini_file.h"
#include "listfile/list_file.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

const std::string kPath = "C:\\Lists\\weekly.lst";

class ListFileTest : public testing::MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        list.SetHost(&host);
    }

    void Add(const std::string& path, bool checked = true, ExcelRangeMode mode = ExcelRangeMode::None,
             const std::vector<std::string>& sheets = {}, bool separateJobs = false, const std::string& password = "",
             const std::string& pageRange = "") {
        list.AddFiles({path}, checked, c_filelist::kAppend, separateJobs, sheets, mode, password, pageRange);
    }
    void Save(const std::string& path = kPath) { ASSERT_TRUE(listFile.WriteListFile(path)); }
    bool Load(const std::string& text, const std::string& path = kPath) {
        files.files[path] = text;
        return listFile.ReadListFile(path);
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (int i = 0; i < list.RowCount(); ++i)
            paths.push_back(list.EntryPath(i));
        return paths;
    }
    void ProtectWith(const std::string& password) {
        host.passwordChecked = true;
        host.passwordText = password;
        list.ListPassword = password;
    }

    FakeClassifier classifier;
    FakeShell shell;
    bool showPasswords = false;
    c_filelist list{classifier, shell, showPasswords};
    FakeListHost host;
    FakeCrypto crypto;
    c_listfile listFile{list, crypto, files, clock};
};

TEST_F(ListFileTest, WritesTheListFileLayout) {
    Add("C:\\Docs\\Report.docx", true, ExcelRangeMode::None, {}, false, "", "1-3,5");
    Add("C:\\Docs\\Budget.xlsx", false, ExcelRangeMode::SelectedSheets, {"Sales", "Costs"}, true);
    host.copies = "2";
    host.memo = "Monthly set\r\nSend to the office printer";
    Save();
    EXPECT_EQ(files.files[kPath], "[COMMON]\r\n"
                                  "COMMENT=Tarvoline.exe\r\n"
                                  "VERSION=1\r\n"
                                  "VERSION_FULL=1.0.5\r\n"
                                  "PRT_BUSUU=2\r\n"
                                  "[FILE1]\r\n"
                                  "FILE=C:\\Docs\\Report.docx\r\n"
                                  "START=1-3,5\r\n"
                                  "[FILE2]\r\n"
                                  "FILE=C:\\Docs\\Budget.xlsx\r\n"
                                  "PRINT=NO\r\n"
                                  "EXCELRANGE=シート選択\r\n"
                                  "EXCELSHEETS0=Sales\r\n"
                                  "EXCELSHEETS1=Costs\r\n"
                                  "EXCELSEPJOB=YES\r\n"
                                  "[MEMO]\r\n"
                                  "TEXT1=Monthly set\r\n"
                                  "TEXT2=Send to the office printer\r\n");
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(clock.sleeps, std::vector<std::int64_t>{2000});
    EXPECT_EQ(ui.waitCursorShown, 1);
    EXPECT_EQ(ui.waitCursorDepth, 0);
}

TEST_F(ListFileTest, EmptyListWritesOnlyCommonAndTheMemo) {
    Save();
    EXPECT_EQ(IniFile::Parse(files.files[kPath]).SectionNames(), std::vector<std::string>{"COMMON"});
    host.memo = "メモ";
    Save();
    EXPECT_EQ(IniFile::Parse(files.files[kPath]).SectionNames(), (std::vector<std::string>{"COMMON", "MEMO"}));
}

TEST_F(ListFileTest, SavingOverALongerListLeavesNoStaleSectionsButKeepsLinesBeforeTheFirst) {
    files.files[kPath] = "; made by hand\r\n[COMMON]\r\nPRT_BUSUU=9\r\n[FILE1]\r\nFILE=C:\\old1.doc\r\n[FILE2]\r\n"
                         "FILE=C:\\old2.doc\r\n[FILE3]\r\nFILE=C:\\old3.doc\r\n[EXTRA]\r\nkey=value\r\n[MEMO]\r\n"
                         "TEXT1=old memo\r\n";
    Add("C:\\new.doc");
    Save();
    const std::string& written = files.files[kPath];
    EXPECT_EQ(written.rfind("; made by hand\r\n[COMMON]\r\n", 0), 0u) << written;
    EXPECT_EQ(IniFile::Parse(written).SectionNames(), (std::vector<std::string>{"COMMON", "FILE1"}));
    EXPECT_EQ(written.find("old"), std::string::npos);
}

TEST_F(ListFileTest, AFailedWriteLeavesThePreviousFileByteForByte) {
    const std::string previous = "[COMMON]\r\nPRT_BUSUU=3\r\n[FILE1]\r\nFILE=C:\\keep.doc\r\n";
    files.files[kPath] = previous;
    Add("C:\\a.doc");
    Add("C:\\b.doc");
    files.failingPaths.insert(kPath);
    EXPECT_THROW(listFile.WriteListFile(kPath), ListFileError);
    EXPECT_EQ(files.files[kPath], previous);
    EXPECT_TRUE(list.Modified);
    EXPECT_EQ(ui.waitCursorDepth, 0);
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(ListFileTest, AnEncryptionFailureHalfwayLeavesThePreviousFileByteForByte) {
    const std::string previous = "[COMMON]\r\nPRT_BUSUU=3\r\n";
    files.files[kPath] = previous;
    Add("C:\\a.doc");
    ProtectWith("pw");
    crypto.failingStep = "derive";
    EXPECT_THROW(listFile.WriteListFile(kPath), c_userexcp);
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"データ暗号化に失敗しました。 Func=4 Code=80090008"});
    EXPECT_EQ(files.files[kPath], previous);
    EXPECT_TRUE(list.Modified);
}

TEST_F(ListFileTest, AFileThatCannotBeReadForSavingIsNotReplaced) {
    files.files[kPath] = "[COMMON]\r\n";
    files.unreadablePaths.insert(kPath);
    EXPECT_THROW(listFile.WriteListFile(kPath), ListFileError);
    EXPECT_EQ(files.files[kPath], "[COMMON]\r\n");
}

// Every setting of every kind of entry comes back, plain and under a list password.
TEST_F(ListFileTest, ReadsBackWhatWasWritten) {
    for (const std::string password : {"", "パスワード"}) {
        list.ClearList();
        Add("D:\\文書\\報告.docx", true, ExcelRangeMode::None, {}, false, "秘密", "2-3");
        Add("D:\\表計算\\予算.xlsx", false, ExcelRangeMode::SelectedSheets, {"売上", "My Sheet"}, true, "", "1-2");
        Add("D:\\cond.xlsm", true, ExcelRangeMode::NameNotContains, {"2024"});
        Add("D:\\フォルダ\\");
        host.copies = "12";
        host.memo = "一行目\r\n二行目";
        if (!password.empty())
            ProtectWith(password);
        Save();

        if (!password.empty())
            ui.promptAnswers.push_back({MessageResult::Ok, password});
        ASSERT_TRUE(listFile.ReadListFile(kPath)) << password;
        EXPECT_EQ(Paths(), (std::vector<std::string>{"D:\\文書\\報告.docx", "D:\\表計算\\予算.xlsx", "D:\\cond.xlsm",
                                                     "D:\\フォルダ\\"}));
        const EntrySettings first = list.GetEntrySettings(0);
        EXPECT_EQ(first.PageRange, "2-3");
        EXPECT_EQ(first.Password, "秘密");
        EXPECT_TRUE(list.IsChecked(0));
        const EntrySettings second = list.GetEntrySettings(1);
        EXPECT_FALSE(list.IsChecked(1));
        EXPECT_EQ(second.ExcelRange, ExcelRangeMode::SelectedSheets);
        EXPECT_EQ(second.Sheets, (std::vector<std::string>{"売上", "My Sheet"}));
        EXPECT_TRUE(second.SeparateJobs);
        const EntrySettings third = list.GetEntrySettings(2);
        EXPECT_EQ(third.ExcelRange, ExcelRangeMode::NameNotContains);
        EXPECT_EQ(third.Sheets, std::vector<std::string>{"2024"});
        EXPECT_TRUE(list.IsFolderEntry(3));
        EXPECT_EQ(host.copies, "12");
        EXPECT_EQ(host.memo, "一行目\r\n二行目");
        EXPECT_EQ(host.passwordChecked, !password.empty());
        EXPECT_EQ(host.passwordText, password);
        EXPECT_EQ(list.ListPassword, password);
        EXPECT_FALSE(list.Modified);
    }
}

TEST_F(ListFileTest, EntriesLoadInTheOrderOfTheirSections) {
    ASSERT_TRUE(Load("[FILE1]\r\nFILE=C:\\one.doc\r\n[FILE3]\r\nFILE=C:\\three.doc\r\n[file4]\r\nFILE=C:\\lower.doc\r\n"
                     "[FILE2]\r\nFILE=C:\\two.doc\r\n[COMMON]\r\n[FILEX]\r\nFILE=C:\\x.doc\r\n"));
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\one.doc", "C:\\three.doc", "C:\\two.doc", "C:\\x.doc"}));
}

TEST_F(ListFileTest, PrintIgnoresCaseButSeparateJobsDoesNot) {
    ASSERT_TRUE(Load("[FILE1]\r\nFILE=C:\\a.xls\r\nPRINT=no\r\nEXCELSEPJOB=yes\r\n"
                     "[FILE2]\r\nFILE=C:\\b.xls\r\nprint=Yes\r\nexcelsepjob=YES\r\n"
                     "[FILE3]\r\nFILE=C:\\c.xls\r\nPRINT=anything\r\n"));
    EXPECT_FALSE(list.IsChecked(0));
    EXPECT_FALSE(list.GetEntrySettings(0).SeparateJobs);
    EXPECT_TRUE(list.IsChecked(1));
    EXPECT_TRUE(list.GetEntrySettings(1).SeparateJobs);
    EXPECT_TRUE(list.IsChecked(2));
}

TEST_F(ListFileTest, SheetNumbersStopAtTheFirstGap) {
    ASSERT_TRUE(
        Load("[FILE1]\r\nFILE=C:\\a.xlsx\r\nEXCELRANGE=シート選択\r\nEXCELSHEETS0=first\r\nEXCELSHEETS2=third\r\n"
             "[MEMO]\r\nTEXT1=one\r\nTEXT3=three\r\n"));
    EXPECT_EQ(list.GetEntrySettings(0).Sheets, std::vector<std::string>{"first"});
    EXPECT_EQ(host.memo, "one");
}

TEST_F(ListFileTest, MissingKeysTakeTheirDefaults) {
    host.copies = "7";
    ASSERT_TRUE(Load("[FILE1]\r\nFILE=C:\\a.xlsx\r\nEXCELRANGE=unknown\r\n"));
    const EntrySettings settings = list.GetEntrySettings(0);
    EXPECT_TRUE(list.IsChecked(0));
    EXPECT_EQ(settings.PageRange, "");
    EXPECT_EQ(settings.Password, "");
    EXPECT_EQ(settings.ExcelRange, ExcelRangeMode::None);
    EXPECT_TRUE(settings.Sheets.empty());
    EXPECT_FALSE(settings.SeparateJobs);
    EXPECT_EQ(host.copies, "1");
    EXPECT_FALSE(host.passwordChecked);
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ui.statusTexts, std::vector<std::string>{""});
}

TEST_F(ListFileTest, AnEntryWithoutFileFailsTheWholeLoadSilently) {
    EXPECT_FALSE(
        Load("[COMMON]\r\nPRT_BUSUU=4\r\n[FILE1]\r\nFILE=C:\\a.doc\r\n[FILE2]\r\nPRINT=NO\r\n[MEMO]\r\nTEXT1=x\r\n"));
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(host.copies, "1");
    EXPECT_EQ(host.memo, "");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_FALSE(list.Modified);
}

TEST_F(ListFileTest, AMissingListFileIsReported) {
    Add("C:\\stays.doc");
    host.memo = "old";
    EXPECT_FALSE(listFile.ReadListFile("C:\\nowhere.lst"));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"ファイルが見つかりません。（File=C:\\nowhere.lst）    "});
    EXPECT_EQ(list.RowCount(), 0);
    EXPECT_EQ(host.memo, "");
    EXPECT_FALSE(list.Modified);
}

TEST_F(ListFileTest, AnUnreadableListFileIsReported) {
    files.files[kPath] = "[FILE1]\r\nFILE=C:\\a.doc\r\n";
    files.unreadablePaths.insert(kPath);
    EXPECT_FALSE(listFile.ReadListFile(kPath));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{FormatMessageId(13039, kPath)});
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(ListFileTest, MissingDocumentsLoadAndAreReportedOnce) {
    classifier.kinds["C:\\gone1.doc"] = FileKind::Missing;
    classifier.kinds["C:\\gone2.doc"] = FileKind::Missing;
    ASSERT_TRUE(
        Load("[FILE1]\r\nFILE=C:\\gone1.doc\r\n[FILE2]\r\nFILE=C:\\here.doc\r\n[FILE3]\r\nFILE=C:\\gone2.doc\r\n"));
    EXPECT_EQ(list.RowCount(), 3);
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{LoadMessageText(13040)});
}

TEST_F(ListFileTest, AShortcutEntryGoesThroughTheShortcutQuestion) {
    shell.shortcutTargets["C:\\link.lnk"] = "C:\\target.doc";
    ui.answers.push_back(MessageResult::Ok);
    ASSERT_TRUE(Load("[FILE1]\r\nFILE=C:\\link.lnk\r\n"));
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\target.doc"});
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{FormatMessageId(13087, "C:\\target.doc")});
}

// ---- memo ----

TEST_F(ListFileTest, MemoLinesAreStoredOnePerKey) {
    struct Case {
        std::string memo;
        std::vector<std::string> stored;
        std::string reloaded;
    };
    const Case cases[] = {
        {"ends with a break\r\n", {"ends with a break", ""}, "ends with a break\r\n"},
        {"say \"hi\" now", {"say \"hi\" now"}, "\"say \"\"hi\"\" now\""},
        {"\"say \"\"hi\"\" now\"", {"say \"hi\" now"}, "\"say \"\"hi\"\" now\""},
        {"\"part\" and more", {"part", " and more"}, "part\r\nand more"},
        {"\"unclosed\r\nsecond\r\nthird", {"\"unclosed", "second", "third"}, "\"\"\"unclosed\"\r\nsecond\r\nthird"},
    };
    for (const Case& c : cases) {
        host.memo = c.memo;
        Save();
        const IniFile written = IniFile::Parse(files.files[kPath]);
        for (std::size_t m = 0; m < c.stored.size(); ++m) {
            // The raw line: the reader would drop the leading blank of " and more".
            const std::string line = "TEXT" + std::to_string(m + 1) + "=" + c.stored[m] + "\r\n";
            EXPECT_NE(files.files[kPath].find(line), std::string::npos) << c.memo << " line " << m;
        }
        EXPECT_FALSE(written.KeyExists("MEMO", "TEXT" + std::to_string(c.stored.size() + 1))) << c.memo;
        ASSERT_TRUE(listFile.ReadListFile(kPath));
        EXPECT_EQ(host.memo, c.reloaded) << c.memo;
    }
}

// ---- list password ----

TEST_F(ListFileTest, AProtectedFileEncryptsEveryValueButTheCommentAndVersions) {
    Add("C:\\a.xlsx", false, ExcelRangeMode::SelectedSheets, {"S1"}, true, "docpw", "1-2");
    host.copies = "3";
    host.memo = "memo";
    ProtectWith("pw");
    Save();
    // Writing a list holds one provider context for all its values.
    EXPECT_EQ(crypto.acquired, 1);
    const std::string& text = files.files[kPath];
    EXPECT_EQ(text.rfind("[COMMON]\r\nCOMMENT=Tarvoline.exe\r\nVERSION=1\r\nVERSION_FULL=1.0.5\r\nLIST_PASSWD=", 0), 0u)
        << text;
    const IniFile file = IniFile::Parse(text);
    EXPECT_EQ(*file.Value("COMMON", "LIST_PASSWD"), listFile.EncryptValue("pw"));
    const std::pair<const char*, const char*> encrypted[] = {
        {"COMMON", "PRT_BUSUU"},   {"FILE1", "FILE"},        {"FILE1", "PRINT"},
        {"FILE1", "START"},        {"FILE1", "PASSWORD"},    {"FILE1", "EXCELRANGE"},
        {"FILE1", "EXCELSHEETS0"}, {"FILE1", "EXCELSEPJOB"}, {"MEMO", "TEXT1"},
    };
    for (const auto& [section, key] : encrypted) {
        const std::string value = file.ReadString(section, key, "");
        EXPECT_FALSE(value.empty()) << key;
        EXPECT_EQ(value.find_first_not_of("0123456789ABCDEF"), std::string::npos) << key << "=" << value;
    }
    EXPECT_EQ(listFile.DecryptValue(*file.Value("COMMON", "PRT_BUSUU")), "3");
    EXPECT_EQ(listFile.DecryptValue(*file.Value("MEMO", "TEXT1")), "memo");
}

TEST_F(ListFileTest, APasswordWithDoubleByteCharactersIsHashedAsItsCodePage932Bytes) {
    Add("C:\\Docs\\報告.docx");
    ProtectWith("パスワード");
    Save();
    // Computed independently: RC4 under the first 16 bytes of SHA-1 of the password's code page 932 bytes.
    EXPECT_EQ(IniFile::Parse(files.files[kPath]).Value("FILE1", "FILE"), "44AB120917EC0E88E6536F3509F58C94A8");
}

TEST_F(ListFileTest, OpeningAProtectedFileAsksForThePassword) {
    Add("C:\\a.doc");
    ProtectWith("pw");
    Save();
    list.ClearList();

    ui.promptAnswers.push_back({MessageResult::Ok, "pw"});
    ASSERT_TRUE(listFile.ReadListFile(kPath));
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].prompt, LoadMessageText(15101));
    EXPECT_EQ(ui.prompts[0].initialText, "");
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\a.doc"});
    EXPECT_TRUE(host.passwordChecked);
    EXPECT_EQ(host.passwordText, "pw");
    EXPECT_EQ(crypto.acquired, 2);
}

TEST_F(ListFileTest, AWrongOrMissingPasswordFailsTheLoad) {
    Add("C:\\a.doc");
    host.copies = "5";
    ProtectWith("pw");
    Save();
    struct Case {
        FakeUi::PromptAnswer answer;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {{MessageResult::Ok, "wrong"}, {"パスワードが一致しないか又は復号でエラーが発生しました"}},
        {{MessageResult::Ok, ""}, {}},
        {{MessageResult::Cancel, "pw"}, {}},
    };
    for (const Case& c : cases) {
        ui.boxes.clear();
        ui.promptAnswers.push_back(c.answer);
        EXPECT_FALSE(listFile.ReadListFile(kPath)) << c.answer.text;
        EXPECT_EQ(ui.BoxTexts(), c.boxes) << c.answer.text;
        EXPECT_EQ(list.RowCount(), 0);
        EXPECT_EQ(list.ListPassword, "");
        EXPECT_FALSE(host.passwordChecked);
        EXPECT_EQ(host.copies, "1");
        EXPECT_FALSE(list.Modified);
    }
}

TEST_F(ListFileTest, ADecryptionFailureFailsTheLoad) {
    Add("C:\\a.doc");
    ProtectWith("pw");
    Save();
    crypto.failingStep = "decrypt";
    crypto.failingCode = 0x57;
    ui.promptAnswers.push_back({MessageResult::Ok, "pw"});
    EXPECT_FALSE(listFile.ReadListFile(kPath));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"データ復号化に失敗しました。 Func=6 Code=57"});
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(ListFileTest, EncryptedValuesAreUpperCaseHexadecimalOfTheSameKeyStream) {
    list.ListPassword = "pass";
    EXPECT_EQ(listFile.EncryptValue("abc"), "9DADE5");
    EXPECT_EQ(listFile.EncryptValue("abc"), "9DADE5");
    EXPECT_EQ(listFile.EncryptValue("abd"), "9DADE2");
    EXPECT_EQ(listFile.EncryptValue(""), "");
    EXPECT_EQ(listFile.DecryptValue("9DADE5"), "abc");
    EXPECT_EQ(listFile.DecryptValue("9dade5"), "abc");
    EXPECT_EQ(listFile.DecryptValue(""), "");
}

TEST_F(ListFileTest, DecryptingFollowsTheHexadecimalRules) {
    list.ListPassword = "pass";
    const std::string cipher = listFile.EncryptValue("abcdef");
    struct Case {
        std::string text;
        std::string plain;
    };
    // The key stream byte at position 3 (what a zero ciphertext byte deciphers to) is 'd' ^ cipher byte 3.
    const std::string keyStream3(1, static_cast<char>('d' ^ std::stoi(cipher.substr(6, 2), nullptr, 16)));
    const Case cases[] = {
        {cipher, "abcdef"},
        {cipher + "7", "abcdef"},                         // an odd last digit is ignored
        {cipher.substr(0, 7), "abc"},                     // 7 digits: 3 bytes
        {cipher.substr(0, 6) + "ZZ", "abc" + keyStream3}, // from a bad pair on the bytes are zero, length stays 4
    };
    for (const Case& c : cases)
        EXPECT_EQ(listFile.DecryptValue(c.text), c.plain) << c.text;
    // The plaintext ends at its first zero byte.
    std::string withZero = listFile.EncryptValue(std::string("ab\0cd", 5));
    EXPECT_EQ(listFile.DecryptValue(withZero), "ab");
}

TEST_F(ListFileTest, AValueTooLongForTheCipherBufferIsRefusedNotCut) {
    list.ListPassword = "pw";
    const std::string longest(c_listfile::kCryptBufferSize - 1, 'x');
    EXPECT_EQ(listFile.EncryptValue(longest).size(), 2 * longest.size());
    EXPECT_TRUE(ui.boxes.empty());

    EXPECT_THROW(listFile.EncryptValue(std::string(c_listfile::kCryptBufferSize, 'x')), c_userexcp);
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"データ暗号化に失敗しました。 Func=5 Code=ea"});

    // In a save it stops the save before anything is written.
    files.files[kPath] = "old";
    Add("C:\\a.doc");
    ProtectWith("pw");
    host.memo = std::string(50000, 'm');
    EXPECT_THROW(listFile.WriteListFile(kPath), c_userexcp);
    EXPECT_EQ(files.files[kPath], "old");
}

TEST_F(ListFileTest, ConfirmingWithoutProtectionDropsTheListPassword) {
    list.ListPassword = "held";
    host.passwordText = "typed";
    EXPECT_TRUE(listFile.ConfirmListPassword());
    EXPECT_EQ(list.ListPassword, "");
    EXPECT_TRUE(ui.prompts.empty());
    Save();
    EXPECT_EQ(files.files[kPath].find("LIST_PASSWD"), std::string::npos);
}

TEST_F(ListFileTest, ConfirmingAnEmptyPasswordRefusesTheSave) {
    host.passwordChecked = true;
    EXPECT_FALSE(listFile.ConfirmListPassword());
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"パスワードが入力されていません"});
    EXPECT_EQ(host.passwordFocused, 1);
    EXPECT_TRUE(ui.prompts.empty());
}

TEST_F(ListFileTest, ThePasswordAListWasOpenedWithIsNotAskedAgain) {
    Add("C:\\a.doc");
    ProtectWith("pw");
    Save();
    ui.promptAnswers.push_back({MessageResult::Ok, "pw"});
    ASSERT_TRUE(listFile.ReadListFile(kPath));
    ui.prompts.clear();
    EXPECT_TRUE(listFile.ConfirmListPassword());
    EXPECT_TRUE(ui.prompts.empty());
}

TEST_F(ListFileTest, ANewPasswordIsAskedAgainUntilBothAgree) {
    host.passwordChecked = true;
    host.passwordText = "new";
    ui.promptAnswers = {{MessageResult::Ok, "typo"}, {MessageResult::Ok, "new"}};
    EXPECT_TRUE(listFile.ConfirmListPassword());
    EXPECT_EQ(list.ListPassword, "new");
    EXPECT_EQ(ui.events, (std::vector<std::string>{"prompt:" + LoadMessageText(15102),
                                                   "box:パスワードが一致しません。再度入力してください",
                                                   "prompt:" + LoadMessageText(15102)}));
    for (const auto& prompt : ui.prompts)
        EXPECT_EQ(prompt.initialText, "");

    host.passwordText = "newer";
    ui.promptAnswers = {{MessageResult::Cancel, "newer"}};
    EXPECT_FALSE(listFile.ConfirmListPassword());
    EXPECT_EQ(list.ListPassword, "new");
}

} // namespace
} // namespace tarvoline
