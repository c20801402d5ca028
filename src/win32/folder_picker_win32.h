#pragma once
// Choosing folders: the system's folder picker, or on systems before version 6 the older folder browser.
#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace tarvoline {

// The chosen folders' full paths in the user's order, starting in initialFolder; empty when cancelled.
std::vector<std::string> PickFolders(HWND owner, const std::string& initialFolder);

// The older folder browser rooted at the desktop, file-system folders only: the picked path, or "".
std::string BrowseForFolder(HWND owner);

// The display name of an item of a shell folder (the desktop when folder is null), "" on failure.
std::string f_itemidsub_getname(IShellFolder* folder, LPCITEMIDLIST item, DWORD nameFlags);

// Frees a block the shell allocated, through the shell's allocator.
void FreeShellMemory(void* block);

} // namespace tarvoline
