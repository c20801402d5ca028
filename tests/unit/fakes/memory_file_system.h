#pragma once
#include <set>
#include <map>
#include <string>

#include "platform/file_system.h"

namespace tarvoline::testing {

// Files held in memory; a path in failingPaths refuses to be written and keeps its old content.
class MemoryFileSystem : public FileSystem {
public:
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        if (failingPaths.count(path)) return {"The system cannot find the path specified."};
        files[path] = bytes;
        return {};
    }
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override {
        auto found = files.find(path);
        if (found == files.end()) return {"The system cannot find the file specified."};
        bytes = found->second;
        return {};
    }

    std::map<std::string, std::string> files;
    std::set<std::string> failingPaths;
};

} // namespace tarvoline::testing
