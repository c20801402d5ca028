#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32_file_system.h"

namespace tarvoline {
namespace {

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tarvoline-fs-test-表\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        Clean();
    }
    void TearDown() override {
        Clean();
        RemoveDirectoryA(folder.c_str());
    }
    void Clean() {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") {
                SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    int FilesInFolder() {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }

    std::string folder;
    Win32FileSystem fs;
};

TEST_F(Win32FileSystemTest, ReplacesAnExistingFileWholeAndLeavesNoTemporaryFile) {
    const std::string path = folder + "ログ.txt";
    ASSERT_TRUE(fs.WriteFileAtomic(path, "first version, longer").ok());
    ASSERT_TRUE(fs.WriteFileAtomic(path, "second").ok());
    std::string bytes;
    ASSERT_TRUE(fs.ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, AFailedReplaceKeepsTheOldFileAndSaysWhy) {
    const std::string path = folder + "locked.txt";
    ASSERT_TRUE(fs.WriteFileAtomic(path, "old content").ok());
    // A file held open without sharing cannot be replaced.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const FileResult result = fs.WriteFileAtomic(path, "new content");
    CloseHandle(held);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.empty());
    std::string bytes;
    ASSERT_TRUE(fs.ReadWholeFile(path, bytes).ok());
    EXPECT_EQ(bytes, "old content");
    EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(Win32FileSystemTest, MissingFolderFailsAndAttributesTellFilesFromFolders) {
    EXPECT_FALSE(fs.WriteFileAtomic(folder + "no-such-folder\\log.txt", "x").ok());
    ASSERT_TRUE(fs.WriteFileAtomic(folder + "a.doc", "x").ok());
    const auto file = fs.Attributes(folder + "a.doc");
    ASSERT_TRUE(file.has_value());
    EXPECT_FALSE(file->folder);
    const auto dir = fs.Attributes(folder);
    ASSERT_TRUE(dir.has_value());
    EXPECT_TRUE(dir->folder);
    EXPECT_FALSE(fs.Attributes(folder + "missing.doc").has_value());
}

} // namespace
} // namespace tarvoline
