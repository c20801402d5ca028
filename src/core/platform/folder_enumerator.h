#pragma once
// Listing the items of one folder, as the recursive collection of documents walks a folder tree.
#include <string>
#include <vector>

namespace tarvoline {

struct FolderItem {
    std::string name; // file or folder name, without a path
    bool folder = false;
};

class FolderEnumerator {
public:
    virtual ~FolderEnumerator() = default;
    // Every item the search pattern finds, hidden and system items included ("." and ".." as the
    // system reports them); false when the folder cannot be searched.
    virtual bool EnumerateFolder(const std::string& pattern, std::vector<FolderItem>& items) = 0;
};

} // namespace tarvoline
