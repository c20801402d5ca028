#pragma once
// The main window's logic: its controls as state objects, its commands, start-up, the command line,
// batch mode and shutdown. The Win32 window renders this state and forwards the user's actions here.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/main_menu.h"
#include "app/settings_store.h"
#include "common/print_log.h"
#include "dialogs/add_fold_dialog.h"
#include "dialogs/folder_files.h"
#include "list/file_kinds.h"
#include "list/filelist.h"
#include "listfile/list_file.h"
#include "print/print_run.h"
#include "print/prn.h"
#include "print/prtexcel.h"
#include "print/prtoth.h"
#include "print/prtpdf.h"
#include "print/prtppt.h"
#include "print/prtvisio.h"
#include "print/prtword.h"
#include "print/pushbutton.h"

namespace tarvoline {

class Automation;
class Clock;
class Crypto;
class DesktopWindows;
class FileSystem;
class PrinterWatcher;
class Registry;
class Shell;
class Spooler;

// A file or folder dialog as the window describes it; the Win32 side runs the real one.
struct FileDialogFilter {
    std::string description;
    std::string patterns; // separated by ";"
};
enum class FileDialogKind { Open, Save };
struct FileDialogSetup {
    std::string name; // "dlgOpen", "dlgSave", ...
    FileDialogKind kind = FileDialogKind::Open;
    std::string defaultExtension;
    std::vector<FileDialogFilter> filters;
    bool multiSelect = false;
    bool overwritePrompt = false;
    bool hideReadOnly = false;
    bool resizable = false;
    // Set by the caller for each run.
    std::string initialFolder;
    std::string fileName;
};
const FileDialogSetup& dlgFileSel();
const FileDialogSetup& dlgOpen();
const FileDialogSetup& dlgSave();
const FileDialogSetup& dlgTextRead();
const FileDialogSetup& dlgTextSave();

// The windows the main window opens but does not own: the dialogs, the help viewer, the folder
// commands and the folder contents window (entry details and folder printing come through the bases).
class MainFormDialogs : public EntryDialogs, public FolderEntryPrinter {
public:
    // The chosen paths (several with multiSelect); empty when cancelled.
    virtual std::vector<std::string> RunFileDialog(const FileDialogSetup& dialog) = 0;
    virtual void ShowOptions() = 0;
    virtual void ShowPrintLog() = 0;
    virtual void ShowAbout(bool atStartup) = 0;
    virtual void ShowHelp(int context) = 0;
    // The folder picker, starting in initialFolder: the chosen folders' full paths in the user's order;
    // empty when cancelled.
    virtual std::vector<std::string> PickFolders(const std::string& initialFolder) = 0;
    // Shows the add-mode dialog modally over the main window; mrOk or mrCancel.
    virtual int ShowAddFoldDialog(TdlgAddFold& dialog) = 0;
    // The folder collection with its progress window over the main window.
    virtual FolderFileCollector& FolderCollector() = 0;
};

// What the logic asks of the real window and the desktop around it.
class MainFormWindow {
public:
    virtual ~MainFormWindow() = default;
    // Starts closing the window (the close query and shutdown follow through the window system).
    virtual void CloseWindow() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void FocusList() = 0;
    // The user's documents folder; nullopt when it cannot be had.
    virtual std::optional<std::string> DocumentsFolder() = 0;
    virtual std::string CurrentDirectory() = 0;
    // The shell's recently used documents.
    virtual void AddToRecentDocuments(const std::string& path) = 0;
};

// The seams and the outside windows the main window is built from.
struct MainFormServices {
    Registry& registry;
    FileSystem& fileSystem;
    Shell& shell;
    Spooler& spooler;
    Automation& automation;
    PrinterWatcher& printerWatcher;
    DesktopWindows& desktop;
    Clock& clock;
    Crypto& crypto;
    PlacementWindow& placement;
    MainFormWindow& window;
    MainFormDialogs& dialogs;
    std::string programFileName;        // the executable's path
    std::vector<std::string> arguments; // without the program's own path
};

// The process exit code a scheduler sees.
enum class ExitCode : int {
    Ok = 0,            // interactive use, or a batch run that printed everything
    Aborted = 1,       // the batch run was aborted (or the window closed before it ran)
    SomeFailed = 2,    // the batch run ended with some files failed
    ListNotOpened = 3, // the batch list could not be opened
};

class TMainForm final : public ListHost {
public:
    // FormCreate: the settings (loaded), the printer choice, the six handlers, the print log and the
    // list, in that order. The print log becomes the program's log.
    explicit TMainForm(MainFormServices services);
    // FormDestroy.
    ~TMainForm() override;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;

