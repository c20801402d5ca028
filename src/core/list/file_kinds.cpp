#include "list/file_kinds.h"

#include "common/ansi_text.h"
#include "common/print_log.h"
#include "platform/file_system.h"
#include "print/prtoth.h"

namespace tarvoline {

FileKind FileKinds::FileKindOf(const std::string& path) {
    const std::optional<FileAttributes> attributes = fileSystem_.Attributes(path);
    if (!attributes)
        return FileKind::Missing;
    if (attributes->folder)
        return FileKind::Folder;
    return KindOfFile(path);
}

FileKind FileKinds::KindOfFile(const std::string& path) {
    const FileKind byExtension = FileKindOfExtension(path);
    if (byExtension != FileKind::Unsupported)
        return byExtension;
    const std::int32_t missing = MissingPrintTo(ExtractFileExt(ExtractFileName(path)));
    if (missing == 0)
        return FileKind::Other;
    LogMessage(missing, path);
    return FileKind::Unsupported;
}

std::int32_t FileKinds::MissingPrintTo(const std::string& extension) {
    if (walks_ == 0)
        return c_prtoth::MissingPrintToCommand(registry_, extension);
    auto known = missingPrintTo_.find(extension);
    if (known == missingPrintTo_.end())
        known = missingPrintTo_.emplace(extension, c_prtoth::MissingPrintToCommand(registry_, extension)).first;
    return known->second;
}

void FileKinds::EndWalk() {
    // Types registered after a walk count from the next one on.
    if (walks_ > 0 && --walks_ == 0)
        missingPrintTo_.clear();
}

bool FileKinds::Addable(FileKind kind) const {
    switch (kind) {
    case FileKind::Unsupported:
        return false;
    case FileKind::Other:
        return allowOther_;
    default:
        return true;
    }
}

bool FileKinds::IsAddable(const std::string& path) {
    return Addable(FileKindOf(path));
}

bool FileKinds::IsAddableFile(const std::string& path) {
    return Addable(KindOfFile(path));
}

} // namespace tarvoline
