#pragma once
#include "platform/file_system.h"

namespace tarvoline {

// The file system through the standard library, for the native tools; Windows uses its own.
class StdFileSystem final : public FileSystem {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override;
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override;
};

} // namespace tarvoline
