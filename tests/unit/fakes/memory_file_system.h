#pragma once
#include <set>
#include <map>
#include <string>

#include "platform/file_system.h"

namespace tarvoline::testing {

// Files held in memory; a path in failingPaths refuses to be written and keeps its old content, one in
// unreadablePaths refuses to be read.
class MemoryFileSystem : public FileSystem {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override {
        std::string bare = path;
        if (bare.size() > 1 && bare.back() == '\\') bare.pop_back();
        if (folders.count(bare)) return FileAttributes{true, false, false};
        if (files.count(path)) return FileAttributes{};
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

    std::map<std::string, std::string> files;
    std::set<std::string> failingPaths;
    std::set<std::string> unreadablePaths;
    std::set<std::string> folders; // without a trailing backslash, as the system reports them
};

} // namespace tarvoline::testing
