#pragma once
// Reading the command line the shell builds from a "printto" registration of the form
//   "program" "%1" "%2" "%3" "%4"
// Windows puts the quoted printer name into %2. Wine 8 splits the parameters on blanks and keeps
// their quotes, so "My Printer" arrives as ""My" "Printer"" "": the printer name is rebuilt from
// everything after the file, with every quote removed and the blanks between the pieces kept single.
#include <optional>
#include <string>
#include <string_view>

namespace tarvoline::printto {

struct Request {
    std::wstring file;
    std::wstring printer;
};

inline bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// Takes one argument off the front: a quoted one up to its closing quote, or one up to the next blank.
inline std::wstring_view TakeArgument(std::wstring_view& rest) {
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    std::wstring_view argument;
    if (!rest.empty() && rest.front() == L'"') {
        const std::size_t close = rest.find(L'"', 1);
        argument = rest.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
        rest.remove_prefix(close == std::wstring_view::npos ? rest.size() : close + 1);
    } else {
        std::size_t end = 0;
        while (end < rest.size() && !IsBlank(rest[end]))
            ++end;
        argument = rest.substr(0, end);
        rest.remove_prefix(end);
    }
    return argument;
}

// The whole command line, program name first. nullopt without a file or a printer name.
inline std::optional<Request> ParseCommandLine(std::wstring_view commandLine) {
    TakeArgument(commandLine);
    Request request;
    request.file = std::wstring(TakeArgument(commandLine));
    bool pendingBlank = false;
    for (const wchar_t c : commandLine) {
        if (c == L'"')
            continue;
        if (IsBlank(c)) {
            pendingBlank = !request.printer.empty();
            continue;
        }
        if (pendingBlank)
            request.printer += L' ';
        pendingBlank = false;
        request.printer += c;
    }
    if (request.file.empty() || request.printer.empty())
        return std::nullopt;
    return request;
}

} // namespace tarvoline::printto
