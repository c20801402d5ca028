// Folders and dropped files reaching the print list through the main window: the add-mode choice, the
// collection, the sort, the messages and where the entries go.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_main_form.h"
#include "fakes/fake_ui.h"
#include "fakes/main_form_fakes.h"
#include "fakes/memory_file_system.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

std::function<void(TdlgAddFold&)> Answer(FolderAddMode mode) {
    return [mode](TdlgAddFold& dialog) {
        dialog.rdoAddFoldFold.StoreChecked(mode == FolderAddMode::FolderEntry);
        dialog.rdoAddFoldFiles.StoreChecked(mode != FolderAddMode::FolderEntry);
        dialog.chkAddFoldRecur.StoreChecked(mode == FolderAddMode::FilesRecursive);
        dialog.btnOk.OnClick();
    };
}

class FolderAddingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageUi(&ui);
        files.folders = {"D:\\Docs",
                         "D:\\Docs\\Sub",
                         "D:\\Docs\\Sub\\Deeper",
                         "D:\\Empty",
                         "D:\\Outer",
                         "D:\\Outer\\Inner",
                         "E:\\Work",
                         "\\\\server\\share\\dir",
                         "C:\\Users\\u\\Documents"};
        for (const char* path : {"D:\\Docs\\B.docx", "D:\\Docs\\a.pdf", "D:\\Docs\\notes.txt", "D:\\Docs\\hidden.xls",
                                 "D:\\Docs\\Sub\\c.pptx", "D:\\Docs\\Sub\\Deeper\\d.vsdx", "D:\\Docs\\Sub\\e.bmp",
                                 "\\\\server\\share\\dir\\f.doc", "D:\\Outer\\Inner\\g.doc", "D:\\drop\\one.doc",
                                 "D:\\drop\\two.xlsx", "D:\\drop\\plain.txt", "D:\\drop\\image.bmp"})
            files.files[path] = "x";
        files.hiddenPaths = {"D:\\Docs\\hidden.xls"};
        system.registry.PutString("HKCR\\.txt", "", "txtfile");
        system.registry.PutString("HKCR\\txtfile\\shell\\Printto\\command", "", "notepad.exe /pt \"%1\" \"%2\"");
    }
    void TearDown() override {
        form.reset();
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
    }

    TMainForm& Make() {
        form = std::make_unique<TMainForm>(system.Services(files, placement, window, dialogs));
        dialogs.collector.enumerator = &files;
        dialogs.collector.classifier = &form->FileList().Classifier();
        return *form;
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> paths;
        for (int row = 0; row < form->FileList().RowCount(); ++row)
            paths.push_back(form->FileList().EntryPath(row));
        return paths;
    }
    PumpingUi ui;
    MainFormFakes system;
    MemoryFileSystem files;
    FakePlacementWindow placement;
    FakeMainWindow window;
    FakeMainDialogs dialogs;
    std::unique_ptr<TMainForm> form;
};

// ---- the add-folder command ----

TEST_F(FolderAddingTest, FolderEntriesEndInABackslashAndARootStaysAsItIs) {
    TMainForm& f = Make();
    dialogs.folderAnswers = {{"D:\\Docs", "D:\\"}};
    dialogs.addFoldAnswers = {Answer(FolderAddMode::FolderEntry)};
    f.btnAddFold.OnClick();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\Docs\\", "D:\\"}));
    EXPECT_EQ(dialogs.addFoldFolders, (std::vector<std::vector<std::string>>{{"D:\\Docs", "D:\\"}}));
    EXPECT_TRUE(f.FileList().IsChecked(0));
    EXPECT_EQ(f.Settings().LastFolderOfAddedFile, "D:\\");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FolderAddingTest, FilesAreCollectedSortedAndOnlyWithSubfoldersWhenRecursive) {
    const struct {
        FolderAddMode mode;
        std::vector<std::string> folders;
        std::vector<std::string> entries;
    } cases[] = {
        // The hidden workbook counts; notes.txt (no print command allowed) and e.bmp are skipped silently.
        {FolderAddMode::Files, {"D:\\Docs"}, {"D:\\Docs\\a.pdf", "D:\\Docs\\B.docx", "D:\\Docs\\hidden.xls"}},
        {FolderAddMode::FilesRecursive,
         {"D:\\Docs"},
         {"D:\\Docs\\a.pdf", "D:\\Docs\\B.docx", "D:\\Docs\\hidden.xls", "D:\\Docs\\Sub\\c.pptx",
          "D:\\Docs\\Sub\\Deeper\\d.vsdx"}},
        // Outer holds nothing but a subfolder with a document.
        {FolderAddMode::Files, {"D:\\Outer", "\\\\server\\share\\dir"}, {"\\\\server\\share\\dir\\f.doc"}},
    };
    for (const auto& c : cases) {
        TMainForm& f = Make();
        ui.boxes.clear();
        files.searchedPatterns.clear();
        dialogs.folderAnswers = {c.folders};
        dialogs.addFoldAnswers = {Answer(c.mode)};
        f.AddFoldersWithDialog();
        EXPECT_EQ(Entries(), c.entries) << static_cast<int>(c.mode);
        EXPECT_TRUE(ui.boxes.empty());
        EXPECT_EQ(dialogs.collector.calls.back().recursive, c.mode == FolderAddMode::FilesRecursive);
    }
    // The network folder is searched in the long-path form and collected in its own.
    EXPECT_EQ(files.searchedPatterns.back(), "\\\\?\\UNC\\server\\share\\dir\\*.*");
}

