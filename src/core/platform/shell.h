#pragma once
#include <optional>
#include <string>

namespace tarvoline {

// What the program asks of the Windows shell.
class Shell {
public:
    virtual ~Shell() = default;
    // The target path of a shortcut file (may be ""); nullopt when the shortcut cannot be read.
    virtual std::optional<std::string> ResolveShortcut(const std::string& shortcutPath) = 0;
    // Opens a document in its application with the "Open" verb; the outcome is not reported.
    virtual void OpenDocument(const std::string& path) = 0;
    // Runs the "printto" verb of the file's registered program (ShellExecuteA, the main window as
    // owner, no folder) and returns the system's result: above 32 means the program was started.
    virtual int PrintTo(const std::string& file, const std::string& parameters, bool showWindow) = 0;
};

} // namespace tarvoline
