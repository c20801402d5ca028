#pragma once
// The folder collection with its progress window ("ファイル情報取得中...") over the main window.
#include <windows.h>

#include "dialogs/folder_files.h"
#include "platform/win32_file_system.h"

namespace tarvoline {

class FileClassifier;

class Win32FolderFileCollector final : public FolderFileCollector {
public:
    // owner: the window the progress window is modal to; classifier: decides which files are documents.
    Win32FolderFileCollector(HWND owner, FileClassifier& classifier) : owner_(owner), classifier_(classifier) {}

    int CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out, bool recursive) override;

private:
    HWND owner_;
    FileClassifier& classifier_;
    Win32FileSystem fileSystem_;
};

} // namespace tarvoline
