// CryptoAPI and the portable SHA-1 + RC4 give the same bytes, so list files move between them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "fakes/fake_classifier.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_list_host.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_ui.h"
#include "list/filelist.h"
#include "listfile/list_file.h"
#include "listfile/portable_crypto.h"
#include "listfile/simple_crypt.h"
#include "platform/win32_crypto.h"
#include "platform/win32_file_system.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

std::vector<unsigned char> Encrypted(Crypto& crypto, const std::string& password, const std::string& value) {
    CSimpleCrypt crypt(crypto);
    std::vector<unsigned char> buffer(c_listfile::kCryptBufferSize, 0);
    std::copy(value.begin(), value.end(), buffer.begin());
    const int step =
        crypt.Encrypt(password, buffer.data(), c_listfile::kCryptBufferSize, static_cast<std::uint32_t>(value.size()));
    EXPECT_EQ(step, 0) << "error " << std::hex << crypt.LastError();
    buffer.resize(value.size());
    return buffer;
}

TEST(CryptoWin32, CryptoApiAndThePortableCipherGiveTheSameBytes) {
    std::string mixed;
    for (int i = 0; i < 1023; ++i)
        mixed.push_back(static_cast<char>(1 + (i * 37) % 255));
    const std::vector<std::string> passwords = {"pass", "パスワード", "a", "長い パスワード 123",
                                                std::string(300, 'p')};
    const std::vector<std::string> values = {
        "abc", "C:\\Docs\\報告.docx", "シート選択", "1", mixed, std::string(c_listfile::kCryptBufferSize - 1, 'x')};
    Win32Crypto system;
    PortableCrypto portable;
    for (const std::string& password : passwords) {
        for (const std::string& value : values) {
            const std::vector<unsigned char> bySystem = Encrypted(system, password, value);
            EXPECT_EQ(bySystem, Encrypted(portable, password, value)) << password << " / " << value.substr(0, 20);
            EXPECT_NE(std::string(bySystem.begin(), bySystem.end()), value);

            std::vector<unsigned char> buffer = bySystem;
            CSimpleCrypt crypt(system);
            ASSERT_EQ(crypt.Decrypt(password, buffer.data(), static_cast<std::uint32_t>(buffer.size())), 0);
            EXPECT_EQ(std::string(buffer.begin(), buffer.end()), value);
        }
    }
    const std::vector<unsigned char> abc = Encrypted(system, "pass", "abc");
    EXPECT_EQ(abc, (std::vector<unsigned char>{0x9D, 0xAD, 0xE5}));
}

TEST(CryptoWin32, ASessionHoldsOneContextAndGivesTheSameBytes) {
    Win32Crypto system;
    CSimpleCrypt crypt(system);
    std::vector<std::vector<unsigned char>> inSession;
    {
        CSimpleCrypt::Session session(crypt);
        for (const char* value : {"abc", "abd", "abc"}) {
            std::vector<unsigned char> buffer(value, value + 3);
            ASSERT_EQ(crypt.Encrypt("pass", buffer.data(), 3, 3), 0);
            inSession.push_back(buffer);
        }
    }
    EXPECT_EQ(inSession[0], Encrypted(system, "pass", "abc"));
    EXPECT_EQ(inSession[1], Encrypted(system, "pass", "abd"));
    EXPECT_EQ(inSession[2], inSession[0]);
}

// A list protected through CryptoAPI opens with the portable cipher and the other way round.
TEST(CryptoWin32, ProtectedListFilesMoveBetweenTheCiphers) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tarvoline_crypto_" + std::to_string(GetCurrentProcessId()) + ".lst";

    FakeUi ui;
    SetMessageUi(&ui);
    FakeClock clock;
    Win32FileSystem files;
    FakeClassifier classifier;
    FakeShell shell;
    bool showPasswords = false;
    Win32Crypto system;
    PortableCrypto portable;
    for (Crypto* writer : {static_cast<Crypto*>(&system), static_cast<Crypto*>(&portable)}) {
        Crypto* reader = writer == &system ? static_cast<Crypto*>(&portable) : static_cast<Crypto*>(&system);
        c_filelist written(classifier, shell, showPasswords);
        FakeListHost writtenHost;
        written.SetHost(&writtenHost);
        written.AddFiles({"C:\\文書\\報告.docx"}, false, c_filelist::kAppend, false, {}, ExcelRangeMode::None, "秘密",
                         "1-2");
        writtenHost.memo = "メモ";
        writtenHost.copies = "3";
        written.ListPassword = "パスワード";
        c_listfile(written, *writer, files, clock).WriteListFile(path);

        c_filelist read(classifier, shell, showPasswords);
        FakeListHost readHost;
        read.SetHost(&readHost);
        ui.promptAnswers.push_back({MessageResult::Ok, "パスワード"});
        ASSERT_TRUE(c_listfile(read, *reader, files, clock).ReadListFile(path));
        ASSERT_EQ(read.RowCount(), 1);
        EXPECT_EQ(read.EntryPath(0), "C:\\文書\\報告.docx");
        EXPECT_FALSE(read.IsChecked(0));
        EXPECT_EQ(read.GetEntrySettings(0).Password, "秘密");
        EXPECT_EQ(read.GetEntrySettings(0).PageRange, "1-2");
        EXPECT_EQ(readHost.memo, "メモ");
        EXPECT_EQ(readHost.copies, "3");
    }
    EXPECT_TRUE(ui.boxes.empty());
    SetMessageUi(nullptr);
    DeleteFileA(path.c_str());
}

} // namespace
} // namespace tarvoline
