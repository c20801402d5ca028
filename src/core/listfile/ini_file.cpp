#include "listfile/ini_file.h"

#include <algorithm>
#include <stdexcept>

#include "common/ansi_text.h"

namespace tarvoline {
namespace {

// The profile functions' blanks. None of these bytes can be the second byte of a double-byte character,
// so trimming byte by byte is safe.
bool IsProfileBlank(char c) {
    return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' ';
}

std::string_view TrimProfileBlanks(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Names are compared with ASCII letters folded, as the profile functions do; the second byte of a
// double-byte character is never taken for a letter.
std::string FoldName(std::string_view name) {
    std::string folded(name);
    for (std::size_t pos = 0; pos < folded.size(); pos += CharLengthAt(folded, pos)) {
        if (folded[pos] >= 'a' && folded[pos] <= 'z')
            folded[pos] = static_cast<char>(folded[pos] - 'a' + 'A');
    }
    return folded;
}

// Position of the last "]" that is a character of its own (0x5D is also a second byte in code page 932).
std::size_t LastClosingBracket(std::string_view line) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < line.size(); pos += CharLengthAt(line, pos)) {
        if (line[pos] == ']')
            found = pos;
    }
    return found;
}

// At most maxBytes, never ending in the first half of a double-byte character.
std::string_view CutBetweenCharacters(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t next = pos + CharLengthAt(text, pos);
        if (next > maxBytes)
            break;
        pos = next;
    }
    return text.substr(0, pos);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    std::size_t current = 0;
    bool beforeFirstSection = true;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lineStart = pos;
        while (pos < bytes.size() && !IsLineBreak(bytes[pos]))
            ++pos;
        const std::string_view line = TrimProfileBlanks(bytes.substr(lineStart, pos - lineStart));
        while (pos < bytes.size() && IsLineBreak(bytes[pos]))
            ++pos;
        if (line.empty())
            continue;

        if (line.front() == '[') {
            const std::size_t close = LastClosingBracket(line);
            if (close != std::string_view::npos) {
                if (beforeFirstSection)
                    file.preamble_ = std::string(bytes.substr(0, lineStart));
                beforeFirstSection = false;
                current = file.AddSection(std::string(TrimProfileBlanks(line.substr(1, close - 1))));
                continue;
            }
        }
        Line entry;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            entry.name = std::string(line);
        } else {
            entry.name = std::string(TrimProfileBlanks(line.substr(0, equals)));
            entry.value = std::string(TrimProfileBlanks(line.substr(equals + 1)));
            entry.hasValue = true;
        }
        AddLine(file.sections_[current], std::move(entry));
    }
    if (beforeFirstSection)
        file.preamble_ = std::string(bytes);
    return file;
}

std::size_t IniFile::AddSection(std::string name) {
    const std::size_t index = sections_.size();
    sectionIndex_.emplace(FoldName(name), index);
    sections_.emplace_back().name = std::move(name);
    return index;
}

void IniFile::AddLine(Section& section, Line line) {
    if (line.hasValue && !line.name.empty())
        section.keyIndex.emplace(FoldName(line.name), section.lines.size());
    section.lines.push_back(std::move(line));
}

std::size_t IniFile::FindSectionIndex(std::string_view name) const {
    const auto found = sectionIndex_.find(FoldName(TrimProfileBlanks(name)));
    return found == sectionIndex_.end() ? kNoSection : found->second;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    const std::size_t index = FindSectionIndex(name);
    return index == kNoSection ? nullptr : &sections_[index];
}

const IniFile::Line* IniFile::FindKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    const std::string_view trimmed = TrimProfileBlanks(key);
    if (!found || trimmed.empty())
        return nullptr;
    const auto line = found->keyIndex.find(FoldName(trimmed));
    return line == found->keyIndex.end() ? nullptr : &found->lines[line->second];
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const Section& section : sections_) {
        if (!section.name.empty())
            names.push_back(section.name);
    }
    return names;
}

bool IniFile::SectionExists(std::string_view section) const {
    return FindSection(section) != nullptr;
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const {
    return FindKey(section, key) != nullptr;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const Line* line = FindKey(section, key);
    if (!line)
        return std::nullopt;
    std::string_view value = TrimProfileBlanks(line->value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(CutBetweenCharacters(value, kMaxValueBytes));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, const std::string& defaultValue) const {
    std::optional<std::string> value = Value(section, key);
    return value ? std::move(*value) : defaultValue;
}

IniFile::IniFile() {
    AddSection(std::string());
}

void IniFile::EraseSections() {
    sections_.resize(1);
    sectionIndex_.clear();
    sectionIndex_.emplace(std::string(), 0);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view sectionName = TrimProfileBlanks(section);
    const std::string_view keyName = TrimProfileBlanks(key);
    if (sectionName.empty() || keyName.empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        keyName.find('=') != std::string_view::npos)
        throw std::invalid_argument("profile name or value that cannot stand on one line");

    std::size_t index = FindSectionIndex(sectionName);
    if (index == kNoSection)
        index = AddSection(std::string(sectionName));
    Section* target = &sections_[index];
    const auto existing = target->keyIndex.find(FoldName(keyName));
    if (existing != target->keyIndex.end()) {
        target->lines[existing->second].value = std::string(value);
        return;
    }
    AddLine(*target, Line{std::string(keyName), std::string(value), true});
}

std::string IniFile::Serialize() const {
    std::size_t size = preamble_.size() + 2;
    for (const Section& section : sections_) {
        size += section.name.size() + 4;
        for (const Line& line : section.lines)
            size += line.name.size() + line.value.size() + 3;
    }
    std::string out;
    out.reserve(size);
    out.append(preamble_);
    if (!out.empty() && !IsLineBreak(out.back()))
        out.append("\r\n");
    // The unnamed first section is the text before the first header, kept as it was.
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        out.append("[").append(section.name).append("]\r\n");
        for (const Line& line : section.lines) {
            out.append(line.name);
            if (line.hasValue)
                out.append("=").append(line.value);
            out.append("\r\n");
        }
    }
    return out;
}

} // namespace tarvoline
