// Folders and drops on the real windows: files dropped on the main window land at the drop point, the
// progress window walks a real folder tree, a dropped folder goes through the add-mode window, and a walk
// stopped by its Cancel button adds nothing. Started with "--preview", it shows one window for screenshots.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/main_form.h"
#include "base/com.h"
#include "base/wide_text.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "dialogs/add_fold_dialog.h"
#include "dialogs/get_files_dialog.h"
#include "fakes/fake_main_form.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"
#include "fakes/main_form_fakes.h"
#include "folder_collector_win32.h"
#include "folder_picker_win32.h"
#include "forms/folder_dialogs.h"
#include "forms/folder_form_ids.h"
#include "list/file_kinds.h"
#include "main_form_dialogs.h"
#include "main_window.h"
#include "message_loop.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "window_driver.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

const wchar_t kAddFoldCaption[] = L"フォルダ追加方法選択";
const wchar_t kProgressCaption[] = L"ファイル情報取得中...";

// A folder tree under the temp folder, removed with everything in it at the end.
class TempTree {
public:
    explicit TempTree(const std::string& name) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root.c_str(), nullptr);
    }
    ~TempTree() { Remove(root); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::string Folder(const std::string& relative) const {
        const std::string path = root + "\\" + relative;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    std::string File(const std::string& relative, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
        const std::string path = root + "\\" + relative;
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        CloseHandle(file);
        return path;
    }

    std::string root;

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(path);
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
};

// The block the shell hands over with WM_DROPFILES: DROPFILES, then the ANSI names, each ended by a NUL,
// and one more NUL. The window frees it with DragFinish.
HDROP MakeDrop(const std::vector<std::string>& names) {
    std::string block;
    for (const std::string& name : names) {
        block += name;
        block.push_back('\0');
    }
    block.push_back('\0');
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + block.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), block.data(), block.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring DialogItemText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

// Boxes are answered and recorded; pending window messages are handled for real, as the walk needs them.
class PumpingUi : public FakeUi {
public:
    explicit PumpingUi(MainWindow& window) : window_(window) {}
    void ProcessPendingMessages() override {
        FakeUi::ProcessPendingMessages();
        if (beforePump)
            beforePump();
        ProcessPendingWindowMessages(window_.Handle(), window_.Accelerators());
    }
    std::function<void()> beforePump;

private:
    MainWindow& window_;
};

// The real main window, its logic on the real file system, and the real folder windows over it.
class FolderWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        SetMessageUi(&ui);
        window.Create(GetModuleHandleW(nullptr), SW_HIDE);
        form = std::make_unique<TMainForm>(system.Services(files, window, window, dialogs));
        dialogs.SetMainForm(form.get());
        window.Attach(*form);
        ShowWindow(window.Handle(), SW_SHOW);
        PumpMessages();
    }
    void TearDown() override {
        if (window.Handle())
            DestroyWindow(window.Handle());
        form.reset();
        SetMessageUi(nullptr);
        SetPrintLog(nullptr);
        PumpMessages();
    }

    std::vector<std::string> Entries() const {
        std::vector<std::string> paths;
        for (int row = 0; row < form->FileList().RowCount(); ++row)
            paths.push_back(form->FileList().EntryPath(row));
        return paths;
    }
    int ListViewCount() { return static_cast<int>(SendMessageW(window.ListHandle(), LVM_GETITEMCOUNT, 0, 0)); }

    // The mouse over a row of the list, where a drop lets go.
    void PointAtRow(int row) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(window.ListHandle(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
        POINT point{bounds.left + 40, bounds.top + 2};
        ClientToScreen(window.ListHandle(), &point);
        // The X server reports the pointer back a little later, and an older report can move it again.
        for (int i = 0; i < 100; ++i) {
            SetCursorPos(point.x, point.y);
            Sleep(10);
            PumpMessages();
            POINT now{};
            GetCursorPos(&now);
            if (now.x == point.x && now.y == point.y && i >= 2)
                break;
        }
    }

    MainWindow window;
    PumpingUi ui{window};
    MainFormFakes system;
    Win32FileSystem files;
    Win32MainFormDialogs dialogs{window, files};
    std::unique_ptr<TMainForm> form;
};

