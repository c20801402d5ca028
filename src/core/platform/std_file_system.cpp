#include "platform/std_file_system.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace tarvoline {
namespace {

std::string ErrorText(int error) { return std::strerror(error); }

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + ".~" + std::to_string(counter++) + ".tmp";
}

} // namespace

std::optional<FileAttributes> StdFileSystem::Attributes(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    FileAttributes attributes;
    attributes.folder = S_ISDIR(info.st_mode);
    return attributes;
}

FileResult StdFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    const std::string temporary = TemporaryNameBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return {ErrorText(errno)};
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        return {ErrorText(written ? errno : writeError)};
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        std::remove(temporary.c_str());
        return {ErrorText(renameError)};
    }
    return {};
}

FileResult StdFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {ErrorText(errno)};
    bytes.clear();
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return {"read error"};
    return {};
}

} // namespace tarvoline
