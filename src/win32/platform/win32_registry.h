#pragma once
#include "platform/registry.h"

namespace tarvoline {

// The registry through the ANSI functions, so names and texts are in the system's code page.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override;
};

} // namespace tarvoline
