#pragma once
// The list file's INI format, read exactly as the system's profile functions read a file in the ANSI
// code page (GetPrivateProfileStringA with a 2,048-byte buffer), and written in the layout they write.
// The whole file is parsed once and indexed, where the profile functions scan the file for every key.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvoline {

class IniFile {
public:
    // A value never comes back longer than this many bytes (cut between characters).
    static constexpr std::size_t kMaxValueBytes = 2047;

    // An empty file.
    IniFile();

    // Lines end at CR or LF; blanks (and ^Z) around lines, names and values are dropped; "[name]" starts a
    // section (up to its last "]"); "name=value" is a key; lines before the first section are kept as they
    // are, and the empty section name reaches their keys.
    static IniFile Parse(std::string_view bytes);

    // The names of the sections in file order, duplicates included, as GetPrivateProfileSectionNames gives them.
    std::vector<std::string> SectionNames() const;
    bool SectionExists(std::string_view section) const;
    // Whether the first section of that name holds a "key=..." line of that name (names ignore the case of
    // ASCII letters and surrounding blanks).
    bool KeyExists(std::string_view section, std::string_view key) const;
    // The value as the profile functions give it: one pair of enclosing single or double quotes removed,
    // cut to kMaxValueBytes; nullopt when the key does not exist.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, const std::string& defaultValue) const;

    // Removes every section with its keys; the lines before the first section stay.
    void EraseSections();
    // Sets a key in the first section of that name, appending the key or, when there is no such section, a
    // new section at the end. Names and values that would break the line structure (a line break in any of
    // them, "=" in a key name) throw std::invalid_argument.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // The file: the kept lines, then every section as "[name]" followed by its "key=value" lines, every line
    // ending in CR LF, text bytes as they are.
    std::string Serialize() const;

private:
    struct Line {
        std::string name;
        std::string value;
        bool hasValue = false; // a line without "=" is kept but is no key
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keyIndex; // folded name -> first line with a value
    };

    static constexpr std::size_t kNoSection = static_cast<std::size_t>(-1);
    std::size_t FindSectionIndex(std::string_view name) const;
    const Section* FindSection(std::string_view name) const;
    const Line* FindKey(std::string_view section, std::string_view key) const;
    std::size_t AddSection(std::string name);
    static void AddLine(Section& section, Line line);

    std::string preamble_;          // the bytes before the first section header
    std::vector<Section> sections_; // the first one, without name, holds the lines before the first header
    std::unordered_map<std::string, std::size_t> sectionIndex_; // folded name -> first section
};

} // namespace tarvoline
