#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tarvoline::testing {

class FakeShell : public Shell {
public:
    std::optional<std::string> ResolveShortcut(const std::string& shortcutPath) override {
        auto found = shortcutTargets.find(shortcutPath);
        if (found == shortcutTargets.end()) return std::nullopt;
        return found->second;
    }
    void OpenDocument(const std::string& path) override { opened.push_back(path); }

    std::map<std::string, std::string> shortcutTargets; // a shortcut not listed cannot be read
    std::vector<std::string> opened;
};

} // namespace tarvoline::testing
