// Collecting the documents of a 100,000-file tree with the program's collection (the long-path search,
// and IsAddable on every file, with the print log the program keeps) against a bare
// FindFirstFileA/FindNextFileA walk of the same tree. Run under Wine by hand:
//   wine build/mingw/bench/folder_collection_win32_bench.exe
// The tree is made once under the temp folder and kept for the next run.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../bench_support.h"
#include "common/print_log.h"
#include "list/file_kinds.h"
#include "list/folder_collection.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"

namespace {

using namespace tarvoline;

constexpr int kGroups = 10;
constexpr int kFoldersPerGroup = 10;
constexpr int kFilesPerFolder = 1000;
constexpr int kFiles = kGroups * kFoldersPerGroup * kFilesPerFolder;

// Four of five files are documents; the others are types without a print command.
const char* const kExtensions[] = {".docx", ".xlsx", ".pdf", ".pptx", ".bin"};

std::string TreeRoot() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "tarvoline-collection-bench";
}

bool MakeTree(const std::string& root) {
    const std::string marker = root + ".complete";
    if (GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    std::printf("making %d files under %s ...\n", kFiles, root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    for (int group = 0; group < kGroups; ++group) {
        const std::string groupFolder = root + "\\group" + std::to_string(group);
        CreateDirectoryA(groupFolder.c_str(), nullptr);
        for (int folder = 0; folder < kFoldersPerGroup; ++folder) {
            const std::string dir = groupFolder + "\\folder" + std::to_string(folder);
            CreateDirectoryA(dir.c_str(), nullptr);
            for (int file = 0; file < kFilesPerFolder; ++file) {
                const std::string path = dir + "\\document" + std::to_string(file) + kExtensions[file % 5];
                const HANDLE handle =
                    CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
                if (handle == INVALID_HANDLE_VALUE)
                    return false;
                CloseHandle(handle);
            }
        }
    }
    const HANDLE done = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(done);
    return true;
}

// The least a walk does: every item of every folder, every file's path.
void BareWalk(const std::string& dir, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(LongSearchPattern(dir).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            BareWalk(dir + "\\" + name, out);
        else
            out.push_back(dir + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Takes every file: what the walk costs without the classification.
class EveryFile : public FileClassifier {
public:
    FileKind FileKindOf(const std::string&) override { return FileKind::Pdf; }
    bool IsAddable(const std::string&) override { return true; }
};

} // namespace

int main() {
    const std::string root = TreeRoot();
    if (!MakeTree(root)) {
        std::printf("could not make the tree under %s\n", root.c_str());
        return 1;
    }
    bench::NoPauseClock clock;
    Win32FileSystem files;
    Win32Registry registry;
    c_print_log log(clock, files);
    SetPrintLog(&log);
    bool allowOther = false;
    FileKinds kinds(files, registry, allowOther);

    std::size_t bareCount = 0;
    const double bare = bench::BestSeconds([&] {
        std::vector<std::string> out;
        BareWalk(root, out);
        bareCount = out.size();
    });
    std::size_t collected = 0;
    const double collection = bench::BestSeconds([&] {
        log.Clear();
        std::vector<std::string> out;
        CollectFolder(files, kinds, root, true, out, {});
        collected = out.size();
    });
    EveryFile everyFile;
    std::vector<std::string> all;
    const double walkOnly = bench::BestSeconds([&] {
        all.clear();
        CollectFolder(files, everyFile, root, true, all, {});
    });
    const double classifyOnly = bench::BestSeconds([&] {
        log.Clear();
        kinds.BeginWalk();
        for (const std::string& path : all)
            kinds.IsAddableFile(path);
        kinds.EndWalk();
    });
    SetPrintLog(nullptr);
    std::printf("bare walk:  %zu files in %.3f s\n", bareCount, bare);
    std::printf("  our walk taking every file: %.3f s; classifying its %zu files alone: %.3f s\n", walkOnly, all.size(),
                classifyOnly);
    std::printf("collection: %zu documents in %.3f s\n", collected, collection);
    std::printf("ratio collection / bare walk: %.2f (budget 1.5)\n", collection / bare);
    return 0;
}