    // Controls.
    Control Label1{"Label1", "印刷ファイルリスト"};
    Control Label3{
        "Label3", "（ファイルを追加するには、「ファイルを追加」ボタンを押すか又はファイルをドラッグ＆ドロップします）"};
    Control btnAllCheck{"btnAllCheck", "全ﾁｪｯｸ", "全てのファイルをチェックオン（印刷対象）にします"};
    Control btnAllUncheck{"btnAllUncheck", "全解除", "全てのファイルのチェックを解除します"};
    Control pnlGrid{
        "pnlGrid", "",
        "チェックボックスがチェックされているファイルが印刷対象。ドラッグ&ドロップでファイル順序を変えられます。"};
    Control btnPrint{"btnPrint", "印刷開始(&P)",
                     "リストのファイルを印刷します。（但しチェックマークがついているファイルのみ。）"};
    Control btnAddFile{"btnAddFile", "ファイルを追加(&A)", "リストへ文書ファイルを追加します"};
    Control btnAddFold{"btnAddFold", "フォルダを追加",
                       "フォルダをリストへ追加します。印刷実行するとフォルダ内の全ファイルが印刷されます。"};
    Control btnShowFold{"btnShowFold", "フォルダ参照", "選択されているフォルダ内のファイル一覧を表示します"};
    Control btnDelFile{"btnDelFile", "リストから削除(&R)", "選択されているファイルをリストから削除します"};
    Control btnDetail{"btnDetail", "詳細設定(&S)", "選択されている項目について印刷方法を設定します"};
    Control btnMoveUp{"btnMoveUp", "上へ移動(&U)", "選択されている項目を上へ移動"};
    Control btnMoveDown{"btnMoveDown", "下へ移動(&D)", "選択されている項目を下へ移動"};
    Control btnSortByName{"btnSortByName", "フルパスで並替(&T)", "全ファイルをファイル名（フルパス）で並び替え"};
    Control btnFileOpen{"btnFileOpen", "ファイルを開く(&O)", "選択されているファイルを開きます"};
    Control GroupBox2{"GroupBox2", "ファイルリスト情報", "ファイルリストをパスワード保護"};
    Control Label4{"Label4", "備考"};
    Control memMemo{"memMemo", "",
                    "ここには、印刷ファイルリストについてのメモなど自由にコメントを書くことができます。"};
    CheckControl chkListPasswd{"chkListPasswd", "パスワード保護"};
    Control edtListPasswd{"edtListPasswd", "", "ファイルリストを暗号化して保存するためのパスワード"};
    Control btnHelpPasswd{"btnHelpPasswd", "注意事項"};
    Control Label5{"Label5", "印刷部数："};
    Control edtPrtNum{"edtPrtNum", "1"};
    Control Label2{"Label2", "印刷先プリンター"};
    ListControl cmbPrinters{"cmbPrinters", "", "印刷先プリンター選択"};
    Control btnExit{"btnExit", "終了(&X)", "プログラムを終了します。"};
    // Enabled = armed; the window runs it as a one-shot 1000 ms timer.
    Control tmrBatch{"tmrBatch"};
    static constexpr int kBatchTimerInterval = 1000;

    // Menu items whose enabled state the window decides.
    Control mnuFile{"mnuFile"};
    Control mnuListSave{"mnuListSave"};
    Control mnuListSaveAs{"mnuListSaveAs"};
    Control mnuDelFile{"mnuDelFile"};
    Control mnuTextSave{"mnuTextSave"};
    Control mnuPrint{"mnuPrint"};
    Control mnuSelAll{"mnuSelAll"};
    Control mnuPrintLog{"mnuPrintLog"};

    // Every control above, for binding.
    std::vector<Control*> Controls();

    // Window fields.
    std::string currentListFile;
    bool printing = false;
    bool batchMode = false;
    FolderAddMode folderAddMode = FolderAddMode::NotChosen;
    const std::string& Caption() const { return caption_; }

    // Owned objects.
    c_reg& Settings() { return *c_reg_; }
    c_prn& Printer() { return *c_prn_; }
    c_prtexcel& ExcelHandler() { return *c_prtexcel_; }
    c_print_log& PrintLog() { return *c_print_log_; }
    c_filelist& FileList() { return *c_filelist_; }
    c_listfile& ListFile() { return *c_listfile_; }
    // PrintEntry with the six handlers, for the folder contents window.
    EntryPrinter& Entries() { return *entryPrinter_; }