TEST_F(FolderWindowsTest, DroppedFilesLandAtTheDropPointInDropOrder) {
    EXPECT_TRUE(GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    TempTree tree("tarvoline-drop");
    const std::string doc = tree.File("a.doc");
    const std::string table = tree.File("表.xlsx"); // 0x5C as the second byte of 表
    const std::string picture = tree.File("skip.bmp");
    const std::string pdf = tree.File("c.pdf");
    form->FileList().AddFiles({"C:\\one.doc", "C:\\two.doc", "C:\\three.doc"}, true, c_filelist::kAppend);
    PumpMessages();

    PointAtRow(1);
    PostMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({doc, table, picture, pdf})), 0);
    PumpMessages();

    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\one.doc", doc, table, pdf, "C:\\two.doc", "C:\\three.doc"}));
    EXPECT_EQ(ListViewCount(), 6);
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"サポートしていない拡張子のファイルがあります。これらのファイルは"
                                                      "追加されませんが続行しますか？： " +
                                                      picture});
}

TEST_F(FolderWindowsTest, ADroppedFolderGoesThroughTheAddModeWindowWhichOffersTheWayChosenLast) {
    TempTree tree("tarvoline-dropfold");
    tree.File("a.doc");
    form->FileList().AddFiles({"C:\\one.doc", "C:\\two.doc"}, true, c_filelist::kAppend);
    form->folderAddMode = FolderAddMode::Files;
    form->Settings().AddFolderRecur = true;
    PumpMessages();
    PointAtRow(1);
    bool sawDialog = false;
    std::thread user([&] {
        const HWND dialog = WaitForWindow(kAddFoldCaption);
        if (!dialog)
            return;
        sawDialog = true;
        wchar_t item[MAX_PATH] = {};
        SendDlgItemMessageW(dialog, IDC_ADDFOLD_LIST, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(std::wstring(item), ToWide(tree.root));
        EXPECT_FALSE(Checked(dialog, IDC_ADDFOLD_RDO_FOLD));
        EXPECT_TRUE(Checked(dialog, IDC_ADDFOLD_RDO_FILES));
        EXPECT_FALSE(Checked(dialog, IDC_ADDFOLD_CHK_RECUR)); // Files: the stored choice does not count
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_ADDFOLD_HELP)));
        SendDlgItemMessageW(dialog, IDC_ADDFOLD_RDO_FOLD, BM_CLICK, 0, 0);
        SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        WaitGone(dialog);
    });
    SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({tree.root})), 0);
    user.join();
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\one.doc", tree.root + "\\", "C:\\two.doc"}));
    EXPECT_EQ(form->folderAddMode, FolderAddMode::FolderEntry);
    EXPECT_FALSE(form->Settings().AddFolderRecur);
}

TEST_F(FolderWindowsTest, AWalkStoppedByItsCancelButtonAddsNothing) {
    TempTree tree("tarvoline-cancel");
    constexpr int kFolders = 40;
    constexpr int kFilesEach = 25;
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::string sub = "sub" + std::to_string(folder);
        tree.Folder(sub);
        for (int file = 0; file < kFilesEach; ++file)
            tree.File(sub + "\\" + std::to_string(file) + ".pdf");
    }
    std::wstring countAtClick;
    bool progressHidesOkAndHelp = false;
    // The user clicks Cancel while the walk enters its third subfolder, having seen the count go up.
    ui.beforePump = [&] {
        if (ui.pumpCount != 3)
            return;
        const HWND progress = FindWindowW(L"#32770", kProgressCaption);
        if (!progress)
            return;
        progressHidesOkAndHelp = !IsWindowVisible(GetDlgItem(progress, IDOK)) &&
                                 !IsWindowVisible(GetDlgItem(progress, IDC_GETFILES_HELP)) &&
                                 IsWindowVisible(GetDlgItem(progress, IDCANCEL));
        countAtClick = DialogItemText(progress, IDC_GETFILES_COUNT);
        PostMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
    };
    std::thread user([&] {
        const HWND choice = WaitForWindow(kAddFoldCaption);
        if (!choice)
            return;
        SendDlgItemMessageW(choice, IDC_ADDFOLD_RDO_FILES, BM_CLICK, 0, 0);
        if (!Checked(choice, IDC_ADDFOLD_CHK_RECUR))
            SendDlgItemMessageW(choice, IDC_ADDFOLD_CHK_RECUR, BM_CLICK, 0, 0);
        SendDlgItemMessageW(choice, IDOK, BM_CLICK, 0, 0);
    });
    SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({tree.root})), 0);
    user.join();

    EXPECT_TRUE(progressHidesOkAndHelp);
    EXPECT_EQ(countAtClick, std::to_wstring(2 * kFilesEach));
    EXPECT_EQ(ui.pumpCount, 3); // the walk stopped there, long before its end
    EXPECT_EQ(form->FileList().RowCount(), 0);
    EXPECT_FALSE(form->FileList().Modified);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(form->folderAddMode, FolderAddMode::FilesRecursive);
}

