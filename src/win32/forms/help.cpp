#include "forms/help.h"

#include <string>

namespace tarvoline {

namespace {
constexpr UINT kHelpContext = 0x000F; // HH_HELP_CONTEXT
using HtmlHelpProc = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
} // namespace

void ShowHelp(HWND owner, int context) noexcept {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string helpFile(path, length);
    const std::size_t dot = helpFile.find_last_of('.');
    const std::size_t slash = helpFile.find_last_of('\\');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        helpFile.resize(dot);
    helpFile += ".chm";
    // The viewer is loaded on first use: it may be missing (as under Wine), and then help stays quiet.
    static HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    if (!viewer)
        return;
    const auto htmlHelp = reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    if (htmlHelp)
        htmlHelp(owner, helpFile.c_str(), kHelpContext, static_cast<DWORD_PTR>(context));
}

} // namespace tarvoline
