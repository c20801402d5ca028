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
};

} // namespace tarvoline
