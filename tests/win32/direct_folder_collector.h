#pragma once
// The folder walk without its progress window, over the real file system: the folder contents window's
// tests and its preview run the real collection and leave the progress window to its own tests.
#include <string>
#include <vector>

#include "app/form.h"
#include "dialogs/folder_files.h"
#include "list/file_kinds.h"
#include "list/folder_collection.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"

namespace tarvoline::testing {

class DirectFolderCollector : public FolderFileCollector {
public:
    int CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out, bool recursive) override {
        for (const std::string& folder : folders)
            CollectFolder(files, kinds, folder, recursive, out, {});
        return mrOk;
    }

    Win32FileSystem files;
    Win32Registry registry;
    bool allowOther = false;
    FileKinds kinds{files, registry, allowOther};
};

} // namespace tarvoline::testing
