#include "listfile/list_file.h"

#include <algorithm>
#include <map>

#include "common/ansi_text.h"
#include "common/messages.h"
#include "common/wait_cursor.h"
#include "dialogs/text_input.h"
#include "listfile/memo_lines.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tarvoline {
namespace {

// Section and key names of the list file.
constexpr std::int32_t kKeyPrint = 12001;
constexpr std::int32_t kYes = 12002;
constexpr std::int32_t kNo = 12003;
constexpr std::int32_t kSectionCommon = 12021;
constexpr std::int32_t kKeyComment = 12022;
constexpr std::int32_t kKeyVersion = 12023;
constexpr std::int32_t kKeyVersionFull = 12024;
constexpr std::int32_t kKeyListPassword = 12025;
constexpr std::int32_t kSectionFilePrefix = 12031;
constexpr std::int32_t kKeyExcelRange = 12032;
constexpr std::int32_t kKeyFile = 12033;
constexpr std::int32_t kKeyStart = 12034;
constexpr std::int32_t kKeyExcelSheetPrefix = 12035;
constexpr std::int32_t kKeySeparateJobs = 12036;
constexpr std::int32_t kKeyExcelRangeCondition = 12037;
constexpr std::int32_t kSectionMemo = 12041;
constexpr std::int32_t kKeyMemoLinePrefix = 12042;
constexpr std::int32_t kKeyPassword = 12043;
constexpr std::int32_t kKeyCopies = 12044;
constexpr std::int32_t kProductName = 15001;

constexpr std::int64_t kPauseAfterSaveMs = 2000;
// What CryptEncrypt reports when the data does not fit the buffer (ERROR_MORE_DATA).
constexpr std::uint32_t kErrorMoreData = 0xEA;

// The names are looked up once: a list of thousands of entries asks for them tens of thousands of times.
const std::string& Text(std::int32_t id) {
    static const std::map<std::int32_t, std::string> names = [] {
        std::map<std::int32_t, std::string> table;
        for (const std::int32_t name : {kKeyPrint,
                                        kYes,
                                        kNo,
                                        kSectionCommon,
                                        kKeyComment,
                                        kKeyVersion,
                                        kKeyVersionFull,
                                        kKeyListPassword,
                                        kSectionFilePrefix,
                                        kKeyExcelRange,
                                        kKeyFile,
                                        kKeyStart,
                                        kKeyExcelSheetPrefix,
                                        kKeySeparateJobs,
                                        kKeyExcelRangeCondition,
                                        kSectionMemo,
                                        kKeyMemoLinePrefix,
                                        kKeyPassword,
                                        kKeyCopies,
                                        kProductName,
                                        std::int32_t{15101},
                                        std::int32_t{15102}})
            table.emplace(name, LoadMessageText(name));
        return table;
    }();
    return names.at(id);
}

std::string Numbered(std::int32_t prefixId, int number) {
    return Text(prefixId) + std::to_string(number);
}

// The first count dot-separated numbers of the program's version ("1", "1.0.5").
std::string VersionNumbers(int count) {
    const std::string full = TARVOLINE_VERSION_TEXT;
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) {
        end = full.find('.', i == 0 ? 0 : end + 1);
        if (end == std::string::npos)
            return full;
    }
    return full.substr(0, end);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

c_listfile::c_listfile(c_filelist& list, Crypto& crypto, FileSystem& fileSystem, Clock& clock)
    : ProgramFileName(Text(kProductName) + ".exe"), list_(list), crypt_(crypto), fileSystem_(fileSystem), clock_(clock),
      buffer_(kCryptBufferSize) {}

ListHost& c_listfile::Host() const {
    ListHost* host = list_.Host();
    if (!host)
        throw std::logic_error("the print list has no window");
    return *host;
}

// ---- values ----

std::string c_listfile::EncryptValue(const std::string& value) {
    if (value.empty())
        return {};
    if (value.size() >= kCryptBufferSize) {
        // Refused rather than cut: the value would not come back as it was.
        ShowMessageId(13220, CSimpleCrypt::StepEncrypt, kErrorMoreData);
        throw c_userexcp();
    }
    const auto length = static_cast<std::uint32_t>(value.size());
    std::copy(value.begin(), value.end(), buffer_.begin());
    const int step = crypt_.Encrypt(list_.ListPassword, buffer_.data(), kCryptBufferSize, length);
    if (step != CSimpleCrypt::StepNone) {
        ShowMessageId(13220, step, crypt_.LastError());
        throw c_userexcp();
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(2 * std::size_t{length});
    for (std::uint32_t i = 0; i < length; ++i) {
        text.push_back(kDigits[buffer_[i] >> 4]);
        text.push_back(kDigits[buffer_[i] & 0x0F]);
    }
    return text;
}

std::string c_listfile::DecryptValue(const std::string& text) {
    if (text.empty())
        return {};
    // The length follows the text, also past a pair that is no hexadecimal number: from there on the
    // ciphertext is zero bytes.
    const auto length = static_cast<std::uint32_t>(std::min<std::size_t>(text.size() / 2, kCryptBufferSize));
    std::fill_n(buffer_.begin(), length, 0);
    for (std::uint32_t i = 0; i < length; ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0)
            break;
        buffer_[i] = static_cast<unsigned char>(high << 4 | low);
    }
    const int step = crypt_.Decrypt(list_.ListPassword, buffer_.data(), length);
    if (step != CSimpleCrypt::StepNone) {
        ShowMessageId(13230, step, crypt_.LastError());
        throw c_userexcp();
    }
    const auto end = std::find(buffer_.begin(), buffer_.begin() + length, 0);
    return std::string(buffer_.begin(), end);
}

void c_listfile::WriteListValue(IniFile& file, const std::string& section, const std::string& value,
                                const std::string& key) {
    file.WriteString(section, key, list_.ListPassword.empty() ? value : EncryptValue(value));
}

std::string c_listfile::ReadListValue(const IniFile& file, const std::string& section, const std::string& key,
                                      const std::string& defaultValue) {
    std::optional<std::string> value = file.Value(section, key);
    if (!value)
        return defaultValue;
    return list_.ListPassword.empty() ? std::move(*value) : DecryptValue(*value);
}

// ---- the list password ----

bool c_listfile::ConfirmListPassword() {
    ListHost& host = Host();
    if (!host.ListPasswordChecked()) {
        list_.ListPassword.clear();
        return true;
    }
    const std::string typed = host.ListPasswordText();
    if (typed.empty()) {
        ShowMessageId(13211);
        host.FocusListPassword();
        return false;
    }
    if (typed == list_.ListPassword)
        return true;
    for (;;) {
        std::string again;
        if (PromptPassword(Text(15102), again) != MessageResult::Ok)
            return false;
        if (again == typed)
            break;
        ShowMessageId(13212);
    }
    list_.ListPassword = typed;
    return true;
}

// ---- writing ----

void c_listfile::WriteEntry(IniFile& file, int row) {
    const std::string section = Numbered(kSectionFilePrefix, row + 1);
    const EntrySettings settings = list_.GetEntrySettings(row);
    WriteListValue(file, section, list_.EntryPath(row), Text(kKeyFile));
    if (!list_.IsChecked(row))
        WriteListValue(file, section, Text(kNo), Text(kKeyPrint));
    if (!settings.PageRange.empty())
        WriteListValue(file, section, settings.PageRange, Text(kKeyStart));
    if (!settings.Password.empty())
        WriteListValue(file, section, settings.Password, Text(kKeyPassword));
    const std::string rangeText = ExcelRangeText(settings.ExcelRange);
    if (!rangeText.empty())
        WriteListValue(file, section, rangeText, Text(kKeyExcelRange));
    switch (settings.ExcelRange) {
    case ExcelRangeMode::SelectedSheets:
        for (std::size_t k = 0; k < settings.Sheets.size(); ++k)
            WriteListValue(file, section, settings.Sheets[k], Numbered(kKeyExcelSheetPrefix, static_cast<int>(k)));
        break;
    case ExcelRangeMode::NameContains:
    case ExcelRangeMode::NameNotContains:
        WriteListValue(file, section, settings.Sheets.empty() ? std::string() : settings.Sheets[0],
                       Text(kKeyExcelRangeCondition));
        break;
    default:
        break;
    }
    if (settings.SeparateJobs)
        WriteListValue(file, section, Text(kYes), Text(kKeySeparateJobs));
}

bool c_listfile::WriteListFile(const std::string& path) {
    c_waitcursor waitCursor;
    ListHost& host = Host();
    CSimpleCrypt::Session cryptSession(crypt_);

    // Lines before the first section survive a save, as with the profile functions.
    IniFile file;
    if (const std::optional<FileAttributes> attributes = fileSystem_.Attributes(path);
        attributes && !attributes->folder) {
        std::string old;
        if (const FileResult read = fileSystem_.ReadWholeFile(path, old); !read.ok())
            throw ListFileError(FormatText("%s (File=%s)", {read.error, path}));
        file = IniFile::Parse(old);
        file.EraseSections();
    }

    const std::string common = Text(kSectionCommon);
    file.WriteString(common, Text(kKeyComment), ProgramFileName);
    file.WriteString(common, Text(kKeyVersion), VersionNumbers(1));
    file.WriteString(common, Text(kKeyVersionFull), VersionNumbers(3));
    if (!list_.ListPassword.empty())
        WriteListValue(file, common, list_.ListPassword, Text(kKeyListPassword));
    WriteListValue(file, common, host.CopiesText(), Text(kKeyCopies));

    for (int row = 0; row < list_.RowCount(); ++row)
        WriteEntry(file, row);

    const std::vector<std::string> memoLines = SplitMemoText(host.MemoText());
    for (std::size_t j = 0; j < memoLines.size(); ++j)
        WriteListValue(file, Text(kSectionMemo), memoLines[j], Numbered(kKeyMemoLinePrefix, static_cast<int>(j + 1)));

    if (const FileResult written = fileSystem_.WriteFileAtomic(path, file.Serialize()); !written.ok())
        throw ListFileError(FormatText("%s (File=%s)", {written.error, path}));

    clock_.Sleep(kPauseAfterSaveMs);
    list_.Modified = false;
    return true;
}

// ---- reading ----

void c_listfile::ReadCommon(const IniFile& file) {
    ListHost& host = Host();
    const std::string common = Text(kSectionCommon);
    const std::string checkKey = Text(kKeyListPassword);
    if (file.KeyExists(common, checkKey)) {
        std::string answer;
        if (PromptPassword(Text(15101), answer) != MessageResult::Ok || answer.empty())
            throw c_userexcp();
        list_.ListPassword = answer;
        // A wrong password deciphers to other text rather than failing: the check value tells.
        if (ReadListValue(file, common, checkKey, std::string()) != answer) {
            ShowMessageId(13210);
            throw c_userexcp();
        }
        host.SetListPasswordChecked(true);
        host.SetListPasswordText(answer);
    }
    host.SetCopiesText(ReadListValue(file, common, Text(kKeyCopies), "1"));
}

void c_listfile::ReadEntry(const IniFile& file, const std::string& section) {
    const std::string path = ReadListValue(file, section, Text(kKeyFile), std::string());
    if (path.empty())
        throw c_userexcp();
    const bool checked = AnsiUpperCase(ReadListValue(file, section, Text(kKeyPrint), Text(kYes))) != Text(kNo);
    const std::string pageRange = ReadListValue(file, section, Text(kKeyStart), std::string());
    const std::string password = ReadListValue(file, section, Text(kKeyPassword), std::string());
    const ExcelRangeMode mode = ExcelRangeFromText(ReadListValue(file, section, Text(kKeyExcelRange), std::string()));
    std::vector<std::string> sheets;
    if (mode == ExcelRangeMode::SelectedSheets) {
        for (int k = 0;; ++k) {
            const std::string key = Numbered(kKeyExcelSheetPrefix, k);
            if (!file.KeyExists(section, key))
                break;
            sheets.push_back(ReadListValue(file, section, key, std::string()));
        }
    } else if (mode == ExcelRangeMode::NameContains || mode == ExcelRangeMode::NameNotContains) {
        sheets.push_back(ReadListValue(file, section, Text(kKeyExcelRangeCondition), std::string()));
    }
    const bool separateJobs = ReadListValue(file, section, Text(kKeySeparateJobs), std::string()) == Text(kYes);
    list_.AddFiles({path}, checked, c_filelist::kAppend, separateJobs, sheets, mode, password, pageRange);
}

void c_listfile::ReadMemo(const IniFile& file) {
    const std::string memo = Text(kSectionMemo);
    std::vector<std::string> lines;
    for (int m = 1;; ++m) {
        const std::string key = Numbered(kKeyMemoLinePrefix, m);
        if (!file.KeyExists(memo, key))
            break;
        lines.push_back(ReadListValue(file, memo, key, std::string()));
    }
    Host().SetMemoText(JoinMemoLines(lines));
}

bool c_listfile::ReadListFile(const std::string& path) {
    list_.ClearList();
    const std::optional<FileAttributes> attributes = fileSystem_.Attributes(path);
    if (!attributes || attributes->folder) {
        ShowMessageId(13038, path);
        list_.Modified = false;
        return false;
    }
    std::string bytes;
    if (const FileResult read = fileSystem_.ReadWholeFile(path, bytes); !read.ok()) {
        // The profile functions would read such a file as empty; say that it cannot be used instead.
        ShowMessageId(13039, path);
        list_.Modified = false;
        return false;
    }

    bool loaded = false;
    try {
        CSimpleCrypt::Session cryptSession(crypt_);
        const IniFile file = IniFile::Parse(bytes);
        ReadCommon(file);
        const std::string entryPrefix = Text(kSectionFilePrefix);
        for (const std::string& section : file.SectionNames()) {
            if (section.compare(0, entryPrefix.size(), entryPrefix) == 0)
                ReadEntry(file, section);
        }
        ReadMemo(file);
        for (int row = 0; row < list_.RowCount(); ++row) {
            if (list_.IconOf(row) == IconNone) {
                ShowMessageId(13040);
                break;
            }
        }
        SetStatusText(std::string());
        loaded = true;
    } catch (const c_userexcp&) {
        list_.ClearList();
    } catch (...) {
        // Not one of ours: the list is emptied all the same, and the error goes on to be shown.
        list_.ClearList();
        list_.Modified = false;
        throw;
    }
    list_.Modified = false;
    return loaded;
}

} // namespace tarvoline
