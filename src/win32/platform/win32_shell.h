#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace tarvoline {

class Win32Shell final : public Shell {
public:
    // Documents opened with the shell get this window as their parent; it may change after creation.
    void SetParentWindow(HWND parent) { parent_ = parent; }

    std::optional<std::string> ResolveShortcut(const std::string& shortcutPath) override;
    void OpenDocument(const std::string& path) override;
    int PrintTo(const std::string& file, const std::string& parameters, bool showWindow) override;

private:
    HWND parent_ = nullptr;
};

} // namespace tarvoline
