#pragma once
// Starting our stand-ins for outside programs (tests/standins) from a Win32 test, and reading what
// they leave behind.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/unique_handle.h"

namespace tarvoline::testing {

// A stand-in's program file, found from this test program's folder.
inline std::string StandinPath(const std::string& programName) {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    path.erase(path.find_last_of('\\') + 1);
    for (const char c : std::string(TARVOLINE_STANDIN_FOLDER))
        path += c == '/' ? '\\' : c;
    return path + "\\" + programName;
}

// A started program; ended by force if it is still running when the test lets go of it.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (process_ && !Wait(0)) {
            TerminateProcess(process_.get(), 99);
            WaitForSingleObject(process_.get(), 5000);
        }
    }

    bool Start(const std::string& program, const std::string& arguments) {
        std::string commandLine = "\"" + program + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &started))
            return false;
        CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        return true;
    }

    // The exit code once the program has ended within the time; nullopt while it runs.
    std::optional<DWORD> Wait(DWORD milliseconds) {
        if (WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0)
            return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return code;
    }

private:
    UniqueKernelHandle process_;
};

// The whole file, or nullopt when it does not exist (yet) or cannot be read.
inline std::optional<std::string> ReadWholeFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    UniqueKernelHandle owner(file);
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    return content;
}

} // namespace tarvoline::testing
