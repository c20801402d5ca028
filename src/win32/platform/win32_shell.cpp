#include "platform/win32_shell.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "common/encoding.h"

namespace tarvoline {
namespace {

template <typename T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

} // namespace

std::optional<std::string> Win32Shell::ResolveShortcut(const std::string& shortcutPath) {
    std::u16string widePath = AnsiToUtf16(shortcutPath);
    if (widePath.size() >= MAX_PATH) return std::nullopt;

    ComRef<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Out()))))
        return std::nullopt;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())))) return std::nullopt;
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
