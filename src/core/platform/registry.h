#pragma once
// What the program needs of the system registry: its per-user settings and the file-type
// registrations under HKEY_CLASSES_ROOT. Names, paths and texts are narrow (ANSI code page) strings.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tarvoline {

enum class RegistryRoot { CurrentUser, ClassesRoot };
enum class RegistryAccess { Read, ReadWrite };

// One open key; destroying the object closes it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // nullopt when the value is absent or not a 32-bit integer (REG_DWORD).
    virtual std::optional<std::uint32_t> ReadDword(const std::string& name) = 0;
    // nullopt when the value is absent or not a string (REG_SZ, or REG_EXPAND_SZ left unexpanded).
    // The empty name is the key's default value.
    virtual std::optional<std::string> ReadString(const std::string& name) = 0;
    // True for a value of any type.
    virtual bool ValueExists(const std::string& name) = 0;
    virtual bool WriteDword(const std::string& name, std::uint32_t value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0; // REG_SZ
    virtual bool DeleteValue(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key given by a backslash path below the root; nullptr when it is missing
    // or cannot be opened with that access.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) = 0;
    // Opens the key for reading and writing, creating it and any missing parent; nullptr on failure.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) = 0;
};

} // namespace tarvoline
