#include "platform/win32_registry.h"

#include <windows.h>

#include <vector>

namespace tarvoline {
namespace {

// Owns one open HKEY.
class UniqueHkey {
public:
    explicit UniqueHkey(HKEY key) : key_(key) {}
    ~UniqueHkey() { RegCloseKey(key_); }
    UniqueHkey(const UniqueHkey&) = delete;
    UniqueHkey& operator=(const UniqueHkey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_;
};

HKEY RootHandle(RegistryRoot root) {
    return root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_CURRENT_USER;
}

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    std::optional<std::uint32_t> ReadDword(const std::string& name) override {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }

    std::optional<std::string> ReadString(const std::string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        // The value may grow between the two calls; ask again while the buffer is too small.
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (type != REG_SZ && type != REG_EXPAND_SZ)
                return std::nullopt;
            std::vector<char> buffer(size + 1, '\0');
            DWORD got = size;
            const LONG result = RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(buffer.data()), &got);
            if (result == ERROR_MORE_DATA) {
                size = got;
                continue;
            }
            if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
                return std::nullopt;
            // Stored strings need not end with their terminator, and may hold one early.
            const std::string text(buffer.data(), got);
            return text.substr(0, text.find('\0'));
        }
        return std::nullopt;
    }

    bool ValueExists(const std::string& name) override {
        return RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    bool WriteDword(const std::string& name, std::uint32_t value) override {
        const DWORD data = value;
        return RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) == ERROR_SUCCESS;
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        return RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueA(key_.Get(), name.c_str()) == ERROR_SUCCESS;
    }

private:
    UniqueHkey key_;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) {
    const REGSAM rights = access == RegistryAccess::Read ? KEY_READ : KEY_READ | KEY_WRITE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootHandle(root), path.c_str(), 0, rights, &key) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

} // namespace tarvoline
