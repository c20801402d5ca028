#pragma once
#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace tarvoline::testing {

// Registry keys and values held in memory. Key paths are written with their root,
// "HKCU\Software\Quendral" or "HKCR\.doc", and, as in the real registry, compared without
// regard to letter case, as are value names.
class FakeRegistry : public Registry {
public:
    enum class Type { Dword, String, ExpandString, Binary };
    struct Value {
        Type type = Type::String;
        std::uint32_t number = 0;
        std::string text;
    };
    struct CaseLess {
        bool operator()(const std::string& a, const std::string& b) const {
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
            });
        }
    };
    using Values = std::map<std::string, Value, CaseLess>;

    // A fresh user profile: HKCU\Software exists, nothing below it.
    FakeRegistry() { keys["HKCU\\Software"]; }

    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, RegistryAccess access) override {
        const std::string full = FullPath(root, path);
        journal.push_back(std::string("open ") + (access == RegistryAccess::Read ? "read " : "write ") + full);
        if (failingKeys.count(full) || !keys.count(full))
            return nullptr;
        return std::make_unique<Key>(*this, full, access == RegistryAccess::ReadWrite);
    }

    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path) override {
        const std::string full = FullPath(root, path);
        journal.push_back("create " + full);
        if (failingKeys.count(full))
            return nullptr;
        // Parents come into being with the key, as with RegCreateKeyEx.
        for (std::size_t pos = full.find('\\'); pos != std::string::npos; pos = full.find('\\', pos + 1))
            keys[full.substr(0, pos)];
        keys[full];
        return std::make_unique<Key>(*this, full, true);
    }

    bool HasKey(const std::string& fullPath) const { return keys.count(fullPath) != 0; }
    const Values& ValuesOf(const std::string& fullPath) const { return keys.at(fullPath); }
    const Value* Find(const std::string& fullPath, const std::string& name) const {
        auto key = keys.find(fullPath);
        if (key == keys.end())
            return nullptr;
        auto value = key->second.find(name);
        return value == key->second.end() ? nullptr : &value->second;
    }
    void Put(const std::string& fullPath, const std::string& name, Value value) { keys[fullPath][name] = value; }
    void PutDword(const std::string& fullPath, const std::string& name, std::uint32_t number) {
        Put(fullPath, name, {Type::Dword, number, {}});
    }
    void PutString(const std::string& fullPath, const std::string& name, const std::string& text) {
        Put(fullPath, name, {Type::String, 0, text});
    }

    std::map<std::string, Values, CaseLess> keys;
    // Keys (full paths) that refuse to be opened or created.
    std::set<std::string, CaseLess> failingKeys;
    // "open read HKCR\x", "create HKCU\y", "write HKCU\y\Name", "delete HKCU\y\Name", in call order.
    std::vector<std::string> journal;

private:
    static std::string FullPath(RegistryRoot root, const std::string& path) {
        return (root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKCR\\") + path;
    }

    class Key : public RegistryKey {
    public:
        Key(FakeRegistry& owner, std::string path, bool writable)
            : owner_(owner), path_(std::move(path)), writable_(writable) {}

        std::optional<std::uint32_t> ReadDword(const std::string& name) override {
            const Value* value = owner_.Find(path_, name);
            if (!value || value->type != Type::Dword)
                return std::nullopt;
            return value->number;
        }
        std::optional<std::string> ReadString(const std::string& name) override {
            const Value* value = owner_.Find(path_, name);
            if (!value || (value->type != Type::String && value->type != Type::ExpandString))
                return std::nullopt;
            return value->text;
        }
        bool ValueExists(const std::string& name) override { return owner_.Find(path_, name) != nullptr; }
        bool WriteDword(const std::string& name, std::uint32_t number) override {
            return Write(name, {Type::Dword, number, {}});
        }
        bool WriteString(const std::string& name, const std::string& text) override {
            return Write(name, {Type::String, 0, text});
        }
        bool DeleteValue(const std::string& name) override {
            owner_.journal.push_back("delete " + path_ + "\\" + name);
            return writable_ && owner_.keys[path_].erase(name) == 1;
        }

    private:
        bool Write(const std::string& name, Value value) {
            owner_.journal.push_back("write " + path_ + "\\" + name);
            if (!writable_)
                return false;
            owner_.keys[path_][name] = std::move(value);
            return true;
        }

        FakeRegistry& owner_;
        std::string path_;
        bool writable_;
    };
};

} // namespace tarvoline::testing
