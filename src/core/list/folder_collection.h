#pragma once
// Collecting the printable documents of folders, with or without their subfolders.
#include <functional>
#include <string>
#include <vector>

namespace tarvoline {

class FileClassifier;
class FolderEnumerator;

// The search pattern for a folder in the long-path form: "\\?\D:\dir\*.*", or "\\?\UNC\server\share\*.*"
// for a network folder. The prefix serves the search only; collected paths are formed without it.
std::string LongSearchPattern(const std::string& folder);

struct CollectionProgress {
    // Called after each document found, with the count so far and its path.
    std::function<void(std::size_t count, const std::string& path)> found;
    // Called on entering each subfolder: handles pending window messages and answers whether the user
    // asked to stop.
    std::function<bool()> cancelRequested;
};

// Walks one folder depth-first in the order the file system gives the items, appending every document
// that may join the list (FileClassifier::IsAddable, asked as IsAddableFile) to out. Returns false when the walk was stopped.
bool CollectFolder(FolderEnumerator& enumerator, FileClassifier& classifier, const std::string& folder,
                   bool recursive, std::vector<std::string>& out, const CollectionProgress& progress);

} // namespace tarvoline
