#pragma once
// Collecting the documents of folders while a progress window shows the count and offers to stop.
// The folder commands of the main window and the folder contents window share it.
#include <string>
#include <vector>

#include "app/form.h"

namespace tarvoline {

class FolderFileCollector {
public:
    virtual ~FolderFileCollector() = default;
    // Appends the documents of each folder (with those of its subfolders when recursive) to out, depth-first
    // in the order the file system gives them. mrOk, or mrCancel when the user stopped the walk.
    virtual int CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out,
                             bool recursive) = 0;
    int CollectFolderFiles(const std::string& folder, std::vector<std::string>& out, bool recursive) {
        return CollectFiles({folder}, out, recursive);
    }
};

} // namespace tarvoline
