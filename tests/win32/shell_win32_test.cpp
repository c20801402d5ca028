#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "common/encoding.h"
#include "platform/win32_shell.h"

namespace tarvoline {
namespace {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tarvoline-shell-test\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override { CoUninitialize(); }

    // Creates a shortcut with the shell link object, as Explorer would.
    bool MakeShortcut(const std::string& shortcut, const std::string& target) {
        IShellLinkW* link = nullptr;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link))))
            return false;
        link->SetPath(reinterpret_cast<const wchar_t*>(AnsiToUtf16(target).c_str()));
        IPersistFile* file = nullptr;
        bool saved = false;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            saved = SUCCEEDED(file->Save(reinterpret_cast<const wchar_t*>(AnsiToUtf16(shortcut).c_str()), TRUE));
            file->Release();
        }
        link->Release();
        return saved;
    }

    std::string folder;
    Win32Shell shell;
};

TEST_F(ShellTest, ResolvesAShortcutToAJapaneseTarget) {
    const std::string target = folder + "報告書 表.docx";
    HANDLE h = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    const std::string shortcut = folder + "報告書へのショートカット.lnk";
    ASSERT_TRUE(MakeShortcut(shortcut, target));

    const auto resolved = shell.ResolveShortcut(shortcut);
    ASSERT_TRUE(resolved.has_value());
    EXPECT_EQ(*resolved, target);
    DeleteFileA(shortcut.c_str());
    DeleteFileA(target.c_str());
}

TEST_F(ShellTest, AFileThatIsNoShortcutCannotBeResolved) {
    const std::string notALink = folder + "plain.lnk";
    HANDLE h = CreateFileA(notALink.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "not a link", 10, &written, nullptr);
    CloseHandle(h);
    EXPECT_FALSE(shell.ResolveShortcut(notALink).has_value());
    EXPECT_FALSE(shell.ResolveShortcut(folder + "missing.lnk").has_value());
    DeleteFileA(notALink.c_str());
}

} // namespace
} // namespace tarvoline
