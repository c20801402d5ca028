#include "list/file_kind.h"

#include <string_view>

#include "common/ansi_text.h"

namespace tarvoline {
namespace {

struct ExtensionKind {
    std::string_view extension;
    FileKind kind;
};

// The only list of extensions in the program; the first matching row decides.
constexpr ExtensionKind kExtensionTable[] = {
    {".doc", FileKind::Word},        {".docx", FileKind::Word},       {".docm", FileKind::Word},
    {".rtf", FileKind::Word},        {".xls", FileKind::Excel},       {".xlsx", FileKind::Excel},
    {".xlsm", FileKind::Excel},      {".ppt", FileKind::PowerPoint},  {".pptx", FileKind::PowerPoint},
    {".pptm", FileKind::PowerPoint}, {".pdf", FileKind::Pdf},         {".vsd", FileKind::Visio},
    {".vss", FileKind::Visio},       {".vst", FileKind::Visio},       {".vsdx", FileKind::Visio},
    {".vssx", FileKind::Visio},      {".vstx", FileKind::Visio},      {".vsdm", FileKind::Visio},
    {".vssm", FileKind::Visio},      {".vstm", FileKind::Visio},      {".lnk", FileKind::Shortcut},
};

} // namespace

FileKind FileKindOfExtension(const std::string& path) {
    const std::string extension = ExtractFileExt(path);
    for (const auto& row : kExtensionTable) {
        if (SameTextIgnoringCase(extension, row.extension)) return row.kind;
    }
    return FileKind::Unsupported;
}

} // namespace tarvoline
