#pragma once
// The list file (.lst): reading and writing the print list with its memo, copies and list password, and
// the encryption of its values under the list password.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "list/filelist.h"
#include "listfile/ini_file.h"
#include "listfile/simple_crypt.h"

namespace tarvoline {

class Clock;
class FileSystem;

// A list file that could not be read for saving or written; the text is the system's error and the path.
class ListFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The list file operations of the print list. The list password itself is the list's ListPassword; the
// memo, the copies field and the list-password box and edit are the list host's.
class c_listfile {
public:
    // The cipher's buffer: a value of up to 40,959 bytes can be encrypted.
    static constexpr std::uint32_t kCryptBufferSize = 40960;

    c_listfile(c_filelist& list, Crypto& crypto, FileSystem& fileSystem, Clock& clock);

    // What "COMMENT" says: the file name of the program's executable.
    std::string ProgramFileName;

    // Writes the whole list. The new file is built in memory and moved over the old one only when complete,
    // so a failure leaves the previous file as it was. Returns true; a failure throws, after 13220 for an
    // encryption failure (c_userexcp) or as ListFileError when the file cannot be read or written, and the
    // list keeps its Modified state.
    bool WriteListFile(const std::string& path);
    // Loads the list (cleared first); false after the failure was reported, with an empty list.
    bool ReadListFile(const std::string& path);
    // Called before every save: false when the save must not happen (no password typed while protection is
    // on, or the confirmation was cancelled).
    bool ConfirmListPassword();

    // A value and its stored form under the list password: upper-case hexadecimal ciphertext; "" stays "".
    // A failing cipher shows 13220 or 13230 and throws c_userexcp.
    std::string EncryptValue(const std::string& value);
    std::string DecryptValue(const std::string& text);
    // The profile write and read of one value, enciphered when a list password is set. A missing key reads
    // as defaultValue, never deciphered.
    void WriteListValue(IniFile& file, const std::string& section, const std::string& value, const std::string& key);
    std::string ReadListValue(const IniFile& file, const std::string& section, const std::string& key,
                              const std::string& defaultValue);

    CSimpleCrypt& Crypt() { return crypt_; }

private:
    ListHost& Host() const;
    void ReadCommon(const IniFile& file);
    void ReadEntry(const IniFile& file, const std::string& section);
    void ReadMemo(const IniFile& file);
    void WriteEntry(IniFile& file, int row);

    c_filelist& list_;
    CSimpleCrypt crypt_;
    FileSystem& fileSystem_;
    Clock& clock_;
    std::vector<unsigned char> buffer_;
};

} // namespace tarvoline
