// The recursive collection on a real folder tree: the long-path search pattern, hidden and system
// files, and folder names whose last character ends in the byte 0x5C.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "list/file_kinds.h"
#include "list/folder_collection.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"

namespace tarvoline {
namespace {

void MakeFile(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

TEST(FolderCollectionWin32Test, CollectsTheDocumentsOfARealTree) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tarvoline-collect-" + std::to_string(GetCurrentProcessId()) + "\\";
    const std::string table = root + "表";
    const std::string deep = table + "\\ソ表";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(table.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    MakeFile(root + "a.docx");
    MakeFile(root + "skip.bin");
    MakeFile(root + "secret.pdf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile(table + "\\予定.xlsx");
    MakeFile(deep + "\\能.pptx");

    Win32FileSystem files;
    Win32Registry registry;
    bool allowOther = false;
    FileKinds classifier(files, registry, allowOther);
    std::vector<std::string> found;
    EXPECT_TRUE(CollectFolder(files, classifier, root, true, found, {}));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{root + "a.docx", root + "secret.pdf", table + "\\ソ表\\能.pptx",
                                               table + "\\予定.xlsx"}));

    found.clear();
    EXPECT_TRUE(CollectFolder(files, classifier, table, false, found, {}));
    EXPECT_EQ(found, (std::vector<std::string>{table + "\\予定.xlsx"}));

    for (const std::string& file : {root + "a.docx", root + "skip.bin", root + "secret.pdf", table + "\\予定.xlsx",
                                    deep + "\\能.pptx"}) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(deep.c_str());
    RemoveDirectoryA(table.c_str());
    RemoveDirectoryA(root.c_str());
}

} // namespace
} // namespace tarvoline
