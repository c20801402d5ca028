// Opening a 10,000-entry list file with our reader and with one GetPrivateProfileStringA call per key
// read, and saving and opening it under a list password through CryptoAPI. Run under Wine by hand:
//   wine build/mingw/bench/list_file_win32_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "list/file_kinds.h"
#include "../bench_support.h"
#include "list/detached_list_host.h"
#include "list/filelist.h"
#include "listfile/ini_file.h"
#include "listfile/list_file.h"
#include "listfile/simple_crypt.h"
#include "platform/clock.h"
#include "platform/win32_crypto.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"

namespace {

using namespace tarvoline;

constexpr int kEntries = 10000;

// What the reader asks, one look-up per key, through read(section, key) -> whether the key is there.
template <typename Read> void ReadEveryKey(const std::vector<std::string>& sections, Read read) {
    read("COMMON", "LIST_PASSWD");
    read("COMMON", "PRT_BUSUU");
    for (const std::string& name : sections) {
        if (name.compare(0, 4, "FILE") != 0)
            continue;
        for (const char* key : {"FILE", "PRINT", "START", "PASSWORD", "EXCELRANGE", "EXCELSEPJOB"})
            read(name, key);
        for (int k = 0; read(name, "EXCELSHEETS" + std::to_string(k)); ++k) {
        }
    }
    for (int m = 1; read("MEMO", "TEXT" + std::to_string(m)); ++m) {
    }
}

// The profile functions: one GetPrivateProfileStringA call per key, as a reader built on them makes.
int ReadWithProfileCalls(const std::string& path) {
    const char* missing = "\x01";
    std::vector<char> names(1 << 20);
    GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::string> sections;
    for (const char* name = names.data(); *name; name += std::strlen(name) + 1)
        sections.emplace_back(name);
    char value[2048];
    int calls = 1;
    ReadEveryKey(sections, [&](const std::string& section, const std::string& key) {
        ++calls;
        GetPrivateProfileStringA(section.c_str(), key.c_str(), missing, value, sizeof value, path.c_str());
        return std::string(value) != missing;
    });
    return calls;
}

// The same look-ups through our codec, the file read and parsed once.
int ReadWithCodec(FileSystem& files, const std::string& path) {
    std::string bytes;
    files.ReadWholeFile(path, bytes);
    const IniFile file = IniFile::Parse(bytes);
    int found = 0;
    ReadEveryKey(file.SectionNames(), [&](const std::string& section, const std::string& key) {
        const std::optional<std::string> value = file.Value(section, key);
        found += value.has_value();
        return value.has_value();
    });
    return found;
}

} // namespace

int main() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string plainPath = std::string(folder) + "tarvoline_bench_plain.lst";
    const std::string protectedPath = std::string(folder) + "tarvoline_bench_protected.lst";

    Win32FileSystem files;
    Win32Registry registry;
    Win32Shell shell;
    Win32Crypto crypto;
    bench::NoPauseClock clock;
    bool allowOther = false;
    FileKinds classifier(files, registry, allowOther);
    bool showPasswords = false;
    bench::PromptAnswer ui;
    SetMessageUi(&ui);

    c_filelist list(classifier, shell, showPasswords);
    DetachedListHost host;
    list.SetHost(&host);
    bench::FillWeeklyList(list, host, kEntries);
    c_listfile listFile(list, crypto, files, clock);
    listFile.WriteListFile(plainPath);

    // 1. Opening: our reader (classifying every document too) against one profile call per key.
    c_filelist opened(classifier, shell, showPasswords);
    DetachedListHost openedHost;
    opened.SetHost(&openedHost);
    c_listfile openedFile(opened, crypto, files, clock);
    bool ok = true;
    const double ours = bench::BestSeconds([&] { ok = openedFile.ReadListFile(plainPath) && ok; });
    ok = ok && opened.RowCount() == kEntries;
    int calls = 0;
    const double profile = bench::Seconds([&] { calls = ReadWithProfileCalls(plainPath); });
    const double codec = bench::BestSeconds([&] { ReadWithCodec(files, plainPath); });
    std::printf("open a %d-entry list (%d keys read)\n", kEntries, calls - 1);
    std::printf("  one GetPrivateProfileStringA call per key:   %9.1f ms\n", profile * 1000);
    std::printf("  our reader, the whole open (rows, every document classified): %7.1f ms%s  ratio %.0fx\n",
                ours * 1000, ok ? "" : "  FAILED", profile / ours);
    std::printf("  our codec, the same key reads:               %9.1f ms  ratio %.0fx\n", codec * 1000,
                profile / codec);

    // 2. Under a list password, through CryptoAPI (the pause after a save left out).
    list.ListPassword = "list password";
    const double save = bench::BestSeconds([&] { listFile.WriteListFile(protectedPath); });
    ui.password = "list password";
    const double open = bench::BestSeconds([&] { ok = openedFile.ReadListFile(protectedPath) && ok; });
    ok = ok && opened.RowCount() == kEntries && opened.ListPassword == "list password";
    std::printf("a %d-entry list under a list password (CryptoAPI)\n", kEntries);
    std::printf("  save: %7.1f ms  (%.3f of the 1 s budget)\n", save * 1000, save);
    std::printf("  open: %7.1f ms  (%.3f of the 1 s budget)%s\n", open * 1000, open, ok ? "" : "  FAILED");

    // 3. What holding one provider context saves: 200 values each way.
    CSimpleCrypt crypt(crypto);
    unsigned char buffer[16] = {};
    const double separate = bench::Seconds([&] {
        for (int i = 0; i < 200; ++i)
            crypt.Encrypt("pw", buffer, sizeof buffer, 8);
    });
    const double held = bench::Seconds([&] {
        CSimpleCrypt::Session session(crypt);
        for (int i = 0; i < 200; ++i)
            crypt.Encrypt("pw", buffer, sizeof buffer, 8);
    });
    std::printf("one value: %.3f ms with its own provider context, %.3f ms with the context held (%.1fx)\n",
                separate * 5, held * 5, separate / held);

    SetMessageUi(nullptr);
    DeleteFileA(plainPath.c_str());
    DeleteFileA(protectedPath.c_str());
    return ok ? 0 : 1;
}
