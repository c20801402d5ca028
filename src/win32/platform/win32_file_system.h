#pragma once
#include "platform/file_system.h"

namespace tarvoline {

class Win32FileSystem final : public FileSystem {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override;
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override;
};

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(unsigned long errorCode);

} // namespace tarvoline
