#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "fakes/message_services_fixture.h"
#include "list/file_kinds.h"
#include "list/folder_collection.h"

namespace tarvoline {
namespace {

class FolderCollectionTest : public testing::MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        for (const char* folder : {"D:\\Docs", "D:\\Docs\\sub", "D:\\Docs\\sub\\deep", "D:\\表", "D:\\表\\ソ表",
                                   "\\\\server\\share\\dir"})
            files.folders.insert(folder);
        for (const char* file : {"D:\\Docs\\a.docx", "D:\\Docs\\notes.txt", "D:\\Docs\\~hidden.pdf",
                                 "D:\\Docs\\sub\\c.xlsx", "D:\\Docs\\sub\\deep\\d.pdf", "D:\\Docs\\z.vsdx",
                                 "D:\\表\\予定.docx", "D:\\表\\ソ表\\能.pptx", "\\\\server\\share\\dir\\x.doc"})
            files.files[file] = "";
    }
    bool Collect(const std::string& folder, bool recursive) {
        found.clear();
        return CollectFolder(files, classifier, folder, recursive, found, progress);
    }

    testing::FakeRegistry registry;
    bool allowOther = false;
    FileKinds classifier{files, registry, allowOther};
    std::vector<std::string> found;
    CollectionProgress progress;
};

TEST_F(FolderCollectionTest, SubfoldersCountOnlyWhenRecursive) {
    EXPECT_TRUE(Collect("D:\\Docs", false));
    EXPECT_EQ(found, (std::vector<std::string>{"D:\\Docs\\a.docx", "D:\\Docs\\z.vsdx", "D:\\Docs\\~hidden.pdf"}));
    EXPECT_TRUE(Collect("D:\\Docs\\", true));
    EXPECT_EQ(found, (std::vector<std::string>{"D:\\Docs\\a.docx", "D:\\Docs\\z.vsdx", "D:\\Docs\\~hidden.pdf",
                                               "D:\\Docs\\sub\\c.xlsx", "D:\\Docs\\sub\\deep\\d.pdf"}));
}

TEST_F(FolderCollectionTest, SearchesWithTheLongPathPrefixButCollectsPlainPaths) {
    EXPECT_TRUE(Collect("\\\\server\\share\\dir", true));
    EXPECT_EQ(files.searchedPatterns.back(), "\\\\?\\UNC\\server\\share\\dir\\*.*");
    EXPECT_EQ(found, (std::vector<std::string>{"\\\\server\\share\\dir\\x.doc"}));
    EXPECT_EQ(LongSearchPattern("D:\\"), "\\\\?\\D:\\*.*");
    EXPECT_EQ(LongSearchPattern("D:\\表"), "\\\\?\\D:\\表\\*.*");
}

TEST_F(FolderCollectionTest, FolderNamesEndingInA5CTrailByteWalkCorrectly) {
    EXPECT_TRUE(Collect("D:\\表", true));
    EXPECT_EQ(found, (std::vector<std::string>{"D:\\表\\予定.docx", "D:\\表\\ソ表\\能.pptx"}));
}

TEST_F(FolderCollectionTest, ProgressReportsEachDocumentAndACancelStopsAtTheNextSubfolder) {
    std::vector<std::size_t> counts;
    int subfolders = 0;
    progress.found = [&](std::size_t count, const std::string&) { counts.push_back(count); };
    progress.cancelRequested = [&] { return ++subfolders == 2; };
    EXPECT_FALSE(Collect("D:\\Docs", true));
    EXPECT_EQ(counts, (std::vector<std::size_t>{1, 2, 3, 4}));
    EXPECT_EQ(found.back(), "D:\\Docs\\sub\\c.xlsx");
}

TEST_F(FolderCollectionTest, AFolderThatCannotBeSearchedYieldsNothing) {
    EXPECT_TRUE(Collect("D:\\missing", true));
    EXPECT_TRUE(found.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

} // namespace
} // namespace tarvoline
