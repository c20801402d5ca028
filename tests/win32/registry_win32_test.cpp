// The settings store over the real registry. Everything happens below test-only keys, which are
// removed before and after each test, so real settings are never touched.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_ui.h"
#include "common/messages.h"
#include "platform/win32_registry.h"

namespace tarvoline {
namespace {

const char kTestProductPath[] = "Software\\Quendral\\TarvolineTest";
const char kTestExtension[] = ".tarvolinetest";
const char kTestProgId[] = "TarvolineTest.Document";
const char kReportVariable[] = "TARVOLINE_REGISTRY_REPORT";

// Sends the program's key, Software\Quendral\Tarvoline, to the test key.
class RedirectedRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) override {
        return real_.OpenKey(root, Redirect(path), access);
    }
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override {
        return real_.CreateKey(root, Redirect(path));
    }

private:
    static std::string Redirect(const std::string& path) {
        const std::string product = "Software\\Quendral\\Tarvoline";
        if (path.compare(0, product.size(), product) == 0 &&
            (path.size() == product.size() || path[product.size()] == '\\'))
            return kTestProductPath + path.substr(product.size());
        return path;
    }
    Win32Registry real_;
};

void RemoveTestKeys() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestProductPath);
    // Only when empty: on a developer's machine it also holds the real settings.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quendral");
    for (const char* name : {kTestExtension, kTestProgId}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + name).c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, name);
    }
}

// A class key made the way a per-user installation makes it: under HKCU\Software\Classes, which
// Windows merges into HKEY_CLASSES_ROOT. Wine 8 does not merge the two (its bug 14771), so there
// the key is made in HKEY_CLASSES_ROOT itself.
std::unique_ptr<RegistryKey> CreateClassKey(Registry& registry, const std::string& path) {
    auto key = registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Classes\\" + path);
    if (key && registry.OpenKey(RegistryRoot::ClassesRoot, path, RegistryAccess::Read))
        return key;
    return registry.CreateKey(RegistryRoot::ClassesRoot, path);
}

// Type and raw bytes of a value below the test key, as the system stores it.
bool QueryRaw(const std::string& subKey, const std::string& name, DWORD& type, std::vector<BYTE>& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kTestProductPath) + "\\" + subKey).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    data.resize(size);
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::wstring QueryWide(const std::string& subKey, const wchar_t* name) {
    const std::string path = std::string(kTestProductPath) + "\\" + subKey;
    const std::wstring widePath(path.begin(), path.end()); // ASCII path
    wchar_t buffer[256] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, widePath.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

// What a reader reports of the stored settings, one line per value, for the parent and the child alike.
std::string DescribeSettings(const c_reg& reg, const testing::FakePlacementWindow& window) {
    std::ostringstream out;
    out << "PrinterSelected=" << reg.PrinterSelected << "\n";
    out << "LastFolderOfList=" << reg.LastFolderOfList << "\n";
    out << "ColWidth3=" << reg.ColWidth[3] << "\n";
    out << "ExcelRangeDefault=" << reg.ExcelRangeDefault << "\n";
    out << "AllowOther=" << reg.AllowOther << " FolderSubfolderDefault=" << reg.FolderSubfolderDefault << "\n";
    for (const auto& path : reg.RecentFiles)
        out << "Recent=" << path << "\n";
    out << "Window=" << window.normal.left << "," << window.normal.top << "," << window.normal.right << ","
        << window.normal.bottom << " state " << window.state << "\n";
    return out.str();
}

class RegistryWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveTestKeys();
        SetMessageUi(&ui);
    }
    void TearDown() override {
        SetMessageUi(nullptr);
        RemoveTestKeys();
    }

    RedirectedRegistry registry;
    testing::FakeUi ui;
};