    // Start-up and shutdown.
    void FormShow();
    void ProcessCommandLine();
    void tmrBatchTimer();
    bool FormCloseQuery();
    // What the process returns.
    int ExitCodeValue() const { return static_cast<int>(exitCode_); }

    // Operations.
    bool AskSaveChanges();
    bool OpenList(const std::string& path);
    void OpenListWithDialog();
    bool SaveList(bool saveAs);
    void SetListFileName(const std::string& path);
    PrintRunResult RunPrint();
    void UpdateControls();
    void OpenRecentFile(int tag);
    void AddFilesWithDialog();
    void ReadTextWithDialog();
    void SaveTextWithDialog();
    std::string InitialFolderFor(const std::string& folder);
    // Folders into the list: the add-folder command, and dropped files and folders at a point of the list
    // control's client area.
    void AddFoldersWithDialog();
    void ExpandFolders(const std::vector<std::string>& folders, std::vector<std::string>& out);
    void ExpandFolder(const std::string& folder, std::vector<std::string>& out) { ExpandFolders({folder}, out); }
    void AddDroppedFiles(const std::vector<std::string>& names, int x, int y);
    int ChooseFolderAddMode(const std::vector<std::string>& folders, FolderAddMode& mode);
    int CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out, bool recursive);
    void FillPrinters();

    // Commands.
    void NewList(); // mnuListNew and mnuClose
    void ListOpenCommand();
    void btnPrintClick();
    void mnuPrintClick();
    void btnDelFileClick();
    void btnDetailClick();
    void btnMoveUpClick();
    void btnMoveDownClick();
    void btnSortByNameClick();
    void btnAllCheckClick();
    void btnAllUncheckClick();
    void mnuSelAllClick();
    void btnShowFoldClick();
    void btnFileOpenClick();
    void btnAddFoldClick();
    void btnExitClick();
    void btnHelpPasswdClick();
    void memMemoChange();
    void edtListPasswdChange();
    void chkListPasswdClick();
    void edtPrtNumChange();
    void cmbPrintersChange();
    void mnuHelpHelpClick();
    void mnuAboutClick();
    void mnuOptionsClick();
    void mnuPrintLogClick();
    // The File menu opens: the recent files go in after mnuSep2.
    void mnuFileOpened(MenuItems& fileMenu, const TextMeasure& measure);
    void mnuTextReadClick();
    // A menu item or its shortcut.
    void MenuClick(MenuCommand command);
    // Written by the window's destruction while the window still exists; runs once.
    void FormDestroy();
    void HelpKey();

    // ListHost.
    void ResetListInformation() override;
    void ResetCopies() override;
    std::string CopiesText() override;
    void SetCopiesText(const std::string& text) override;
    std::string CurrentListFile() override;
    void ListChangeNotified() override;
    std::string MemoText() override;
    void SetMemoText(const std::string& text) override;
    bool ListPasswordChecked() override;
    void SetListPasswordChecked(bool checked) override;
    std::string ListPasswordText() override;
    void SetListPasswordText(const std::string& text) override;
    void FocusListPassword() override;

private:
    void BindHandlers();
    std::string DialogFolderOf(const std::string& path) const;

    MainFormServices services_;
    std::unique_ptr<c_reg> c_reg_;
    std::unique_ptr<c_prn> c_prn_;
    std::unique_ptr<c_pushbutton> keyIn_;
    std::unique_ptr<PrintToServices> printTo_;
    std::unique_ptr<c_prtexcel> c_prtexcel_;
    std::unique_ptr<c_prtword> c_prtword_;
    std::unique_ptr<c_prtppt> c_prtppt_;
    std::unique_ptr<c_prtpdf> c_prtpdf_;
    std::unique_ptr<c_prtoth> c_prtoth_;
    std::unique_ptr<c_prtvisio> c_prtvisio_;
    std::unique_ptr<c_print_log> c_print_log_;
    std::unique_ptr<FileKinds> fileKinds_;
    std::unique_ptr<EntryPrinter> entryPrinter_;
    std::unique_ptr<PrintRunServices> printRun_;
    std::unique_ptr<c_filelist> c_filelist_;
    std::unique_ptr<c_listfile> c_listfile_;
    std::string caption_ = "Tarvoline";
    ExitCode exitCode_ = ExitCode::Ok;
    bool destroyed_ = false;
    bool closeAccepted_ = false; // a close asked for during a print run
};

} // namespace tarvoline
