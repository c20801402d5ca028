// tarvoline-list: shows a list file as JSON lines and builds list files from path lists, for admins who
// prepare batch runs. It runs the program's own list code; boxes go to standard error, and the list
// password comes from --password.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/encoding.h"
#include "common/messages.h"
#include "list/file_kinds.h"
#include "list/detached_list_host.h"
#include "list/filelist.h"
#include "list/text_list.h"
#include "listfile/list_file.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/shell.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <objbase.h>

#include "platform/win32_crypto.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "platform/win32_shell.h"
#else
#include "listfile/portable_crypto.h"
#include "platform/std_file_system.h"
#endif

namespace tarvoline {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitPassword = 2;

constexpr const char kUsage[] = "usage: tarvoline-list show FILE.lst [--password PW]\n"
                                "       tarvoline-list from-text PATHS.txt OUT.lst [--password PW] [--copies N]\n";

// Standard error is UTF-8; the core's texts are code page 932.
void PrintError(std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fputc('\n', stderr);
}

class ConsoleUi final : public Ui {
public:
    explicit ConsoleUi(std::optional<std::string> password) : password_(std::move(password)) {}

    // Nobody is there to answer a question: it counts as cancelled, like a box closed unanswered.
    MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) override {
        PrintError(AnsiToUtf8(text));
        if (text == LoadMessageText(13210))
            passwordRefused_ = true;
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
    void SetStatusBarText(const std::string&) override {}
    void ProcessPendingMessages() override {}
    MessageResult PromptPassword(const std::string&, std::string& text) override {
        if (!password_ || password_->empty()) {
            passwordRefused_ = true;
            return MessageResult::Cancel;
        }
        text = *password_;
        return MessageResult::Ok;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

    bool PasswordRefused() const { return passwordRefused_; }

private:
    std::optional<std::string> password_;
    bool passwordRefused_ = false;
};


// The pause after a save is for the window program; a batch tool has no reason to wait.
class NoPauseClock final : public Clock {
public:
    LocalTime Now() const override { return system_.Now(); }
    std::int64_t TickMilliseconds() const override { return system_.TickMilliseconds(); }
    void Sleep(std::int64_t) override {}

private:
    SystemClock system_;
};

#ifdef _WIN32
using SystemCrypto = Win32Crypto;
using SystemFileSystem = Win32FileSystem;
using SystemRegistry = Win32Registry;
using SystemShell = Win32Shell;

// Arguments arrive in the ANSI code page already.
std::optional<std::string> ArgumentText(const char* argument) {
    return std::string(argument);
}
#else
using SystemCrypto = PortableCrypto;

// Paths in the core are code page 932 text; this system names its files in UTF-8.
class SystemFileSystem final : public FileSystem {
public:
    std::optional<FileAttributes> Attributes(const std::string& path) override {
        return files_.Attributes(AnsiToUtf8(path));
    }
    FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        return files_.WriteFileAtomic(AnsiToUtf8(path), bytes);
    }
    FileResult ReadWholeFile(const std::string& path, std::string& bytes) override {
        return files_.ReadWholeFile(AnsiToUtf8(path), bytes);
    }

private:
    StdFileSystem files_;
};

// No registry here: no file type has a registered print-to command.
class SystemRegistry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot, const std::string&, RegistryAccess) override { return nullptr; }
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot, const std::string&) override { return nullptr; }
};

// No shell here: shortcuts cannot be resolved.
class SystemShell final : public Shell {
public:
    std::optional<std::string> ResolveShortcut(const std::string&) override { return std::nullopt; }
    void OpenDocument(const std::string&) override {}
    int PrintTo(const std::string&, const std::string&, bool) override { return 0; }
};

std::optional<std::string> ArgumentText(const char* argument) {
    return Utf8ToAnsi(argument);
}
#endif

void AppendJsonText(std::string& out, const std::string& ansi) {
    out.push_back('"');
    for (const char c : AnsiToUtf8(ansi)) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out.append(escaped);
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
}

const char* JsonBool(bool value) {
    return value ? "true" : "false";
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

struct Options {
    std::vector<std::string> positional;
    std::optional<std::string> password;
    std::optional<std::string> copies;
};

// nullopt after the reason was printed.
std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--password" || argument == "--copies") {
            if (i + 1 >= argc) {
                PrintError(std::string(argument) + " needs a value");
                return std::nullopt;
            }
            const std::optional<std::string> value = ArgumentText(argv[++i]);
            if (!value) {
                PrintError(std::string(argument) + ": the value has no code page 932 form");
                return std::nullopt;
            }
            (argument == "--password" ? options.password : options.copies) = *value;
        } else if (argument.substr(0, 2) == "--") {
            PrintError("unknown option " + std::string(argument));
            return std::nullopt;
        } else {
            const std::optional<std::string> value = ArgumentText(argv[i]);
            if (!value) {
                PrintError(std::string(argument) + ": the path has no code page 932 form");
                return std::nullopt;
            }
            options.positional.push_back(*value);
        }
    }
    return options;
}

