// Stands in for a PDF viewer or any program registered for the shell's "printto" verb.
//
//   tarvoline-printto "FILE" PRINTER...   prints FILE on the printer through the spooler (GDI), as one
//                                          job named after the file: one page with the file's name and,
//                                          for a text file, its first lines
//   tarvoline-printto --register          registers itself for .pdf files and for the test type .tvtest
//
// A file whose name contains "noprint" is not printed, like a viewer that never prints. Every call
// appends one UTF-8 line "file<TAB>printer<TAB>outcome<TAB>command line" to the journal: the file named
// by TARVOLINE_PRINTTO_JOURNAL, or else FILE.printto.txt next to the document. The outcome is
// "printed JOB" (the spooler's job id), "noprint" or "failed STEP ERROR".
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "printto_command_line.h"
#include "spool_job.h"
#include "standin_files.h"

namespace {

using tarvoline::printto::Request;
using namespace tarvoline::standin;

bool ContainsNoPrint(std::wstring name) {
    CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name.find(L"noprint") != std::wstring::npos;
}

// The first lines of a text file in the ANSI code page; nothing for a PDF or another binary file.
std::vector<std::wstring> FirstTextLines(const std::wstring& path, std::size_t count) {
    std::vector<std::wstring> lines;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lines;
    std::string head(4096, '\0');
    DWORD got = 0;
    ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr);
    CloseHandle(file);
    head.resize(got);
    if (head.rfind("%PDF", 0) == 0 || head.find('\0') != std::string::npos)
        return lines;
    std::size_t start = 0;
    while (start < head.size() && lines.size() < count) {
        std::size_t end = head.find('\n', start);
        if (end == std::string::npos)
            end = head.size();
        std::string line = head.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::wstring wide(line.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_ACP, 0, line.data(), static_cast<int>(line.size()), wide.data(),
                                        static_cast<int>(wide.size())));
        lines.push_back(wide);
        start = end + 1;
    }
    return lines;
}

std::wstring Print(const Request& request) {
    std::vector<std::wstring> lines{L"tarvoline-printto: " + FileNameOf(request.file), L""};
    for (std::wstring& line : FirstTextLines(request.file, 40))
        lines.push_back(std::move(line));
    return PrintJob(request.printer, JobName(request.file, L"tarvoline-printto"), {lines});
}

void AppendToJournal(const Request& request, const std::wstring& outcome) {
    wchar_t named[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TARVOLINE_PRINTTO_JOURNAL", named, MAX_PATH);
    const std::wstring journal =
        length > 0 && length < MAX_PATH ? std::wstring(named, length) : request.file + L".printto.txt";
    AppendToFile(journal,
                 ToUtf8(request.file + L"\t" + request.printer + L"\t" + outcome + L"\t" + GetCommandLineW() + L"\n"));
}

bool WriteDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::wstring ReadDefault(HKEY root, const std::wstring& path) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// Per user, as an installation without administrator rights does: under HKCU\Software\Classes, which
// Windows merges into HKEY_CLASSES_ROOT. Wine 8 does not merge them and its shell reads only
// HKEY_CLASSES_ROOT (HKLM\Software\Classes), so there the keys go there too.
int Register() {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    const std::wstring command = L"\"" + std::wstring(program) + L"\" \"%1\" \"%2\" \"%3\" \"%4\"";
    const std::pair<std::wstring, std::wstring> keys[] = {
        {L".tvtest", L"Tarvoline.TestDocument"},
        {L"Tarvoline.TestDocument\\shell\\printto\\command", command},
        {L".pdf", L"Tarvoline.TestPdf"},
        {L"Tarvoline.TestPdf\\shell\\printto\\command", command},
    };
    for (const auto& [path, value] : keys) {
        if (!WriteDefault(HKEY_CURRENT_USER, L"Software\\Classes\\" + path, value))
            return 1;
        if (ReadDefault(HKEY_CLASSES_ROOT, path) != value && !WriteDefault(HKEY_CLASSES_ROOT, path, value))
            return 1;
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        const std::wstring commandLine = GetCommandLineW();
        std::wstring_view rest = commandLine;
        tarvoline::printto::TakeArgument(rest);
        if (tarvoline::printto::TakeArgument(rest) == L"--register")
            return Register();

        const auto request = tarvoline::printto::ParseCommandLine(commandLine);
        if (!request)
            return 1;
        const std::wstring outcome = ContainsNoPrint(FileNameOf(request->file)) ? L"noprint" : Print(*request);
        AppendToJournal(*request, outcome);
        return outcome.rfind(L"failed", 0) == 0 ? 2 : 0;
    } catch (...) {
        return 3;
    }
}
