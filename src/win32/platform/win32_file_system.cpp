#include "platform/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "common/ansi_text.h"

namespace tarvoline {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

FileResult LastError() { return {SystemErrorText(GetLastError())}; }

} // namespace

std::string SystemErrorText(unsigned long errorCode) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : "error " + std::to_string(errorCode);
    if (buffer) LocalFree(buffer);
    text = TrimRightBlanks(text);
    return text.empty() ? "error " + std::to_string(errorCode) : text;
}

std::optional<FileAttributes> Win32FileSystem::Attributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    FileAttributes result;
    result.folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    result.system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    return result;
}

FileResult Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    std::string folder = ExtractFilePath(path);
    if (folder.empty()) folder = ".\\";
    char temporary[MAX_PATH + 16];
    if (!GetTempFileNameA(folder.c_str(), "tvl", 0, temporary)) return LastError();

    FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const FileResult error = LastError();
        DeleteFileA(temporary);
        return error;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            const FileResult error = LastError();
            file.Close();
            DeleteFileA(temporary);
            return error;
        }
        done += written;
    }
    if (!FlushFileBuffers(file.Get()) || !file.Close()) {
        const FileResult error = LastError();
        DeleteFileA(temporary);
        return error;
    }
    if (!MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const FileResult error = LastError();
        DeleteFileA(temporary);
        return error;
    }
    return {};
}

FileResult Win32FileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return LastError();
    bytes.clear();
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return LastError();
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    return {};
}

} // namespace tarvoline
