#pragma once
#include <optional>
#include <string>

namespace tarvoline {

// Result of a file operation: empty error text means success.
struct FileResult {
    std::string error; // the system's error text (ANSI), for the user's message
    bool ok() const { return error.empty(); }
};

struct FileAttributes {
    bool folder = false;
    bool hidden = false;
    bool system = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The attributes of a file or folder; nullopt when nothing is there or they cannot be read.
    virtual std::optional<FileAttributes> Attributes(const std::string& path) = 0;
    // Writes the bytes to a temporary file in the target's folder and moves it over the target
    // only once it is complete, so a failure never leaves a half-written file behind.
    virtual FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
    virtual FileResult ReadWholeFile(const std::string& path, std::string& bytes) = 0;
};

} // namespace tarvoline
