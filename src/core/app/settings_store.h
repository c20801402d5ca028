#pragma once
// The settings store: preferences, window placements and the recent-files list, kept under
// HKEY_CURRENT_USER\Software\Quendral\Tarvoline\V1.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_windows.h"
#include "platform/registry.h"

namespace tarvoline {

// Registry access below Software\<maker>\<product>\<version>: one root and at most one open key.
// Failures to open a key show 13001 with the key's name unless Silent is set.
class c_regcom {
public:
    c_regcom(Registry& registry, std::string makerKey, std::string productKey, std::string versionKey, bool silent);
    virtual ~c_regcom() = default;
    c_regcom(const c_regcom&) = delete;
    c_regcom& operator=(const c_regcom&) = delete;

    std::string MakerKey;
    std::string ProductKey;
    std::string VersionKey;
    bool Silent;

    // Changing the root closes the open key.
    void SetRootKey(RegistryRoot root);
    // Path relative to the open key (or to the root when none is open); replaces the open key.
    // These report nothing: the callers know which name to report.
    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    bool HasOpenKey() const { return key_ != nullptr; }
    // Path of the open key below the root ("" when none is open).
    const std::string& CurrentPath() const { return path_; }

    // Opens HKCU\Software\<maker>\<product>\<version>\<keyName>, creating what is missing below Software.
    bool OpenSection(const std::string& keyName);
    // Opens (creating if missing) a subkey of the open key.
    bool OpenSubKey(const std::string& subKeyName);

    // Reads give the default when no key is open or the value is absent or of another type.
    bool ReadBool(const std::string& name, bool defaultValue);
    std::int32_t ReadInteger(const std::string& name, std::int32_t defaultValue);
    std::string ReadString(const std::string& name, const std::string& defaultValue);
    std::int32_t ReadIntegerIndexed(const std::string& prefix, int index, std::int32_t defaultValue);
    // Writes do nothing when no key is open. A bool is stored as the 32-bit integer 1 or 0.
    void WriteBool(const std::string& name, bool value);
    void WriteInteger(const std::string& name, std::int32_t value);
    void WriteString(const std::string& name, const std::string& value);
    void WriteIntegerIndexed(const std::string& prefix, int index, std::int32_t value);
    bool ValueExists(const std::string& name);
    void DeleteValue(const std::string& name);

    // The string value of any key, opened read-only; "" on every failure, which is never shown.
    // The empty value name reads the key's default value.
    static std::string ReadRegistryString(Registry& registry, RegistryRoot root, const std::string& keyPath,
                                          const std::string& valueName);

protected:
    Registry& registry_;

private:
    bool Open(const std::string& path, bool canCreate, RegistryAccess access);
    void ReportFailure(const std::string& keyName) const;

    RegistryRoot root_ = RegistryRoot::CurrentUser;
    std::unique_ptr<RegistryKey> key_;
    std::string path_;
};

// "V" and the major part of a version text: "1.0.5" -> "V1".
std::string VersionKeyName(std::string_view versionText);

// The form of a recent path in the File menu: the bare file name when the file lies in the current
// folder, else the whole path; then shortened to fit maxWidth pixels.
std::string RecentFileDisplayText(std::string_view path, std::string_view currentFolder, const TextMeasure& measure,
                                  int maxWidth = 600);
// Shortens a path the usual way until it fits: "D:\...\sub\name.lst", at last "...\name.lst".
std::string ShortenPathToFit(std::string_view path, const TextMeasure& measure, int maxWidth);

class c_reg : public c_regcom {
public:
    // Only this many recent files are kept in the registry; the list in memory has no limit.
    static constexpr int kStoredRecentFiles = 20;
    // A drop that would add more files than this asks first.
    static constexpr std::int32_t ManyFilesThreshold = 100;

    // The main window's placement is loaded and saved with the settings.
    c_reg(Registry& registry, PlacementWindow& mainWindow);

    std::array<std::int32_t, 7> ColWidth{200, 300, 100, 70, 100, 100, 100};
    std::string PrinterSelected;
    std::string LastFolderOfList;
    std::string LastFolderOfAddedFile;
    std::string LastFolderOfTextFile;
    bool DontShowAboutOnStartup = false;
    bool ShowPasswordOnList = false;
    std::int32_t ExcelRangeDefault = 1;
    bool FolderSubfolderDefault = true;
    bool AddFolderRecur = true;
    bool AllowOther = false;
    // Most recent first.
    std::vector<std::string> RecentFiles;

    void Load();
    void Save();

    // Moves the path to the top, dropping an entry that differs only in letter case.
    void AddRecentFile(const std::string& path);
    // "" and an internal error for an index outside the list.
    std::string GetRecentFile(int index);
    // Replaces the items between the named separator and the next separator with the recent files.
    void RebuildRecentMenu(MenuItems& fileMenu, const std::string& separatorName, const std::string& currentFolder,
                           const TextMeasure& measure);

    void LoadWindowPlacement(PlacementWindow& window, const std::string& keyName, const std::string& subKeyName);
    void SaveWindowPlacement(PlacementWindow& window, const std::string& keyName, const std::string& subKeyName);

private:
    PlacementWindow& mainWindow_;
};

} // namespace tarvoline
