#include "folder_picker_win32.h"

#include <shobjidl.h>

#include <optional>

#include "base/com.h"
#include "base/wide_text.h"
#include "common/encoding.h"
#include "common/messages.h"

namespace tarvoline {

namespace {

// A name without a code page 932 form cannot be opened through the ANSI functions: it counts as not chosen.
std::optional<std::string> AnsiPath(const wchar_t* path) {
    return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(path)));
}

// nullopt when the system has no such dialog.
std::optional<std::vector<std::string>> RunFolderDialog(HWND owner, const std::string& initialFolder) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.OutVoid())))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_ALLOWMULTISELECT | FOS_PATHMUSTEXIST);
    if (!initialFolder.empty()) {
        ComPtr<IShellItem> start;
        if (SUCCEEDED(
                SHCreateItemFromParsingName(ToWide(initialFolder).c_str(), nullptr, IID_IShellItem, start.OutVoid())))
            dialog->SetFolder(start.Get());
    }
    std::vector<std::string> chosen;
    if (FAILED(dialog->Show(owner)))
        return chosen;
    ComPtr<IShellItemArray> items;
    DWORD count = 0;
    if (FAILED(dialog->GetResults(items.Out())) || FAILED(items->GetCount(&count)))
        return chosen;
    for (DWORD i = 0; i < count; ++i) {
        ComPtr<IShellItem> item;
        PWSTR path = nullptr;
        if (FAILED(items->GetItemAt(i, item.Out())) || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
            continue;
        if (auto ansi = AnsiPath(path))
            chosen.push_back(*ansi);
        CoTaskMemFree(path);
    }
    return chosen;
}

DWORD MajorVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version))
        return 0;
#pragma GCC diagnostic pop
    return version.dwMajorVersion;
}

} // namespace

std::vector<std::string> PickFolders(HWND owner, const std::string& initialFolder) {
    if (MajorVersion() >= 6) {
        if (auto chosen = RunFolderDialog(owner, initialFolder))
            return *chosen;
    }
    // The older browser has no start folder and picks one folder only.
    std::string folder = BrowseForFolder(owner);
    if (folder.empty())
        return {};
    return {std::move(folder)};
}

std::string BrowseForFolder(HWND owner) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = displayName;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST picked = SHBrowseForFolderA(&browse);
    if (!picked)
        return {};
    std::string path = f_itemidsub_getname(nullptr, picked, SHGDN_FORPARSING);
    FreeShellMemory(picked);
    return path;
}

std::string f_itemidsub_getname(IShellFolder* folder, LPCITEMIDLIST item, DWORD nameFlags) {
    ComPtr<IShellFolder> desktop;
    if (!folder) {
        if (FAILED(SHGetDesktopFolder(desktop.Out())))
            return {};
        folder = desktop.Get();
    }
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(item, nameFlags, &name)))
        return {};
    switch (name.uType) {
    case STRRET_WSTR: {
        std::string text = AnsiPath(name.pOleStr).value_or(std::string());
        FreeShellMemory(name.pOleStr);
        return text;
    }
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(item) + name.uOffset;
    case STRRET_CSTR:
        return name.cStr;
    default:
        ShowInternalError("f_itemidsub_getname 2", 0, 0);
        return {};
    }
}

void FreeShellMemory(void* block) {
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.Out()))) {
        ShowMessageId(13110);
        return;
    }
    allocator->Free(block);
}

} // namespace tarvoline
