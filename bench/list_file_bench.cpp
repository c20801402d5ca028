// Saving and opening a 10,000-entry list file, plain and under a list password, in memory.
// Prints each time and its ratio to the one-second budget (the pause after a save is left out).
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/messages.h"
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

class NoPauseClock : public Clock {
public:
    LocalTime Now() const override { return {}; }
    std::int64_t TickMilliseconds() const override { return 0; }
    void Sleep(std::int64_t) override {}
};


double BestSeconds(const std::function<void()>& work) {
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void Fill(c_filelist& list, DetachedListHost& host, int count) {
    const char* extensions[] = {".docx", ".xlsx", ".pptx", ".pdf", ".vsdx"};
    for (int i = 0; i < count; ++i) {
        const std::string path = "D:\\shared\\weekly\\folder" + std::to_string(i / 100) + "\\document" +
                                 std::to_string(i) + extensions[i % 5];
        if (i % 5 == 1)
            list.AddFiles({path}, i % 2 == 0, c_filelist::kAppend, true, {"Sheet1", "Sheet2"},
                          ExcelRangeMode::SelectedSheets, "", "1-2");
        else
            list.AddFiles({path}, true, c_filelist::kAppend, false, {}, ExcelRangeMode::None, i % 7 ? "" : "pw", "1-3");
    }
    host.copies = "2";
    host.memo = "weekly batch\r\nprinted on Mondays";
}

// Answers the list password prompt; no other box is expected.
class PromptAnswer : public Ui {
public:
    MessageResult ShowMessageBox(const std::string& text, MessageButtons) override {
        std::printf("unexpected box: %s\n", text.c_str());
        return MessageResult::Ok;
    }
    void SetStatusBarText(const std::string&) override {}
    void ProcessPendingMessages() override {}
    MessageResult PromptPassword(const std::string&, std::string& text) override {
        text = password;
        return MessageResult::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::string password;
};

} // namespace

int main() {
    constexpr int kEntries = 10000;
    ExtensionClassifier classifier;
    NoShell shell;
    bool showPasswords = false;
    MemoryFiles files;
    NoPauseClock clock;
    PortableCrypto crypto;
    PromptAnswer ui;
    SetMessageUi(&ui);

    for (const std::string password : {"", "list password"}) {
        c_filelist list(classifier, shell, showPasswords);
        DetachedListHost host;
        list.SetHost(&host);
        c_listfile listFile(list, crypto, files, clock);
        Fill(list, host, kEntries);
        list.ListPassword = password;
        const double save = BestSeconds([&] { listFile.WriteListFile("list.lst"); });

        c_filelist opened(classifier, shell, showPasswords);
        DetachedListHost openedHost;
        opened.SetHost(&openedHost);
        c_listfile openedFile(opened, crypto, files, clock);
        ui.password = password;
        bool ok = true;
        const double open = BestSeconds([&] { ok = openedFile.ReadListFile("list.lst") && ok; });
        ok = ok && opened.RowCount() == kEntries;

        std::printf("%s list of %d entries (%zu bytes)\n", password.empty() ? "plain" : "protected", kEntries,
                    files.files["list.lst"].size());
        std::printf("  save: %8.1f ms  (%.3f of the 1 s budget; the 2 s pause after a save left out)\n", save * 1000,
                    save);
        std::printf("  open: %8.1f ms  (%.3f of the 1 s budget)%s\n", open * 1000, open, ok ? "" : "  FAILED");
    }
    SetMessageUi(nullptr);
    return 0;
}
