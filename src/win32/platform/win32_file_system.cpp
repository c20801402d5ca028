#include "platform/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "base/unique_handle.h"
#include "common/ansi_text.h"

namespace tarvoline {
namespace {

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

    UniqueFile file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const FileResult error = LastError();
        DeleteFileA(temporary);
        return error;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            const FileResult error = LastError();
            file.reset();
            DeleteFileA(temporary);
            return error;
        }
        done += written;
    }
    // The close is checked too: a full disk can show only there.
    if (!FlushFileBuffers(file.get()) || !CloseHandle(file.release())) {
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
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    bytes.clear();
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return LastError();
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    return {};
}

bool Win32FileSystem::EnumerateFolder(const std::string& pattern, std::vector<FolderItem>& items) {
    items.clear();
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        items.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

} // namespace tarvoline
