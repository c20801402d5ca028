// Our INI codec against the system's profile functions: files we write read back the same through
// GetPrivateProfileStringA, and files the system writes (or a person writes) read the same through ours.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "listfile/ini_file.h"

namespace tarvoline {
namespace {

const char kMissing[] = "<missing>";

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

// A fresh file name per use: the system keeps recently used profile files in a cache.
std::string NewFileName() {
    static int counter = 0;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tarvoline_ini_" + std::to_string(GetCurrentProcessId()) + "_" +
                             std::to_string(counter++) + ".ini";
    DeleteFileA(path.c_str());
    return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

// As the program reads a value: a 2,048-byte buffer.
std::string SystemValue(const std::string& path, const std::string& section, const std::string& key) {
    std::vector<char> buffer(2048, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(), 2048, path.c_str());
    return buffer.data();
}

std::vector<std::string> SystemSectionNames(const std::string& path) {
    std::vector<char> buffer(1 << 16, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> names;
    for (DWORD pos = 0; pos < length && buffer[pos];) {
        names.emplace_back(buffer.data() + pos);
        pos += static_cast<DWORD>(names.back().size()) + 1;
    }
    return names;
}

std::string OurValue(const IniFile& file, const std::string& section, const std::string& key) {
    const std::optional<std::string> value = file.Value(section, key);
    return value ? *value : kMissing;
}

using Query = std::pair<std::string, std::string>;

void ExpectSameReading(const std::string& path, const std::vector<Query>& queries) {
    const IniFile ours = IniFile::Parse(ReadBytes(path));
    EXPECT_EQ(ours.SectionNames(), SystemSectionNames(path));
    for (const auto& [section, key] : queries)
        EXPECT_EQ(OurValue(ours, section, key), SystemValue(path, section, key)) << "[" << section << "] " << key;
}

struct Value {
    std::string section;
    std::string key;
    std::string value;
};

const std::vector<Value>& TrickyValues() {
    static const std::vector<Value> values = {
        {"COMMON", "COMMENT", "Tarvoline.exe"},
        {"COMMON", "jp", "日本語の値、表示、ソ"},
        {"COMMON", "dq", "\"double quoted\""},
        {"COMMON", "sq", "'single quoted'"},
        {"COMMON", "mixed", "\"mixed'"},
        {"COMMON", "inner", "a \"b\" c"},
        {"COMMON", "lone", "\""},
        {"COMMON", "blanks", "  blanks around \t "},
        {"COMMON", "empty", ""},
        {"FILE1", "FILE", "C:\\文書\\予算表.xlsx"},
        {"FILE1", "EXCELRANGE", "シート選択"},
        {"FILE1", "long", std::string(3000, 'x')},
        {"FILE1", "longquoted", "\"" + std::string(2500, 'q') + "\""},
        {"FILE1", "longjp", "a" + Repeat("あ", 1200)},
        // The 2,047th byte would be the first half of a character.
        {"FILE1", "longjp2", Repeat("あ", 1200)},
        {"ＦＵＬＬ", "ｗｉｄｅ", "全角"},
        {"MEMO", "TEXT1", "メモ"},
    };
    return values;
}

std::vector<Query> QueriesFor(const std::vector<Value>& values) {
    std::vector<Query> queries;
    for (const Value& v : values) {
        queries.push_back({v.section, v.key});
        std::string lowerSection = v.section, lowerKey = v.key;
        for (char& c : lowerSection)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        for (char& c : lowerKey)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        queries.push_back({lowerSection, lowerKey});
        queries.push_back({" " + v.section + " ", v.key});
    }
    queries.push_back({"COMMON", "absent"});
    queries.push_back({"ABSENT", "FILE"});
    queries.push_back({"ｆｕｌｌ", "ＷＩＤＥ"});
    return queries;
}

TEST(IniFileWin32, WhatWeWriteTheSystemReadsTheSame) {
    IniFile ours = IniFile::Parse("; lines before the first section\r\n");
    for (const Value& v : TrickyValues())
        ours.WriteString(v.section, v.key, v.value);
    const std::string path = NewFileName();
    WriteBytes(path, ours.Serialize());
    for (const Value& v : TrickyValues()) {
        EXPECT_EQ(SystemValue(path, v.section, v.key), *ours.Value(v.section, v.key)) << v.key;
    }
    ExpectSameReading(path, QueriesFor(TrickyValues()));
    DeleteFileA(path.c_str());
}

TEST(IniFileWin32, WhatTheSystemWritesWeReadTheSame) {
    const std::string path = NewFileName();
    for (const Value& v : TrickyValues())
        ASSERT_TRUE(WritePrivateProfileStringA(v.section.c_str(), v.key.c_str(), v.value.c_str(), path.c_str()));
    // Names in other letter cases reach the same section and key; a deleted section is gone.
    WritePrivateProfileStringA("common", "JP", "上書き", path.c_str());
    WritePrivateProfileStringA("GONE", "k", "v", path.c_str());
    WritePrivateProfileStringA("GONE", nullptr, nullptr, path.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); // flush

    const IniFile ours = IniFile::Parse(ReadBytes(path));
    EXPECT_EQ(OurValue(ours, "COMMON", "jp"), "上書き");
    EXPECT_EQ(OurValue(ours, "GONE", "k"), kMissing);
    ExpectSameReading(path, QueriesFor(TrickyValues()));
    DeleteFileA(path.c_str());
}

TEST(IniFileWin32, AHandWrittenFileReadsTheSame) {
    const std::string path = NewFileName();
    WriteBytes(path, "stray=before any section\r\n"
                     "\r\n"
                     "  [COMMON]  \r\n"
                     "  spaced key   =   spaced value   \r\n"
                     "noequals\r\n"
                     "a=b=c\r\n"
                     "dup=first\r\n"
                     "dup=second\r\n"
                     "\r\n"
                     "[ゾーン\r\n"
                     "after=bad header\r\n"
                     "[common]\r\n"
                     "hidden=second section of that name\r\n"
                     "[a]b] junk\n"
                     "k=lf only\n"
                     "[ spaced ]\r\n"
                     "k= x \r\n"
                     "[表]\r\n"
                     "ソ=表示\r\n"
                     "[CR]\r"
                     "one=1\rtwo=2\r"
                     "[LAST]\r\n"
                     "end=no line break");
    ExpectSameReading(path, {{"COMMON", "spaced key"},
                             {"COMMON", "noequals"},
                             {"COMMON", "a"},
                             {"COMMON", "dup"},
                             {"COMMON", "after"},
                             {"COMMON", "[ゾーン"},
                             {"common", "hidden"},
                             {"a]b", "k"},
                             {" spaced ", "k"},
                             {"spaced", "k"},
                             {"表", "ソ"},
                             {"LAST", "end"},
                             {"", "stray"},
                             {"CR", "one"},
                             {"CR", "two"}});
    DeleteFileA(path.c_str());
}

} // namespace
} // namespace tarvoline
