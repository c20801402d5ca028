#pragma once
#include "platform/file_system.h"
#include "platform/folder_enumerator.h"

namespace tarvoline {

class Win32FileSystem final : public FileSystem, public FolderEnumerator {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override;
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override;
    bool EnumerateFolder(const std::string& pattern, std::vector<FolderItem>& items) override;
};

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(unsigned long errorCode);

} // namespace tarvoline
