#include "platform/win32_shell.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "base/com.h"
#include "common/encoding.h"

namespace tarvoline {

std::optional<std::string> Win32Shell::ResolveShortcut(const std::string& shortcutPath) {
    std::u16string widePath = AnsiToUtf16(shortcutPath);
    if (widePath.size() >= MAX_PATH) return std::nullopt;

    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.OutVoid())))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link.QueryInterface(file))) return std::nullopt;
    if (FAILED(file->Load(reinterpret_cast<const wchar_t*>(widePath.c_str()), STGM_READ))) return std::nullopt;

    wchar_t target[MAX_PATH] = {};
    // The link is not asked to search for a target that has moved.
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY))) return std::nullopt;
    const std::optional<std::string> narrow = Utf16ToAnsi(reinterpret_cast<const char16_t*>(target));
    if (!narrow) return std::nullopt;
    return narrow;
}

void Win32Shell::OpenDocument(const std::string& path) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = parent_;
    info.lpVerb = "Open";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

int Win32Shell::PrintTo(const std::string& file, const std::string& parameters, bool showWindow) {
    const HINSTANCE result =
        ShellExecuteA(parent_, "printto", file.c_str(), parameters.c_str(), nullptr, showWindow ? SW_SHOW : SW_HIDE);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

} // namespace tarvoline