TEST_F(FolderAddingTest, TheSecondCommandOffersTheWayChosenFirstAndStartsAboveTheFirstFolder) {
    TMainForm& f = Make();
    files.folders.insert("E:\\Work\\Reports");
    files.files["E:\\Work\\Reports\\r.doc"] = "x";
    dialogs.folderAnswers = {{"E:\\Work\\Reports"}, {}};
    dialogs.addFoldAnswers = {Answer(FolderAddMode::FilesRecursive)};
    f.AddFoldersWithDialog();
    f.AddFoldersWithDialog();
    f.AddFoldersWithDialog(); // picker cancelled: no add-mode dialog
    EXPECT_EQ(dialogs.events, (std::vector<std::string>{"pickfolders:C:\\Users\\u\\Documents\\", "addfold",
                                                        "pickfolders:E:\\Work\\", "pickfolders:E:\\Work\\"}));
    EXPECT_EQ(dialogs.addFoldShown, (std::vector<FolderAddMode>{FolderAddMode::NotChosen}));
    EXPECT_EQ(f.folderAddMode, FolderAddMode::FilesRecursive);

    dialogs.folderAnswers = {{"E:\\Work\\Reports"}};
    dialogs.addFoldAnswers = {}; // cancelled: the mode stays
    f.AddFoldersWithDialog();
    EXPECT_EQ(dialogs.addFoldShown.back(), FolderAddMode::FilesRecursive);
    EXPECT_EQ(f.folderAddMode, FolderAddMode::FilesRecursive);
    EXPECT_EQ(Entries(), std::vector<std::string>{"E:\\Work\\Reports\\r.doc"});
}

TEST_F(FolderAddingTest, NothingFoundShows13051WithTheFoldersAsCommaText) {
    TMainForm& f = Make();
    files.folders.insert("D:\\My Empty");
    f.Settings().LastFolderOfAddedFile = "E:\\Work";
    dialogs.folderAnswers = {{"D:\\Empty", "D:\\My Empty", "D:\\Missing"}};
    dialogs.addFoldAnswers = {Answer(FolderAddMode::FilesRecursive)};
    f.AddFoldersWithDialog();
    EXPECT_EQ(ui.BoxTexts(),
              std::vector<std::string>{"フォルダ内に対象ファイルが見つかりませんでした。(Folder=D:\\Empty,\"D:"
                                       "\\My Empty\",D:\\Missing)"});
    EXPECT_EQ(f.FileList().RowCount(), 0);
    EXPECT_EQ(f.Settings().LastFolderOfAddedFile, "E:\\Work");
}

TEST_F(FolderAddingTest, ACancelledCollectionAddsNothingOfWhatItFound) {
    TMainForm& f = Make();
    int pumps = 0;
    // The walk has found the documents of D:\Docs when it enters Sub and sees the click.
    dialogs.collector.onWalk = [&](TdlgGetFilesRecur& walk) {
        ui.onPump = [&] {
            ++pumps;
            EXPECT_EQ(walk.edtNumFiles.Text(), "3");
            walk.btnCancel.OnClick();
        };
    };
    dialogs.folderAnswers = {{"D:\\Docs", "\\\\server\\share\\dir"}};
    dialogs.addFoldAnswers = {Answer(FolderAddMode::FilesRecursive)};
    f.AddFoldersWithDialog();
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(f.FileList().RowCount(), 0);
    EXPECT_FALSE(f.FileList().Modified);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(f.Settings().LastFolderOfAddedFile, "");
}

// ---- drops ----

TEST_F(FolderAddingTest, MoreThanOneHundredDroppedFilesAskFirst) {
    for (int i = 0; i < 101; ++i)
        files.files["D:\\many\\" + std::to_string(i) + ".pdf"] = "x";
    const struct {
        int count;
        std::vector<MessageResult> answers;
        int added;
        std::vector<std::string> boxes;
    } cases[] = {
        {100, {}, 100, {}},
        {101,
         {MessageResult::Ok},
         101,
         {"ファイル数が多いのでリストへの登録に時間がかかりますがよいですか？（ファイル数=101）"}},
        {101,
         {MessageResult::Cancel},
         0,
         {"ファイル数が多いのでリストへの登録に時間がかかりますがよいですか？（ファイル数=101）"}},
    };
    for (const auto& c : cases) {
        TMainForm& f = Make();
        ui.boxes.clear();
        ui.answers.assign(c.answers.begin(), c.answers.end());
        std::vector<std::string> names;
        for (int i = 0; i < c.count; ++i)
            names.push_back("D:\\many\\" + std::to_string(i) + ".pdf");
        f.AddDroppedFiles(names, 10, 10);
        EXPECT_EQ(f.FileList().RowCount(), c.added) << c.count;
        EXPECT_EQ(f.FileList().Modified, c.added > 0);
        EXPECT_EQ(ui.BoxTexts(), c.boxes);
    }
}