// A classifier that looks at the progress window while the walk asks it about each file.
class WatchingClassifier : public FileClassifier {
public:
    explicit WatchingClassifier(FileClassifier& inner) : inner_(inner) {}
    FileKind FileKindOf(const std::string& path) override { return inner_.FileKindOf(path); }
    bool IsAddable(const std::string& path) override {
        ++asked;
        if (onAsk)
            onAsk();
        return inner_.IsAddable(path);
    }
    std::function<void()> onAsk;
    int asked = 0;

private:
    FileClassifier& inner_;
};

TEST(FolderCollectorWin32Test, TheProgressWindowWalksARealTreeAndClosesWithOk) {
    FakeUi ui;
    SetMessageUi(&ui);
    TempTree tree("tarvoline-walk");
    tree.Folder("sub");
    tree.Folder("sub\\deeper");
    const std::vector<std::string> expected = {tree.File("a.docx"),
                                               tree.File("secret.pdf", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                                               tree.File("sub\\b.xlsx"), tree.File("sub\\deeper\\c.pptx")};
    tree.File("skip.bmp");
    tree.File("sub\\notes.bin");

    Win32FileSystem files;
    FakeRegistry registry;
    bool allowOther = false;
    FileKinds kinds(files, registry, allowOther);
    WatchingClassifier classifier(kinds);
    std::wstring caption;
    bool onlyCancelShown = false;
    classifier.onAsk = [&] {
        const HWND progress = FindWindowW(L"#32770", kProgressCaption);
        if (!progress || !caption.empty())
            return;
        caption = TextOf(progress);
        onlyCancelShown = !IsWindowVisible(GetDlgItem(progress, IDOK)) &&
                          !IsWindowVisible(GetDlgItem(progress, IDC_GETFILES_HELP)) &&
                          IsWindowVisible(GetDlgItem(progress, IDCANCEL)) &&
                          DialogItemText(progress, IDC_GETFILES_LABEL) == L"ファイル数：";
    };
    Win32FolderFileCollector collector(nullptr, classifier);
    std::vector<std::string> found;
    EXPECT_EQ(collector.CollectFolderFiles(tree.root, found, true), mrOk);
    std::sort(found.begin(), found.end());
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(found, sorted);
    EXPECT_EQ(caption, kProgressCaption);
    EXPECT_TRUE(onlyCancelShown);
    EXPECT_EQ(classifier.asked, 6);

    found.clear();
    EXPECT_EQ(collector.CollectFiles({tree.root + "\\sub", tree.root + "\\missing"}, found, false), mrOk);
    EXPECT_EQ(found, std::vector<std::string>{tree.root + "\\sub\\b.xlsx"});
    SetMessageUi(nullptr);
}

TEST(FolderPickerWin32Test, TheOlderBrowserGivesThePickedFoldersPathOrNothing) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        TempTree tree("tarvoline-browse");
        const std::string folder = tree.Folder("表");
        std::string picked = "unset";
        Drive(
            L"フォルダーの参照", [&] { picked = BrowseForFolder(nullptr); },
            [&](HWND browser) {
                ASSERT_NE(browser, nullptr);
                // The browser may still be filling its tree: select again until the folder is the selected item.
                const std::wstring path = ToWide(folder);
                const HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
                for (int i = 0; i < 100; ++i) {
                    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
                    wchar_t text[MAX_PATH] = {};
                    TVITEMW item{};
                    item.mask = TVIF_TEXT;
                    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                    item.pszText = text;
                    item.cchTextMax = MAX_PATH;
                    if (item.hItem && SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) &&
                        std::wstring(text) == L"表")
                        break;
                    Sleep(50);
                }
            },
            IDOK);
        EXPECT_EQ(picked, folder);
        Drive(
            L"フォルダーの参照", [&] { picked = BrowseForFolder(nullptr); }, [](HWND) {});
        EXPECT_EQ(picked, "");

        // The item's name through the given folder or the desktop's; the item list goes back to the shell.
        ComPtr<IShellFolder> desktop;
        ASSERT_HRESULT_SUCCEEDED(SHGetDesktopFolder(desktop.Out()));
        std::wstring wide = ToWide(folder);
        LPITEMIDLIST item = nullptr;
        ASSERT_HRESULT_SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &item, nullptr));
        EXPECT_EQ(f_itemidsub_getname(nullptr, item, SHGDN_FORPARSING), folder);
        EXPECT_EQ(f_itemidsub_getname(desktop.Get(), item, SHGDN_FORPARSING), folder);
        FreeShellMemory(item);
    }
    CoUninitialize();
}

