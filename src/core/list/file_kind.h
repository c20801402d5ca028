#pragma once
// The one place that decides what kind of file a path names.
#include <string>

namespace tarvoline {

enum class FileKind : int {
    Unsupported = 1,
    Word = 2,
    Excel = 3,
    PowerPoint = 4,
    Pdf = 5,
    Visio = 6,
    Shortcut = 7,
    Other = 8,
    Folder = 98,
    Missing = 99,
};

// What the print list and the dialogs ask about paths. The program's implementation looks at the
// file system and the registered file types; tests may answer from a table.
class FileClassifier {
public:
    virtual ~FileClassifier() = default;
    virtual FileKind FileKindOf(const std::string& path) = 0;
    // Whether a dropped or collected file may join the list.
    virtual bool IsAddable(const std::string& path) = 0;
    // IsAddable for a path that a folder enumeration has just reported as a file (not a folder): the
    // answer is the same, but the attributes need not be read again.
    virtual bool IsAddableFile(const std::string& path) { return IsAddable(path); }
    // A folder walk asks about many files within moments: in between, the classifier may keep what it
    // has learnt from the system about each file type. The answers and log lines stay those of each file.
    virtual void BeginWalk() {}
    virtual void EndWalk() {}
    bool IsShortcut(const std::string& path) { return FileKindOf(path) == FileKind::Shortcut; }
};

// The kind given by the extension table alone (".DOCX" counts as ".docx"); Unsupported when the
// extension is not in the table.
FileKind FileKindOfExtension(const std::string& path);

} // namespace tarvoline
