#pragma once
#include "list/file_kind.h"

namespace tarvoline {

class FileSystem;
class Registry;

// The program's file classifier: attributes first, then the extension table, then the registered
// print-to commands.
class FileKinds final : public FileClassifier {
public:
    // allowOther: the setting that lets files of other registered types join the list.
    FileKinds(FileSystem& fileSystem, Registry& registry, const bool& allowOther)
        : fileSystem_(fileSystem), registry_(registry), allowOther_(allowOther) {}

    FileKind FileKindOf(const std::string& path) override;
    bool IsAddable(const std::string& path) override;

private:
    FileSystem& fileSystem_;
    Registry& registry_;
    const bool& allowOther_;
};

} // namespace tarvoline
