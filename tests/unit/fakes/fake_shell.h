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
    int PrintTo(const std::string& file, const std::string& parameters, bool showWindow) override {
        printed.push_back({file, parameters, showWindow});
        return printToResult;
    }

    struct PrintRequest {
        std::string file;
        std::string parameters;
        bool showWindow;
        bool operator==(const PrintRequest&) const = default;
    };
    std::vector<PrintRequest> printed;
    int printToResult = 42;

    std::map<std::string, std::string> shortcutTargets; // a shortcut not listed cannot be read
    std::vector<std::string> opened;
};

} // namespace tarvoline::testing
