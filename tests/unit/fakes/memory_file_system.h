#pragma once
#include <set>
#include <map>
#include <string>
#include <vector>

#include "common/ansi_text.h"
#include "platform/file_system.h"
#include "platform/folder_enumerator.h"

namespace tarvoline::testing {

// Files held in memory; a path in failingPaths refuses to be written and keeps its old content, one in
// unreadablePaths refuses to be read.
class MemoryFileSystem : public FileSystem, public FolderEnumerator {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override {
        std::string bare = path;
        if (bare.size() > 1 && bare.back() == '\\') bare.pop_back();
        if (folders.count(bare)) return FileAttributes{true, false, false};
        if (files.count(path)) return FileAttributes{false, hiddenPaths.count(path) > 0, hiddenPaths.count(path) > 0};
        return std::nullopt;
    }
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        if (failingPaths.count(path)) return {"The system cannot find the path specified."};
        files[path] = bytes;
        return {};
    }
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override {
        if (unreadablePaths.count(path)) return {"The process cannot access the file because it is being used by another process."};
        auto found = files.find(path);
        if (found == files.end()) return {"The system cannot find the file specified."};
        bytes = found->second;
        return {};
    }

    // Folders are listed from the paths above: a file or folder belongs to the folder of its path.
    bool EnumerateFolder(const std::string& pattern, std::vector<FolderItem>& items) override {
        searchedPatterns.push_back(pattern);
        std::string dir = pattern;
        if (dir.starts_with("\\\\?\\UNC\\")) dir = "\\\\" + dir.substr(8);
        else if (dir.starts_with("\\\\?\\")) dir = dir.substr(4);
        if (!dir.ends_with("*.*")) return false;
        dir.resize(dir.size() - 3);
        if (!folders.count(ExcludeTrailingBackslash(dir))) return false;
        items = {{".", true}, {"..", true}};
        for (const auto& [path, content] : files) {
            if (ExtractFilePath(path) == dir) items.push_back({ExtractFileName(path), false});
        }
        for (const std::string& folder : folders) {
            if (ExtractFilePath(folder) == dir) items.push_back({ExtractFileName(folder), true});
        }
        return true;
    }

    std::map<std::string, std::string> files;
    std::vector<std::string> searchedPatterns;
    std::set<std::string> failingPaths;
    std::set<std::string> unreadablePaths;
    std::set<std::string> folders; // without a trailing backslash, as the system reports them
    std::set<std::string> hiddenPaths; // files marked hidden and system
};

} // namespace tarvoline::testing
