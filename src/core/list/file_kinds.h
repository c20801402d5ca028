#pragma once
#include <cstdint>
#include <map>
#include <string>

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
    bool IsAddableFile(const std::string& path) override;
    void BeginWalk() override { ++walks_; }
    void EndWalk() override;

private:
    // The kind of an existing file that is not a folder.
    FileKind KindOfFile(const std::string& path);
    bool Addable(FileKind kind) const;
    // 0 when the extension has a print-to command, else the log message that says what is missing; kept
    // per extension while a walk lasts.
    std::int32_t MissingPrintTo(const std::string& extension);

    FileSystem& fileSystem_;
    Registry& registry_;
    const bool& allowOther_;
    int walks_ = 0;
    // During a walk: the print-to test's answer per extension (0, or the log message of a refusal).
    std::map<std::string, std::int32_t> missingPrintTo_;
};

} // namespace tarvoline
