// Saving and opening a 10,000-entry list file, plain and under a list password, in memory.
// Prints each time and its ratio to the one-second budget (the pause after a save is left out).
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/messages.h"
#include "bench_support.h"
#include "list/detached_list_host.h"
#include "list/filelist.h"
#include "listfile/list_file.h"
#include "listfile/portable_crypto.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/shell.h"

namespace {

using namespace tarvoline;

class ExtensionClassifier : public FileClassifier {
public:
    FileKind FileKindOf(const std::string& path) override { return FileKindOfExtension(path); }
    bool IsAddable(const std::string&) override { return true; }
};

class NoShell : public Shell {
public:
    std::optional<std::string> ResolveShortcut(const std::string&) override { return std::nullopt; }
    void OpenDocument(const std::string&) override {}
    int PrintTo(const std::string&, const std::string&, bool) override { return 0; }
};

class MemoryFiles : public FileSystem {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override {
        if (!files.count(path))
            return std::nullopt;
        return FileAttributes{};
    }
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        files[path] = bytes;
        return {};
    }
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override {
        bytes = files.at(path);
        return {};
    }
    std::map<std::string, std::string> files;
};

} // namespace

int main() {
    constexpr int kEntries = 10000;
    ExtensionClassifier classifier;
    NoShell shell;
    bool showPasswords = false;
    MemoryFiles files;
    bench::NoPauseClock clock;
    PortableCrypto crypto;
    bench::PromptAnswer ui;
    SetMessageUi(&ui);

    for (const std::string password : {"", "list password"}) {
        c_filelist list(classifier, shell, showPasswords);
        DetachedListHost host;
        list.SetHost(&host);
        c_listfile listFile(list, crypto, files, clock);
        bench::FillWeeklyList(list, host, kEntries);
        list.ListPassword = password;
        const double save = bench::BestSeconds([&] { listFile.WriteListFile("list.lst"); });

        c_filelist opened(classifier, shell, showPasswords);
        DetachedListHost openedHost;
        opened.SetHost(&openedHost);
        c_listfile openedFile(opened, crypto, files, clock);
        ui.password = password;
        bool ok = true;
        const double open = bench::BestSeconds([&] { ok = openedFile.ReadListFile("list.lst") && ok; });
        ok = ok && opened.RowCount() == kEntries;

        std::printf("%s list of %d entries (%zu bytes)\n", password.empty() ? "plain" : "protected", kEntries,
                    files.files["list.lst"].size());
        std::printf("  save: %8.1f ms  (%.3f of the 1 s budget; the 2 s pause after a save left out)\n", save * 1000,
                    save);
        std::printf("  open: %8.1f ms  (%.3f of the 1 s budget)%s\n", open * 1000, open, ok ? "" : "  FAILED");
    }
    SetMessageUi(nullptr);
    if (ui.boxes) std::printf("unexpected boxes: %d, the last: %s\n", ui.boxes, ui.lastBox.c_str());
    return 0;
}
