#include "list/file_kinds.h"

#include "platform/file_system.h"
#include "print/prtoth.h"

namespace tarvoline {

FileKind FileKinds::FileKindOf(const std::string& path) {
    const std::optional<FileAttributes> attributes = fileSystem_.Attributes(path);
    if (!attributes) return FileKind::Missing;
    if (attributes->folder) return FileKind::Folder;
    const FileKind byExtension = FileKindOfExtension(path);
    if (byExtension != FileKind::Unsupported) return byExtension;
    return c_prtoth::HasPrintToCommand(registry_, path) ? FileKind::Other : FileKind::Unsupported;
}

bool FileKinds::IsAddable(const std::string& path) {
    switch (FileKindOf(path)) {
    case FileKind::Unsupported: return false;
    case FileKind::Other: return allowOther_;
    default: return true;
    }
}

} // namespace tarvoline
