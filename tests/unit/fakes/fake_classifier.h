#pragma once
#include <map>
#include <string>

#include "list/file_kind.h"

namespace tarvoline::testing {

// Kinds by the extension table, a trailing backslash meaning a folder, unless a path is listed.
class FakeClassifier : public FileClassifier {
public:
    FileKind FileKindOf(const std::string& path) override {
        ++lookups;
        auto found = kinds.find(path);
        if (found != kinds.end()) return found->second;
        if (!path.empty() && path.back() == '\\') return FileKind::Folder;
        return FileKindOfExtension(path);
    }
    bool IsAddable(const std::string& path) override {
        const FileKind kind = FileKindOf(path);
        return kind != FileKind::Unsupported && (kind != FileKind::Other || allowOther);
    }

    std::map<std::string, FileKind> kinds;
    bool allowOther = false;
    int lookups = 0;
};

} // namespace tarvoline::testing
