#include "list/text_list.h"

#include <string_view>
#include <vector>

#include "common/encoding.h"
#include "common/messages.h"
#include "list/filelist.h"
#include "platform/file_system.h"

namespace tarvoline {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

// The file's text as a byte-order mark says, UTF-8 without one.
std::u16string DecodeTextFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == kUtf8Bom)
        return Utf8ToUtf16(bytes.substr(3));
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return Utf16FromBytes(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return Utf16FromBytes(bytes.substr(2), true);
    return Utf8ToUtf16(bytes);
}

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

// For the refusal message only: characters without a code page 932 form show as "?".
std::string DisplayText(std::u16string_view line) {
    std::string text;
    for (std::size_t pos = 0; pos < line.size();) {
        const bool pair = pos + 1 < line.size() && line[pos] >= 0xD800 && line[pos] <= 0xDBFF &&
                          line[pos + 1] >= 0xDC00 && line[pos + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        const std::optional<std::string> character = Utf16ToAnsi(line.substr(pos, length));
        text += character ? *character : std::string("?");
        pos += length;
    }
    return text;
}

bool IsExisting(FileSystem& fileSystem, const std::string& path, bool folder) {
    const std::optional<FileAttributes> attributes = fileSystem.Attributes(path);
    return attributes && attributes->folder == folder;
}

} // namespace

bool ExportTextList(c_filelist& list, FileSystem& fileSystem, const std::string& path) {
    std::string bytes(kUtf8Bom);
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
            switch (list.Classifier().FileKindOf(*ansi)) {
            case FileKind::Unsupported:
                break;
            case FileKind::Folder:
                usable = IsExisting(fileSystem, *ansi, true);
                break;
            default:
                usable = IsExisting(fileSystem, *ansi, false);
                break;
            }
        }
        if (usable)
            accepted.push_back(*ansi);
        else
            refused.append(ansi ? *ansi : DisplayText(line)).append("\r\n");
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
