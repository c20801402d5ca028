#include "list/folder_collection.h"

#include "common/ansi_text.h"
#include "list/file_kind.h"
#include "platform/folder_enumerator.h"

namespace tarvoline {

std::string LongSearchPattern(const std::string& folder) {
    const std::string pattern = IncludeTrailingBackslash(folder) + "*.*";
    if (pattern.starts_with("\\\\"))
        return "\\\\?\\UNC\\" + pattern.substr(2);
    return "\\\\?\\" + pattern;
}

namespace {

bool Walk(FolderEnumerator& enumerator, FileClassifier& classifier, const std::string& folder, bool recursive,
          std::vector<std::string>& out, const CollectionProgress& progress) {
    const std::string dir = IncludeTrailingBackslash(folder);
    std::vector<FolderItem> items;
    // A folder that cannot be searched simply yields nothing.
    if (!enumerator.EnumerateFolder(LongSearchPattern(dir), items))
        return true;
    for (const FolderItem& item : items) {
        if (item.name == "." || item.name == "..")
            continue;
        const std::string path = dir + item.name;
        if (!item.folder) {
            if (classifier.IsAddableFile(path)) {
                out.push_back(path);
                if (progress.found)
                    progress.found(out.size(), path);
            }
            continue;
        }
        if (!recursive)
            continue;
        if (progress.cancelRequested && progress.cancelRequested())
            return false;
        if (!Walk(enumerator, classifier, path, recursive, out, progress))
            return false;
    }
    return true;
}

} // namespace

bool CollectFolder(FolderEnumerator& enumerator, FileClassifier& classifier, const std::string& folder, bool recursive,
                   std::vector<std::string>& out, const CollectionProgress& progress) {
    struct WalkScope {
        FileClassifier& classifier;
        explicit WalkScope(FileClassifier& c) : classifier(c) { classifier.BeginWalk(); }
        ~WalkScope() { classifier.EndWalk(); }
    } scope(classifier);
    return Walk(enumerator, classifier, folder, recursive, out, progress);
}

} // namespace tarvoline
