#include "app/settings_store.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "common/ansi_text.h"
#include "common/messages.h"

namespace tarvoline {
namespace {

std::string RecentValueName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "FILE%02d", index);
    return name;
}

// "\a\b\" -> "\...\b\", "\...\b\c\" -> "\...\c\", "\...\b\" -> "\...\".
// A UNC folder "\\server\share\b\" goes the same way, "\...\share\b\" first.
std::string DropFirstFolder(const std::string& dir) {
    const std::size_t start = dir.find_first_not_of('\\');
    const bool rooted = start != 0;
    std::string rest = start == std::string::npos ? std::string() : dir.substr(start);
    if (rest.starts_with("...\\"))
        rest.erase(0, 4);
    const std::size_t backslash = FindText(rest, "\\");
    rest = backslash == std::string::npos ? std::string() : "...\\" + rest.substr(backslash + 1);
    return rooted ? "\\" + rest : rest;
}

} // namespace

c_regcom::c_regcom(Registry& registry, std::string makerKey, std::string productKey, std::string versionKey,
                   bool silent)
    : MakerKey(std::move(makerKey)), ProductKey(std::move(productKey)), VersionKey(std::move(versionKey)),
      Silent(silent), registry_(registry) {}

void c_regcom::SetRootKey(RegistryRoot root) {
    CloseKey();
    root_ = root;
}

bool c_regcom::Open(const std::string& path, bool canCreate, RegistryAccess access) {
    const std::string fullPath = path_.empty() ? path : path_ + "\\" + path;
    auto key = canCreate ? registry_.CreateKey(root_, fullPath) : registry_.OpenKey(root_, fullPath, access);
    // After a failure no key stays open, so no later read or write can land in the parent key.
    CloseKey();
    if (!key)
        return false;
    key_ = std::move(key);
    path_ = fullPath;
    return true;
}

bool c_regcom::OpenKey(const std::string& path, bool canCreate) {
    return Open(path, canCreate, RegistryAccess::ReadWrite);
}

bool c_regcom::OpenKeyReadOnly(const std::string& path) {
    return Open(path, false, RegistryAccess::Read);
}

void c_regcom::CloseKey() {
    key_.reset();
    path_.clear();
}

void c_regcom::ReportFailure(const std::string& keyName) const {
    if (!Silent)
        ShowMessageId(13001, keyName);
}

bool c_regcom::OpenSection(const std::string& keyName) {
    SetRootKey(RegistryRoot::CurrentUser);
    if (!OpenKey("Software", false)) {
        ReportFailure("Software");
        return false;
    }
    for (const std::string& name :
         {std::cref(MakerKey), std::cref(ProductKey), std::cref(VersionKey), std::cref(keyName)}) {
        if (!OpenKey(name, true)) {
            ReportFailure(name);
            return false;
        }
    }
    return true;
}

bool c_regcom::OpenSubKey(const std::string& subKeyName) {
    if (!HasOpenKey() || !OpenKey(subKeyName, true)) {
        CloseKey();
        ReportFailure(subKeyName);
        return false;
    }
    return true;
}

bool c_regcom::ReadBool(const std::string& name, bool defaultValue) {
    const auto value = key_ ? key_->ReadDword(name) : std::nullopt;
    return value ? *value != 0 : defaultValue;
}

std::int32_t c_regcom::ReadInteger(const std::string& name, std::int32_t defaultValue) {
    const auto value = key_ ? key_->ReadDword(name) : std::nullopt;
    return value ? static_cast<std::int32_t>(*value) : defaultValue;
}

std::string c_regcom::ReadString(const std::string& name, const std::string& defaultValue) {
    auto value = key_ ? key_->ReadString(name) : std::nullopt;
    return value ? std::move(*value) : defaultValue;
}

std::int32_t c_regcom::ReadIntegerIndexed(const std::string& prefix, int index, std::int32_t defaultValue) {
    return ReadInteger(prefix + std::to_string(index), defaultValue);
}