// What the preview needs of the window system: the walk handles messages, boxes go to the screen.
class PreviewUi : public Ui {
public:
    MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) override {
        return static_cast<MessageResult>(
            MessageBoxW(nullptr, ToWide(text).c_str(), L"Tarvoline", static_cast<UINT>(buttons)));
    }
    void SetStatusBarText(const std::string&) override {}
    void ProcessPendingMessages() override { ProcessPendingWindowMessages(nullptr, nullptr); }
    MessageResult PromptPassword(const std::string&, std::string&) override { return MessageResult::Cancel; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

// A network share as slow as a busy one: 20 ms for each folder listed. On a local disk the walk of a big
// tree is over before anyone could look at it.
class SlowShare : public FolderEnumerator {
public:
    bool EnumerateFolder(const std::string& pattern, std::vector<FolderItem>& items) override {
        Sleep(20);
        return files_.EnumerateFolder(pattern, items);
    }

private:
    Win32FileSystem files_;
};

// "add-fold": the add-mode window for two folders; "pick [FOLDER]": the folder picker starting in FOLDER;
// "browse": the older folder browser, printing the folder picked; "progress
// FOLDER": the progress window walking FOLDER with its subfolders as if it were on a slow share. The exit code is the
// window's result.
int Preview(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    PreviewUi ui;
    SetMessageUi(&ui);
    const std::string which = argc > 2 ? argv[2] : "";
    int result = -1;
    if (which == "add-fold") {
        bool addFolderRecur = true;
        TdlgAddFold form({"C:\\Users\\Public\\Documents\\報告書", "D:\\共有\\議事録\\2026年度"},
                         FolderAddMode::FilesRecursive, addFolderRecur);
        result = ShowAddFoldDialog(nullptr, form);
    } else if (which == "browse") {
        // 1 when a folder was picked.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const std::string folder = BrowseForFolder(nullptr);
        std::printf("%s\n", folder.c_str());
        result = folder.empty() ? 0 : 1;
        CoUninitialize();
    } else if (which == "pick") {
        // The number of folders chosen.
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        result = static_cast<int>(PickFolders(nullptr, argc > 3 ? argv[3] : "").size());
        CoUninitialize();
    } else if (which == "progress" && argc > 3) {
        Win32FileSystem files;
        Win32Registry registry;
        bool allowOther = false;
        FileKinds kinds(files, registry, allowOther);
        SlowShare share;
        std::vector<std::string> found;
        TdlgGetFilesRecur form(share, kinds, {argv[3]}, found, true);
        result = ShowGetFilesRecurDialog(nullptr, form);
    }
    SetMessageUi(nullptr);
    return result;
}

} // namespace
} // namespace tarvoline

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--preview")
        return tarvoline::Preview(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