bool IsCopiesNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    return std::stoi(text) >= 1;
}

class Tool {
public:
    explicit Tool(const Options& options) : options_(options), ui_(options.password) {
        SetMessageUi(&ui_);
        list_.SetHost(&host_);
    }
    ~Tool() { SetMessageUi(nullptr); }

    int Show(const std::string& path) {
        if (!listFile_.ReadListFile(path)) {
            if (!ui_.PasswordRefused())
                return kExitFailed;
            if (!options_.password)
                PrintError("the list is protected by a list password: give it with --password");
            return kExitPassword;
        }
        std::string line = "{\"copies\": ";
        AppendJsonText(line, host_.copies);
        line.append(", \"memo\": ");
        AppendJsonText(line, host_.memo);
        line.append(", \"listPassword\": ").append(JsonBool(host_.passwordChecked)).append("}");
        PrintLine(line);
        for (int row = 0; row < list_.RowCount(); ++row) {
            const EntrySettings settings = list_.GetEntrySettings(row);
            line = "{\"path\": ";
            AppendJsonText(line, list_.EntryPath(row));
            line.append(", \"folder\": ").append(JsonBool(list_.IsFolderEntry(row)));
            line.append(", \"checked\": ").append(JsonBool(list_.IsChecked(row)));
            line.append(", \"pageRange\": ");
            AppendJsonText(line, settings.PageRange);
            line.append(", \"password\": ");
            AppendJsonText(line, settings.Password);
            line.append(", \"excelRange\": ").append(std::to_string(static_cast<int>(settings.ExcelRange)));
            line.append(", \"sheets\": [");
            for (std::size_t k = 0; k < settings.Sheets.size(); ++k) {
                if (k)
                    line.append(", ");
                AppendJsonText(line, settings.Sheets[k]);
            }
            line.append("], \"separateJobs\": ").append(JsonBool(settings.SeparateJobs)).append("}");
            PrintLine(line);
        }
        return kExitOk;
    }

    int FromText(const std::string& textPath, const std::string& listPath) {
        const Options& options = options_;
        if (!ImportTextList(list_, files_, textPath))
            return kExitFailed;
        if (list_.RowCount() == 0)
            return kExitFailed;
        host_.copies = options.copies.value_or("1");
        if (options.password) {
            host_.passwordChecked = true;
            host_.passwordText = *options.password;
        }
        if (!listFile_.ConfirmListPassword())
            return kExitFailed;
        try {
            listFile_.WriteListFile(listPath);
        } catch (const c_userexcp&) {
            return kExitFailed;
        } catch (const ListFileError& error) {
            PrintError(AnsiToUtf8(error.what()));
            return kExitFailed;
        }
        return kExitOk;
    }

private:
    const Options& options_;
    ConsoleUi ui_;
    SystemFileSystem files_;
    SystemRegistry registry_;
    SystemShell shell_;
    SystemCrypto crypto_;
    NoPauseClock clock_;
    bool allowOther_ = false;
    FileKinds classifier_{files_, registry_, allowOther_};
    bool showPasswords_ = false;
    c_filelist list_{classifier_, shell_, showPasswords_};
    DetachedListHost host_;
    c_listfile listFile_{list_, crypto_, files_, clock_};
};

int Run(int argc, char** argv) {
    if (argc < 2) {
        PrintError(kUsage);
        return kExitFailed;
    }
    const std::string_view command = argv[1];
    const std::optional<Options> options = ParseOptions(argc, argv);
    if (!options)
        return kExitFailed;
    if (command == "show" && options->positional.size() == 1 && !options->copies) {
        return Tool(*options).Show(options->positional[0]);
    }
    if (command == "from-text" && options->positional.size() == 2) {
        if (options->copies && !IsCopiesNumber(*options->copies)) {
            PrintError("--copies takes a whole number from 1");
            return kExitFailed;
        }
        if (options->password && options->password->empty()) {
            PrintError("--password must not be empty");
            return kExitFailed;
        }
        return Tool(*options).FromText(options->positional[0], options->positional[1]);
    }
    PrintError(kUsage);
    return kExitFailed;
}

} // namespace
} // namespace tarvoline

int main(int argc, char** argv) {
#ifdef _WIN32
    // UTF-8 goes out byte for byte, with LF line ends.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Resolving shortcuts uses the shell's COM objects.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
    int code = tarvoline::kExitFailed;
    try {
        code = tarvoline::Run(argc, argv);
    } catch (const std::exception& error) {
        tarvoline::PrintError(tarvoline::AnsiToUtf8(error.what()));
    }
#ifdef _WIN32
    CoUninitialize();
#endif
    return code;
}