void c_regcom::WriteBool(const std::string& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void c_regcom::WriteInteger(const std::string& name, std::int32_t value) {
    if (key_)
        key_->WriteDword(name, static_cast<std::uint32_t>(value));
}

void c_regcom::WriteString(const std::string& name, const std::string& value) {
    if (key_)
        key_->WriteString(name, value);
}

void c_regcom::WriteIntegerIndexed(const std::string& prefix, int index, std::int32_t value) {
    WriteInteger(prefix + std::to_string(index), value);
}

bool c_regcom::ValueExists(const std::string& name) {
    return key_ && key_->ValueExists(name);
}

void c_regcom::DeleteValue(const std::string& name) {
    if (key_)
        key_->DeleteValue(name);
}

std::string c_regcom::ReadRegistryString(Registry& registry, RegistryRoot root, const std::string& keyPath,
                                         const std::string& valueName) {
    c_regcom reader(registry, "", "", "", true);
    reader.SetRootKey(root);
    if (!reader.OpenKeyReadOnly(keyPath))
        return "";
    std::string text = reader.ReadString(valueName, "");
    reader.CloseKey();
    return text;
}

std::string VersionKeyName(std::string_view versionText) {
    return "V" + std::string(versionText.substr(0, versionText.find('.')));
}

std::string ShortenPathToFit(std::string_view path, const TextMeasure& measure, int maxWidth) {
    std::string dir = ExtractFilePath(path);
    const std::string name = ExtractFileName(path);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':' && ((dir[0] >= 'A' && dir[0] <= 'Z') || (dir[0] >= 'a' && dir[0] <= 'z'))) {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    std::string result(path);
    while ((!dir.empty() || !drive.empty()) && measure(result) > maxWidth) {
        // Nothing left to drop: the file name always stays, and so does the drive of a file in its root.
        if (dir == "...\\" || dir == "\\")
            break;
        if (dir == "\\...\\") {
            drive.clear();
            dir = "...\\";
        } else if (dir.empty()) {
            drive.clear();
        } else {
            std::string shorter = DropFirstFolder(dir);
            if (shorter == dir)
                break;
            dir = std::move(shorter);
        }
        result = drive + dir + name;
    }
    return result;
}

std::string RecentFileDisplayText(std::string_view path, std::string_view currentFolder, const TextMeasure& measure,
                                  int maxWidth) {
    const bool inCurrentFolder =
        SameTextIgnoringCase(ExcludeTrailingBackslash(ExtractFilePath(path)), ExcludeTrailingBackslash(currentFolder));
    return ShortenPathToFit(inCurrentFolder ? ExtractFileName(path) : std::string(path), measure, maxWidth);
}

c_reg::c_reg(Registry& registry, PlacementWindow& mainWindow)
    : c_regcom(registry, LoadMessageText(14001), LoadMessageText(14002), VersionKeyName(TARVOLINE_VERSION_TEXT), false),
      mainWindow_(mainWindow) {}

void c_reg::Load() {
    if (OpenSection("MAIN")) {
        for (int i = 0; i < static_cast<int>(ColWidth.size()); ++i)
            ColWidth[i] = ReadIntegerIndexed("ColWidth", i, ColWidth[i]);
        PrinterSelected = ReadString("PrinterSelected", PrinterSelected);
        LastFolderOfList = ReadString("LastFolderOfList", LastFolderOfList);
        LastFolderOfAddedFile = ReadString("LastFolderOfAddedFile", LastFolderOfAddedFile);
        LastFolderOfTextFile = ReadString("LastFolderOfTextFile", LastFolderOfTextFile);
        DontShowAboutOnStartup = ReadBool("DontShowAboutOnStartup", DontShowAboutOnStartup);
        ShowPasswordOnList = ReadBool("ShowPasswordOnList", ShowPasswordOnList);
        ExcelRangeDefault = ReadInteger("ExcelRangeDefault", ExcelRangeDefault);
        FolderSubfolderDefault = ReadBool("FolderSubfolderDefault", FolderSubfolderDefault);
        AddFolderRecur = ReadBool("AddFolderRecur", AddFolderRecur);
        AllowOther = ReadBool("AllowOther", AllowOther);
        CloseKey();
    }
    if (OpenSection("Recent")) {
        for (int i = 0; i < kStoredRecentFiles; ++i) {
            std::string path = ReadString(RecentValueName(i), "");
            if (!path.empty())
                RecentFiles.push_back(std::move(path));
        }
        CloseKey();
    }
    LoadWindowPlacement(mainWindow_, "MAIN", "WindowState");
}

void c_reg::Save() {
    if (OpenSection("MAIN")) {
        for (int i = 0; i < static_cast<int>(ColWidth.size()); ++i)
            WriteIntegerIndexed("ColWidth", i, ColWidth[i]);
        WriteString("PrinterSelected", PrinterSelected);
        WriteString("LastFolderOfList", LastFolderOfList);
        WriteString("LastFolderOfAddedFile", LastFolderOfAddedFile);
        WriteString("LastFolderOfTextFile", LastFolderOfTextFile);
        WriteBool("DontShowAboutOnStartup", DontShowAboutOnStartup);
        WriteBool("ShowPasswordOnList", ShowPasswordOnList);
        WriteInteger("ExcelRangeDefault", ExcelRangeDefault);
        WriteBool("FolderSubfolderDefault", FolderSubfolderDefault);
        WriteBool("AddFolderRecur", AddFolderRecur);
        WriteBool("AllowOther", AllowOther);
        CloseKey();
    }
    if (OpenSection("Recent")) {
        // Every name is cleared first, so values left from a longer list do not come back.
        for (int i = 0; i < kStoredRecentFiles; ++i) {
            const std::string name = RecentValueName(i);
            if (ValueExists(name))
                DeleteValue(name);
            if (i < static_cast<int>(RecentFiles.size()))
                WriteString(name, RecentFiles[i]);
        }
        CloseKey();
    }
    SaveWindowPlacement(mainWindow_, "MAIN", "WindowState");
}

void c_reg::AddRecentFile(const std::string& path) {
    // All matches go: a hand-edited registry may hold the same list twice.
    std::erase_if(RecentFiles, [&](const std::string& entry) { return SameTextIgnoringCase(entry, path); });
    RecentFiles.insert(RecentFiles.begin(), path);
}

std::string c_reg::GetRecentFile(int index) {
    if (index < 0 || index >= static_cast<int>(RecentFiles.size())) {
        ShowInternalError("m_filesrct_filename", 0, 0);
        return "";
    }
    return RecentFiles[index];
}

void c_reg::RebuildRecentMenu(MenuItems& fileMenu, const std::string& separatorName, const std::string& currentFolder,
                              const TextMeasure& measure) {
    const int separator = fileMenu.IndexOfName(separatorName);
    if (separator < 0) {
        ShowInternalError("m_filesrct_menuset", 0, 0);
        return;
    }
    // Find the closing separator before deleting anything, so a malformed menu keeps its items.
    int closing = separator + 1;
    while (closing < fileMenu.Count() && fileMenu.Caption(closing) != "-")
        ++closing;
    if (closing >= fileMenu.Count()) {
        ShowInternalError("m_filesrct_menuset 2", 0, 0);
        return;
    }
    for (int i = closing - 1; i > separator; --i)
        fileMenu.Delete(i);

    const int count = static_cast<int>(RecentFiles.size());
    for (int i = 0; i < count; ++i) {
        // Only 1 to 9 can be accelerators.
        const std::string caption = (i < 9 ? "&" : "") + std::to_string(i + 1) + " " +
                                    RecentFileDisplayText(RecentFiles[i], currentFolder, measure);
        fileMenu.InsertRecentFileItem(separator + 1 + i, caption, i);
    }
    const int after = separator + 1 + count;
    if (after >= fileMenu.Count() || fileMenu.Caption(after) != "-") {
        ShowInternalError("m_filesrct_menuset 3", 0, 0);
        return;
    }
    fileMenu.SetVisible(after, count > 0);
}

void c_reg::LoadWindowPlacement(PlacementWindow& window, const std::string& keyName, const std::string& subKeyName) {
    if (!OpenSection(keyName) || !OpenSubKey(subKeyName)) {
        CloseKey();
        return;
    }
    std::int64_t top = ReadInteger("Top", 0);
    std::int64_t left = ReadInteger("Left", 0);
    const std::int64_t width = ReadInteger("Width", 0);
    const std::int64_t height = ReadInteger("Height", 0);
    // A negative size is as unusable as 0.
    if (width > 0 && height > 0) {
        top = std::max<std::int64_t>(top, 0);
        left = std::max<std::int64_t>(left, 0);
        if (window.ScreenHeight() >= top + height && window.ScreenWidth() >= left + width)
            window.SetBounds(static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                             static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    }
    const std::int32_t state = ReadInteger("Maximized", window.WindowState());
    window.SetWindowState(state >= kWindowNormal && state <= kWindowMaximized ? state : window.WindowState());
    CloseKey();
}

void c_reg::SaveWindowPlacement(PlacementWindow& window, const std::string& keyName, const std::string& subKeyName) {
    if (!OpenSection(keyName) || !OpenSubKey(subKeyName)) {
        CloseKey();
        return;
    }
    // The restored rectangle, so a maximized window comes back at its normal size.
    const WindowRect normal = window.NormalRect();
    WriteInteger("Top", normal.top);
    WriteInteger("Left", normal.left);
    WriteInteger("Width", normal.right - normal.left);
    WriteInteger("Height", normal.bottom - normal.top);
    WriteInteger("Maximized", window.WindowState());
    CloseKey();
}

} // namespace tarvoline
