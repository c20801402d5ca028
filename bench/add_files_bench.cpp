// Adding 100,000 paths to the print list model, as a text import of a large folder tree would.
// Prints the time and its ratio to the one-second budget.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "list/filelist.h"
#include "platform/shell.h"

namespace {

class ExtensionClassifier : public tarvoline::FileClassifier {
public:
    tarvoline::FileKind FileKindOf(const std::string& path) override { return tarvoline::FileKindOfExtension(path); }
    bool IsAddable(const std::string&) override { return true; }
};

class NoShell : public tarvoline::Shell {
public:
    std::optional<std::string> ResolveShortcut(const std::string&) override { return std::nullopt; }
    void OpenDocument(const std::string&) override {}
    int PrintTo(const std::string&, const std::string&, bool) override { return 0; }
};

} // namespace

int main() {
    constexpr int kCount = 100000;
    const char* extensions[] = {".docx", ".xlsx", ".pptx", ".pdf", ".vsdx", ".txt"};
    std::vector<std::string> paths;
    paths.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        paths.push_back("D:\\shared\\weekly\\folder" + std::to_string(i / 100) + "\\document" + std::to_string(i) +
                        extensions[i % 6]);
    }

    ExtensionClassifier classifier;
    NoShell shell;
    bool showPasswords = false;
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        tarvoline::c_filelist list(classifier, shell, showPasswords);
        const auto start = std::chrono::steady_clock::now();
        list.AddFiles(paths, true, tarvoline::c_filelist::kAppend);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (list.RowCount() != kCount) {
            std::printf("error: %d rows instead of %d\n", list.RowCount(), kCount);
            return 1;
        }
        best = std::min(best, seconds);
    }
    std::printf("add_files: %d paths added in %.1f ms (best of 3)\n", kCount, best * 1000.0);
    std::printf("add_files: ratio to the 1 s budget: %.3f\n", best / 1.0);
    return 0;
}
