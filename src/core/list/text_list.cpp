#include "list/text_list.h"

#include <string_view>
#include <vector>

#include "common/encoding.h"
#include "common/messages.h"
#include "list/filelist.h"
#include "platform/file_system.h"

namespace tarvoline {
namespace {

// Lines end at CR LF, LF or CR.
std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != u'\r' && text[pos] != u'\n')
            continue;
        lines.emplace_back(text.substr(start, pos - start));
        if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n')
            ++pos;
        start = pos + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

bool IsBlankOrControl(char16_t c) {
    return c <= 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::u16string_view TrimLine(std::u16string_view line) {
    while (!line.empty() && IsBlankOrControl(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlankOrControl(line.back()))
        line.remove_suffix(1);
    return line;
}


} // namespace

bool ExportTextList(c_filelist& list, FileSystem& fileSystem, const std::string& path) {
    std::string bytes("\xEF\xBB\xBF");
    for (int row = 0; row < list.RowCount(); ++row)
        bytes.append(AnsiToUtf8(list.EntryPath(row))).append("\r\n");
    if (const FileResult written = fileSystem.WriteFileAtomic(path, bytes); !written.ok()) {
        ShowMessageId(13069, path, written.error);
        return false;
    }
    return true;
}

bool ImportTextList(c_filelist& list, FileSystem& fileSystem, const std::string& path) {
    list.ClearList();
    std::string bytes;
    if (const FileResult read = fileSystem.ReadWholeFile(path, bytes); !read.ok()) {
        ShowMessageId(13068, path, read.error);
        return false;
    }

    std::vector<std::string> accepted;
    std::string refused;
    for (const std::u16string& rawLine : SplitLines(DecodeTextFile(bytes))) {
        const std::u16string_view line = TrimLine(rawLine);
        if (line.empty())
            continue;
        const std::optional<std::string> ansi = Utf16ToAnsi(line);
        bool usable = false;
        if (ansi) {
            // The kind already tells whether something exists there: a folder, a file, or Missing.
            const FileKind kind = list.Classifier().FileKindOf(*ansi);
            usable = kind != FileKind::Unsupported && kind != FileKind::Missing;
        }
        if (usable)
            accepted.push_back(*ansi);
        else
            refused.append(ansi ? *ansi : Utf16ToAnsiLossy(line)).append("\r\n");
    }

    if (!refused.empty())
        ShowMessageId(13066, refused);
    if (!accepted.empty())
        list.AddFiles(accepted, true, c_filelist::kAppend);
    else
        ShowMessageId(13067);
    if (list.RowCount() > 0)
        list.Modified = true;
    return true;
}

} // namespace tarvoline