// Runs this program again with only the child's test, and returns what the child reported.
std::string RunChildReader(DWORD& exitCode) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char temporaryFolder[MAX_PATH];
    GetTempPathA(MAX_PATH, temporaryFolder);
    char reportPath[MAX_PATH];
    GetTempFileNameA(temporaryFolder, "trg", 0, reportPath);

    std::string commandLine = std::string("\"") + exe +
                              "\" --gtest_also_run_disabled_tests "
                              "--gtest_filter=RegistryChildProcess.DISABLED_ReportsTheStoredSettings";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul;
    startup.hStdError = nul;
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION process{};
    SetEnvironmentVariableA(kReportVariable, reportPath);
    const BOOL started =
        CreateProcessA(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kReportVariable, nullptr);
    CloseHandle(nul);
    exitCode = 0xFFFFFFFF;
    if (started) {
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::ifstream report(reportPath, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
    report.close();
    DeleteFileA(reportPath);
    return text;
}

TEST_F(RegistryWin32Test, SettingsSavedByOneStoreAreLoadedByAFreshOneAndByAnotherProcess) {
    {
        testing::FakePlacementWindow window;
        window.normal = {10, 20, 810, 620};
        window.state = kWindowMaximized;
        c_reg writer(registry, window);
        writer.Load();
        writer.PrinterSelected = "ＰＤＦ 表示ソフト";
        writer.LastFolderOfList = "C:\\予定表\\能力";
        writer.ColWidth[3] = 123;
        writer.ExcelRangeDefault = 2;
        writer.AllowOther = true;
        writer.FolderSubfolderDefault = false;
        writer.AddRecentFile("D:\\b.lst");
        writer.AddRecentFile("C:\\ソフト\\a.lst");
        writer.Save();
    }

    // Stored with the documented types, and the ANSI text converted to the right characters.
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(QueryRaw("V1\\MAIN", "AllowOther", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(data[0], 1);
    ASSERT_TRUE(QueryRaw("V1\\MAIN", "ColWidth0", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_TRUE(QueryRaw("V1\\Recent", "FILE00", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_FALSE(QueryRaw("V1\\Recent", "FILE02", type, data));
    ASSERT_TRUE(QueryRaw("V1\\MAIN\\WindowState", "Maximized", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(QueryWide("V1\\MAIN", L"PrinterSelected"), L"ＰＤＦ 表示ソフト");
    EXPECT_EQ(QueryWide("V1\\Recent", L"FILE00"), L"C:\\ソフト\\a.lst");

    const std::string expected = "PrinterSelected=ＰＤＦ 表示ソフト\n"
                                 "LastFolderOfList=C:\\予定表\\能力\n"
                                 "ColWidth3=123\n"
                                 "ExcelRangeDefault=2\n"
                                 "AllowOther=1 FolderSubfolderDefault=0\n"
                                 "Recent=C:\\ソフト\\a.lst\n"
                                 "Recent=D:\\b.lst\n"
                                 "Window=10,20,810,620 state 2\n";
    testing::FakePlacementWindow window;
    c_reg reader(registry, window);
    reader.Load();
    EXPECT_EQ(DescribeSettings(reader, window), expected);

    DWORD exitCode = 0;
    const std::string childReport = RunChildReader(exitCode);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(childReport, expected);
    EXPECT_TRUE(ui.boxes.empty());
}

// Runs only when the test above starts this program as its child.
TEST(RegistryChildProcess, DISABLED_ReportsTheStoredSettings) {
    char reportPath[MAX_PATH] = {};
    ASSERT_NE(GetEnvironmentVariableA(kReportVariable, reportPath, MAX_PATH), 0u) << "started without a report file";
    RedirectedRegistry registry;
    testing::FakePlacementWindow window;
    c_reg reader(registry, window);
    reader.Load();
    std::ofstream report(reportPath, std::ios::binary | std::ios::trunc);
    report << DescribeSettings(reader, window);
    ASSERT_TRUE(report.good());
}

TEST_F(RegistryWin32Test, AValueOfAnotherTypeReadsAsAbsent) {
    Win32Registry plain;
    {
        auto key = plain.CreateKey(RegistryRoot::CurrentUser, std::string(kTestProductPath) + "\\V1\\MAIN");
        ASSERT_NE(key, nullptr);
        ASSERT_TRUE(key->WriteString("ColWidth0", "250"));
        ASSERT_TRUE(key->WriteDword("PrinterSelected", 5));
        ASSERT_TRUE(key->WriteDword("ExcelRangeDefault", 2));
        const BYTE binary[4] = {1, 0, 0, 0};
        // Written through the system directly: the seam writes only REG_DWORD and REG_SZ.
        HKEY raw = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kTestProductPath) + "\\V1\\MAIN").c_str(), 0,
                                KEY_SET_VALUE, &raw),
                  ERROR_SUCCESS);
        RegSetValueExA(raw, "AllowOther", 0, REG_BINARY, binary, sizeof binary);
        const char expandable[] = "%TEMP%\\lists";
        RegSetValueExA(raw, "LastFolderOfList", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable),
                       sizeof expandable);
        // Stored without its terminator.
        RegSetValueExA(raw, "LastFolderOfTextFile", 0, REG_SZ, reinterpret_cast<const BYTE*>("E:\\text"), 7);
        RegCloseKey(raw);

        EXPECT_FALSE(key->ReadDword("ColWidth0").has_value());
        EXPECT_FALSE(key->ReadString("PrinterSelected").has_value());
        EXPECT_FALSE(key->ReadDword("AllowOther").has_value());
        EXPECT_TRUE(key->ValueExists("ColWidth0"));
        EXPECT_FALSE(key->ValueExists("ColWidth1"));
        EXPECT_EQ(key->ReadDword("ExcelRangeDefault"), std::optional<std::uint32_t>(2));
    }

    testing::FakePlacementWindow window;
    c_reg reg(registry, window);
    reg.Load();
    EXPECT_EQ(reg.ColWidth[0], 200);
    EXPECT_EQ(reg.PrinterSelected, "");
    EXPECT_FALSE(reg.AllowOther);
    EXPECT_EQ(reg.ExcelRangeDefault, 2);
    EXPECT_EQ(reg.LastFolderOfList, "%TEMP%\\lists");
    EXPECT_EQ(reg.LastFolderOfTextFile, "E:\\text");
    EXPECT_TRUE(ui.boxes.empty());

    auto key = plain.OpenKey(RegistryRoot::CurrentUser, std::string(kTestProductPath) + "\\V1\\MAIN",
                             RegistryAccess::ReadWrite);
    ASSERT_NE(key, nullptr);
    EXPECT_TRUE(key->DeleteValue("ColWidth0"));
    EXPECT_FALSE(key->ValueExists("ColWidth0"));
    EXPECT_FALSE(key->DeleteValue("ColWidth0"));
}

TEST_F(RegistryWin32Test, ReadRegistryStringReadsClassesRootSilently) {
    Win32Registry plain;
    const std::string command = "\"C:\\表示\\viewer.exe\" /pt \"%1\" \"%2\"";
    {
        auto extension = CreateClassKey(plain, kTestExtension);
        ASSERT_NE(extension, nullptr);
        ASSERT_TRUE(extension->WriteString("", kTestProgId));
        auto printTo = CreateClassKey(plain, std::string(kTestProgId) + "\\shell\\printto\\command");
        ASSERT_NE(printTo, nullptr);
        ASSERT_TRUE(printTo->WriteString("", command));
        ASSERT_TRUE(printTo->WriteDword("Number", 3));
    }
    const std::string printToPath = std::string(kTestProgId) + "\\shell\\printto\\command";
    EXPECT_EQ(c_regcom::ReadRegistryString(plain, RegistryRoot::ClassesRoot, kTestExtension, ""), kTestProgId);
    EXPECT_EQ(c_regcom::ReadRegistryString(plain, RegistryRoot::ClassesRoot, printToPath, ""), command);
    EXPECT_EQ(c_regcom::ReadRegistryString(plain, RegistryRoot::ClassesRoot, printToPath, "Number"), "");
    EXPECT_EQ(c_regcom::ReadRegistryString(plain, RegistryRoot::ClassesRoot, printToPath, "Missing"), "");
    EXPECT_EQ(c_regcom::ReadRegistryString(plain, RegistryRoot::ClassesRoot, ".tarvolinemissing", ""), "");
    EXPECT_EQ(plain.OpenKey(RegistryRoot::ClassesRoot, ".tarvolinemissing", RegistryAccess::Read), nullptr);
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
} // namespace tarvoline