TEST_F(FolderAddingTest, RefusedDropsShow13022AloneOr13021ForEachAmongOthers) {
    const std::string alone =
        "サポートしていない拡張子のファイルです。このファイルは追加できません。： D:\\drop\\image.bmp";
    const auto among = [](const std::string& name) {
        return "サポートしていない拡張子のファイルがあります。これらのファイルは追加されませんが続行しますか？： " +
               name;
    };
    const struct {
        bool allowOther;
        std::vector<std::string> dropped;
        std::vector<std::string> boxes;
        std::vector<std::string> entries;
    } cases[] = {
        {false, {"D:\\drop\\image.bmp"}, {alone}, {}},
        {false, {"D:\\drop\\image.bmp", "D:\\drop\\one.doc"}, {among("D:\\drop\\image.bmp")}, {"D:\\drop\\one.doc"}},
        // A registered other type is refused while AllowOther is off.
        {false,
         {"D:\\drop\\plain.txt", "D:\\drop\\one.doc", "D:\\drop\\image.bmp"},
         {among("D:\\drop\\plain.txt"), among("D:\\drop\\image.bmp")},
         {"D:\\drop\\one.doc"}},
        {true, {"D:\\drop\\plain.txt"}, {}, {"D:\\drop\\plain.txt"}},
        // A missing file is addable: it is shown without an icon and skipped when printed.
        {false, {"D:\\drop\\gone.doc"}, {}, {"D:\\drop\\gone.doc"}},
    };
    for (const auto& c : cases) {
        TMainForm& f = Make();
        f.Settings().AllowOther = c.allowOther;
        ui.boxes.clear();
        f.AddDroppedFiles(c.dropped, 10, 10);
        EXPECT_EQ(ui.BoxTexts(), c.boxes);
        EXPECT_EQ(Entries(), c.entries);
        for (const auto& box : ui.boxes)
            EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
}

TEST_F(FolderAddingTest, DroppedFoldersAreExpandedInDropOrderEachWithItsOwnChoice) {
    TMainForm& f = Make();
    dialogs.addFoldAnswers = {Answer(FolderAddMode::FolderEntry), Answer(FolderAddMode::Files)};
    f.AddDroppedFiles({"D:\\drop\\one.doc", "D:\\Docs\\Sub", "D:\\drop\\two.xlsx", "D:\\Docs"}, 10, 10);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"D:\\drop\\one.doc", "D:\\Docs\\Sub\\", "D:\\drop\\two.xlsx",
                                                   "D:\\Docs\\a.pdf", "D:\\Docs\\B.docx", "D:\\Docs\\hidden.xls"}));
    EXPECT_EQ(dialogs.addFoldFolders, (std::vector<std::vector<std::string>>{{"D:\\Docs\\Sub"}, {"D:\\Docs"}}));
    // The second dialog offered the way chosen in the first.
    EXPECT_EQ(dialogs.addFoldShown, (std::vector<FolderAddMode>{FolderAddMode::NotChosen, FolderAddMode::FolderEntry}));
}

TEST_F(FolderAddingTest, CancelOn13086AfterTheFolderDialogsAddsNothing) {
    files.folders.insert("D:\\big");
    for (int i = 0; i < 150; ++i)
        files.files["D:\\big\\" + std::to_string(i) + ".doc"] = "x";
    TMainForm& f = Make();
    dialogs.addFoldAnswers = {Answer(FolderAddMode::Files)};
    ui.answers = {MessageResult::Cancel};
    f.AddDroppedFiles({"D:\\big", "D:\\drop\\one.doc"}, 10, 10);
    EXPECT_EQ(dialogs.addFoldShown.size(), 1u);
    EXPECT_EQ(ui.BoxTexts(),
              std::vector<std::string>{
                  "ファイル数が多いのでリストへの登録に時間がかかりますがよいですか？（ファイル数=151）"});
    EXPECT_EQ(f.FileList().RowCount(), 0);
}

TEST_F(FolderAddingTest, DropsDuringAPrintRunAreIgnored) {
    TMainForm& f = Make();
    f.FileList().AddFiles({"D:\\drop\\one.doc"}, true, c_filelist::kAppend);
    f.printing = true;
    f.AddDroppedFiles({"D:\\drop\\two.xlsx", "D:\\Docs", "D:\\drop\\image.bmp"}, 10, 10);
    EXPECT_EQ(Entries(), std::vector<std::string>{"D:\\drop\\one.doc"});
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(dialogs.addFoldShown.empty());
}

} // namespace
} // namespace tarvoline
