#include "app/main_form.h"

#include <cerrno>
#include <cstdlib>

#include <algorithm>

#include "common/ansi_text.h"
#include "common/collation.h"
#include "common/messages.h"
#include "common/wait_cursor.h"
#include "list/file_kind.h"
#include "list/text_list.h"
#include "platform/file_system.h"
#include "platform/spooler.h"

namespace tarvoline {

namespace {

constexpr int kHelpTopics = 10;
constexpr int kHelpMainWindow = 20;
constexpr int kHelpListPassword = 70;

FileDialogSetup MakeDialog(std::string name, FileDialogKind kind, std::string extension,
                           std::vector<FileDialogFilter> filters) {
    FileDialogSetup dialog;
    dialog.name = std::move(name);
    dialog.kind = kind;
    dialog.defaultExtension = std::move(extension);
    dialog.filters = std::move(filters);
    return dialog;
}

FileDialogSetup SaveDialog(FileDialogSetup dialog) {
    dialog.overwritePrompt = true;
    dialog.hideReadOnly = true;
    dialog.resizable = true;
    return dialog;
}

const std::vector<FileDialogFilter>& ListFilters() {
    static const std::vector<FileDialogFilter> filters = {{"印刷ファイルリスト(*.lst)", "*.lst"},
                                                          {"すべてのファイル(*.*)", "*.*"}};
    return filters;
}

const std::vector<FileDialogFilter>& TextFilters() {
    static const std::vector<FileDialogFilter> filters = {{"テキストファイル(*.txt)", "*.txt"},
                                                          {"すべてのファイル(*.*)", "*.*"}};
    return filters;
}

// The whole text as a decimal integer, with an optional sign.
std::optional<long> ReadNumber(const std::string& text) {
    if (text.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + text.size() || text[0] == ' ' || errno == ERANGE)
        return std::nullopt;
    return value;
}

} // namespace

const FileDialogSetup& dlgFileSel() {
    static const FileDialogSetup dialog = [] {
        FileDialogSetup setup = MakeDialog(
            "dlgFileSel", FileDialogKind::Open, "",
            {{"全ファイル形式（*.doc,*.docx,*.docm,*.rtf,*.xls,*.xlsx,*.xlsm,*.ppt,*.pptx,*.pptm,*.pdf,*.vsd,*.vss,"
              "*.vst,*.vsdx,*.vssx,*.vstx,*.vsdm,*.vssm,*.vstm)",
              "*.doc;*.docx;*.docm;*.rtf;*.xls;*.xlsx;*.xlsm;*.ppt;*.pptx;*.pptm;*.pdf;*.vsd;*.vss;*.vst;*.vsdx;"
              "*.vssx;*.vstx;*.vsdm;*.vssm;*.vstm"},
             {"Excelファイル（*.xls,*.xlsx,*.xlsm)", "*.xls;*.xlsx;*.xlsm"},
             {"Wordファイル(*.doc,*.docx,*.docm,*.rtf)", "*.doc;*.docx;*.docm;*.rtf"},
             {"PowerPointファイル（*.ppt,*.pptx,*.pptm)", "*.ppt;*.pptx;*.pptm"},
             {"PDFファイル（*.pdf)", "*.pdf"},
             {"VISIOファイル（*.vsd,*.vss,*.vst,*.vsdx,*.vssx,*.vstx,*.vsdm,*.vssm,*.vstm）",
              "*.vsd;*.vss;*.vst;*.vsdx;*.vssx;*.vstx;*.vsdm;*.vssm;*.vstm"},
             {"すべてのファイル（*.*）", "*.*"}});
        setup.multiSelect = true;
        setup.resizable = true;
        return setup;
    }();
    return dialog;
}

const FileDialogSetup& dlgOpen() {
    static const FileDialogSetup dialog = MakeDialog("dlgOpen", FileDialogKind::Open, "lst", ListFilters());
    return dialog;
}

const FileDialogSetup& dlgSave() {
    static const FileDialogSetup dialog = [] {
        FileDialogSetup setup = SaveDialog(MakeDialog("dlgSave", FileDialogKind::Save, "lst", ListFilters()));
        setup.fileName = "Tarvoline.lst";
        return setup;
    }();
    return dialog;
}

const FileDialogSetup& dlgTextRead() {
    static const FileDialogSetup dialog = MakeDialog("dlgTextRead", FileDialogKind::Open, "txt", TextFilters());
    return dialog;
}

const FileDialogSetup& dlgTextSave() {
    static const FileDialogSetup dialog = [] {
        FileDialogSetup setup = SaveDialog(MakeDialog("dlgTextSave", FileDialogKind::Save, "txt", TextFilters()));
        setup.fileName = "untitled.txt";
        return setup;
    }();
    return dialog;
}

TMainForm::TMainForm(MainFormServices services) : services_(std::move(services)) {
    c_reg_ = std::make_unique<c_reg>(services_.registry, services_.placement);
    c_reg_->Load();

    c_prn_ = std::make_unique<c_prn>(services_.spooler, c_reg_->PrinterSelected);
    keyIn_ = std::make_unique<c_pushbutton>(services_.desktop, services_.clock);
    printTo_ =
        std::make_unique<PrintToServices>(PrintToServices{services_.shell, services_.printerWatcher, services_.clock});
    c_prtexcel_ = std::make_unique<c_prtexcel>(*c_prn_, services_.automation, *keyIn_, c_reg_->ExcelRangeDefault);
    c_prtword_ = std::make_unique<c_prtword>(*c_prn_, services_.automation, *keyIn_);
    c_prtppt_ = std::make_unique<c_prtppt>(*c_prn_, services_.automation, *keyIn_);
    c_prtpdf_ = std::make_unique<c_prtpdf>(*c_prn_, *printTo_, *keyIn_);
    c_prtoth_ = std::make_unique<c_prtoth>(*c_prn_, *printTo_);
    c_prtvisio_ = std::make_unique<c_prtvisio>(*c_prn_, services_.automation, services_.clock);
    c_print_log_ = std::make_unique<c_print_log>(services_.clock, services_.fileSystem);
    SetPrintLog(c_print_log_.get());

    fileKinds_ = std::make_unique<FileKinds>(services_.fileSystem, services_.registry, c_reg_->AllowOther);
    PrintHandlers handlers;
    handlers.word = c_prtword_.get();
    handlers.excel = c_prtexcel_.get();
    handlers.powerPoint = c_prtppt_.get();
    handlers.pdf = c_prtpdf_.get();
    handlers.visio = c_prtvisio_.get();
    handlers.other = c_prtoth_.get();
    entryPrinter_ = std::make_unique<EntryPrinter>(*fileKinds_, handlers);
    printRun_ =
        std::make_unique<PrintRunServices>(PrintRunServices{*entryPrinter_, services_.dialogs, services_.clock});

    c_filelist_ = std::make_unique<c_filelist>(*fileKinds_, services_.shell, c_reg_->ShowPasswordOnList);
    c_filelist_->SetHost(this);
    c_filelist_->SetEntryDialogs(&services_.dialogs);
    c_filelist_->SetPrintRun(printRun_.get());
    c_filelist_->SetColumnWidths(c_reg_->ColWidth);
    c_listfile_ = std::make_unique<c_listfile>(*c_filelist_, services_.crypto, services_.fileSystem, services_.clock);
    c_listfile_->ProgramFileName = ExtractFileName(services_.programFileName);

    tmrBatch.SetEnabled(false);
    BindHandlers();
    UpdateControls();
}

TMainForm::~TMainForm() {
    try {
        FormDestroy();
    } catch (...) {
        // Nothing may leave a destructor; the settings are lost at worst.
    }
    SetPrintLog(nullptr);
}

void TMainForm::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    if (c_filelist_) {
        const auto& widths = c_filelist_->ColumnWidths();
        for (std::size_t column = 0; column < widths.size(); ++column)
            c_reg_->ColWidth[column] = widths[column];
        c_listfile_.reset();
        c_filelist_.reset();
    }
    c_reg_->Save();
}

void TMainForm::BindHandlers() {
    btnPrint.OnClick = [this] { btnPrintClick(); };
    btnAddFile.OnClick = [this] { AddFilesWithDialog(); };
    btnAddFold.OnClick = [this] { btnAddFoldClick(); };
    btnShowFold.OnClick = [this] { btnShowFoldClick(); };
    btnDelFile.OnClick = [this] { btnDelFileClick(); };
    btnDetail.OnClick = [this] { btnDetailClick(); };
    btnMoveUp.OnClick = [this] { btnMoveUpClick(); };
    btnMoveDown.OnClick = [this] { btnMoveDownClick(); };
    btnSortByName.OnClick = [this] { btnSortByNameClick(); };
    btnFileOpen.OnClick = [this] { btnFileOpenClick(); };
    btnAllCheck.OnClick = [this] { btnAllCheckClick(); };
    btnAllUncheck.OnClick = [this] { btnAllUncheckClick(); };
    btnHelpPasswd.OnClick = [this] { btnHelpPasswdClick(); };
    btnExit.OnClick = [this] { btnExitClick(); };
    chkListPasswd.OnClick = [this] { chkListPasswdClick(); };
    memMemo.OnChange = [this] { memMemoChange(); };
    edtListPasswd.OnChange = [this] { edtListPasswdChange(); };
    edtPrtNum.OnChange = [this] { edtPrtNumChange(); };
    cmbPrinters.OnChange = [this] { cmbPrintersChange(); };
    tmrBatch.OnClick = [this] { tmrBatchTimer(); };
}

std::vector<Control*> TMainForm::Controls() {
    return {&Label1,      &Label3,        &btnAllCheck, &btnAllUncheck, &pnlGrid,       &btnPrint,      &btnAddFile,
            &btnAddFold,  &btnShowFold,   &btnDelFile,  &btnDetail,     &btnMoveUp,     &btnMoveDown,   &btnSortByName,
            &btnFileOpen, &GroupBox2,     &Label4,      &memMemo,       &chkListPasswd, &edtListPasswd, &btnHelpPasswd,
            &Label5,      &edtPrtNum,     &Label2,      &cmbPrinters,   &btnExit,       &tmrBatch,      &mnuFile,
            &mnuListSave, &mnuListSaveAs, &mnuDelFile,  &mnuTextSave,   &mnuPrint,      &mnuSelAll,     &mnuPrintLog};
}

// Start-up.

void TMainForm::FormShow() {
    UpdateControls();
    FillPrinters();
    c_filelist_->ClearList();
    ProcessCommandLine();
    if (!c_reg_->DontShowAboutOnStartup && !batchMode)
        services_.dialogs.ShowAbout(true);
}

void TMainForm::FillPrinters() {
    const std::vector<std::string> printers = services_.spooler.PrinterNames();
    cmbPrinters.SetItems(printers);
    const std::string defaultPrinter = services_.spooler.DefaultPrinterName();
    int selected = -1;
    for (std::size_t i = 0; i < printers.size(); ++i) {
        if (!defaultPrinter.empty() && printers[i] == defaultPrinter) {
            selected = static_cast<int>(i);
            break;
        }
    }
    if (!c_reg_->PrinterSelected.empty()) {
        for (std::size_t i = 0; i < printers.size(); ++i) {
            if (SameTextIgnoringCase(printers[i], c_reg_->PrinterSelected)) {
                selected = static_cast<int>(i);
                break;
            }
        }
    }
    cmbPrinters.SetItemIndex(selected);
}

void TMainForm::ProcessCommandLine() {
    const std::vector<std::string>& arguments = services_.arguments;
    if (arguments.empty())
        return;
    const std::string& first = arguments[0];
    if (first == "/B" && arguments.size() >= 2) {
        batchMode = true;
        // Until the run has ended, closing the window means the batch did not print.
        exitCode_ = ExitCode::Aborted;
        c_print_log_->FileName = arguments.size() >= 3 ? arguments[2] : std::string();
        if (OpenList(arguments[1]))
            tmrBatch.SetEnabled(true);
        else
            exitCode_ = ExitCode::ListNotOpened;
        return;
    }
    if (!first.empty() && first[0] == '/') {
        ShowMessageId(13080);
        return;
    }
    OpenList(first);
}

void TMainForm::tmrBatchTimer() {
    tmrBatch.SetEnabled(false);
    const PrintRunResult result = RunPrint();
    switch (result) {
    case PrintRunResult::Ok:
        exitCode_ = ExitCode::Ok;
        break;
    case PrintRunResult::Aborted:
        exitCode_ = ExitCode::Aborted;
        break;
    case PrintRunResult::SomeFailed:
        exitCode_ = ExitCode::SomeFailed;
        break;
    }
    c_print_log_->WriteFile();
    if (result == PrintRunResult::Ok)
        services_.window.CloseWindow();
}

bool TMainForm::FormCloseQuery() {
    if (closeAccepted_)
        return true;
    if (!AskSaveChanges())
        return false;
    if (printing) {
        // The run is not aborted: the window closes once the run and its final message are over.
        closeAccepted_ = true;
        return false;
    }
    return true;
}

// Operations.

bool TMainForm::AskSaveChanges() {
    if (!c_filelist_->Modified || c_filelist_->RowCount() == 0)
        return true;
    switch (AskYesNoCancel(13007)) {
    case MessageResult::Yes:
        return SaveList(false);
    case MessageResult::No:
        return true;
    default:
        return false;
    }
}

void TMainForm::SetListFileName(const std::string& path) {
    currentListFile = path;
    const std::string title = LoadMessageText(15001);
    caption_ = path.empty() ? title : title + " - " + path;
    services_.window.SetCaption(caption_);
}

bool TMainForm::OpenList(const std::string& path) {
    c_waitcursor cursor;
    const bool loaded = c_listfile_->ReadListFile(path);
    if (loaded) {
        c_reg_->AddRecentFile(path);
        SetListFileName(path);
    }
    UpdateControls();
    return loaded;
}

void TMainForm::OpenListWithDialog() {
    FileDialogSetup dialog = dlgOpen();
    dialog.initialFolder = InitialFolderFor(c_reg_->LastFolderOfList);
    const std::vector<std::string> chosen = services_.dialogs.RunFileDialog(dialog);
    if (chosen.empty())
        return;
    OpenList(chosen[0]);
    c_reg_->LastFolderOfList = ExtractFilePath(chosen[0]);
}

void TMainForm::ListOpenCommand() {
    if (AskSaveChanges())
        OpenListWithDialog();
}

void TMainForm::NewList() {
    if (!AskSaveChanges())
        return;
    c_filelist_->ClearList();
    SetListFileName("");
    UpdateControls();
}

bool TMainForm::SaveList(bool saveAs) {
    if (!c_listfile_->ConfirmListPassword())
        return false;
    if (!saveAs && !currentListFile.empty()) {
        c_waitcursor cursor;
        try {
            c_listfile_->WriteListFile(currentListFile);
        } catch (const c_userexcp&) {
            return false;
        }
        c_reg_->AddRecentFile(currentListFile);
        return true;
    }

    FileDialogSetup dialog = dlgSave();
    if (currentListFile.empty()) {
        dialog.initialFolder = InitialFolderFor(c_reg_->LastFolderOfList);
        dialog.fileName = LoadMessageText(15001) + ".lst";
    } else {
        dialog.initialFolder = ExtractFilePath(currentListFile);
        dialog.fileName = ExtractFileName(currentListFile);
    }
    const std::vector<std::string> chosen = services_.dialogs.RunFileDialog(dialog);
    if (chosen.empty())
        return false;
    const std::string& path = chosen[0];
    {
        c_waitcursor cursor;
        try {
            c_listfile_->WriteListFile(path);
        } catch (const c_userexcp&) {
            return false;
        }
    }
    c_reg_->AddRecentFile(path);
    SetListFileName(path);
    c_reg_->LastFolderOfList = ExtractFilePath(path);
    return true;
}

std::string TMainForm::InitialFolderFor(const std::string& folder) {
    if (!folder.empty()) {
        const std::optional<FileAttributes> attributes = services_.fileSystem.Attributes(folder);
        if (attributes && attributes->folder)
            return folder;
    }
    const std::optional<std::string> documents = services_.window.DocumentsFolder();
    const std::string fallback = documents && !documents->empty() ? *documents : services_.window.CurrentDirectory();
    return IncludeTrailingBackslash(fallback);
}

PrintRunResult TMainForm::RunPrint() {
    printing = true;
    // The request that ended an earlier run must not leave this run's abort button off.
    abortRequested = false;
    UpdateControls();
    const std::string caption = btnPrint.Text();
    btnPrint.SetText(LoadMessageText(15010));
    PrintRunResult result = PrintRunResult::Ok;
    {
        c_waitcursor cursor;
        // The state goes back also when the run throws, so the window is not left in print mode.
        struct Restore {
            TMainForm& form;
            const std::string& caption;
            ~Restore() {
                form.btnPrint.SetText(caption);
                form.printing = false;
                form.UpdateControls();
            }
        } restore{*this, caption};
        c_prn_->SetPrinterName(cmbPrinters.SelectedText());
        result = c_filelist_->PrintAll();
    }
    c_waitcursor cursor;
    switch (result) {
    case PrintRunResult::Aborted:
        ShowMessageId(13082);
        break;
    case PrintRunResult::SomeFailed:
        ShowMessageId(13083);
        break;
    case PrintRunResult::Ok:
        if (!batchMode)
            ShowMessageId(13081);
        break;
    }
    if (closeAccepted_)
        services_.window.CloseWindow();
    return result;
}

void TMainForm::UpdateControls() {
    if (!c_filelist_)
        return;
    const c_filelist& list = *c_filelist_;
    const int entries = list.RowCount();
    const int selected = list.SelectedCount();
    const int first = list.FirstSelected();
    const bool firstIsFolder = selected > 0 && first >= 0 && list.IsFolderEntry(first);
    const bool idle = !printing;

    btnDetail.SetEnabled(idle && selected > 0 && !firstIsFolder);
    btnDelFile.SetEnabled(idle && selected > 0);
    mnuDelFile.SetEnabled(idle && selected > 0);
    btnFileOpen.SetEnabled(idle && selected > 0 && !firstIsFolder);
    const bool anyChecked = list.CountChecked() > 0;
    // Once the abort is asked for, the button stays off until the run has stopped.
    btnPrint.SetEnabled(anyChecked && !(printing && abortRequested));
    mnuPrint.SetEnabled(anyChecked);
    btnSortByName.SetEnabled(idle && entries > 1);
    btnMoveUp.SetEnabled(idle && c_filelist_->MoveSelectedStep(true, true));
    btnMoveDown.SetEnabled(idle && c_filelist_->MoveSelectedStep(false, true));
    mnuListSave.SetEnabled(idle && entries > 0);
    mnuListSaveAs.SetEnabled(idle && entries > 0);
    mnuTextSave.SetEnabled(idle && entries > 0);
    btnAllCheck.SetEnabled(idle && entries > 0);
    btnAllUncheck.SetEnabled(idle && entries > 0);
    mnuSelAll.SetEnabled(entries > 0);
    btnShowFold.SetEnabled(firstIsFolder);
    btnExit.SetEnabled(idle);
    btnAddFile.SetEnabled(idle);
    btnAddFold.SetEnabled(idle);
    mnuFile.SetEnabled(idle);
    mnuPrintLog.SetEnabled(c_print_log_->HasLines());
    edtListPasswd.SetEnabled(chkListPasswd.Checked());
}

void TMainForm::OpenRecentFile(int tag) {
    if (!AskSaveChanges())
        return;
    const std::string path = c_reg_->GetRecentFile(tag);
    OpenList(path);
    services_.window.AddToRecentDocuments(path);
}

void TMainForm::AddFilesWithDialog() {
    FileDialogSetup dialog = dlgFileSel();
    dialog.initialFolder = InitialFolderFor(c_reg_->LastFolderOfAddedFile);
    const std::vector<std::string> chosen = services_.dialogs.RunFileDialog(dialog);
    if (chosen.empty())
        return;
    c_filelist_->AddFiles(chosen, true, c_filelist::kAppend);
    c_reg_->LastFolderOfAddedFile = ExtractFilePath(chosen[0]);
    UpdateControls();
}

void TMainForm::AddFoldersWithDialog() {
    const std::vector<std::string> chosen =
        services_.dialogs.PickFolders(InitialFolderFor(c_reg_->LastFolderOfAddedFile));
    if (chosen.empty())
        return;
    std::vector<std::string> out;
    ExpandFolders(chosen, out);
    if (out.empty())
        return;
    c_filelist_->AddFiles(out, true, c_filelist::kAppend);
    // The next pick starts one level above the folder picked first.
    c_reg_->LastFolderOfAddedFile = ExtractFilePath(chosen[0]);
    UpdateControls();
}

int TMainForm::ChooseFolderAddMode(const std::vector<std::string>& folders, FolderAddMode& mode) {
    TdlgAddFold dialog(folders, mode, c_reg_->AddFolderRecur);
    const int result = services_.dialogs.ShowAddFoldDialog(dialog);
    mode = dialog.Mode();
    return result;
}

int TMainForm::CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out, bool recursive) {
    return services_.dialogs.FolderCollector().CollectFiles(folders, out, recursive);
}

void TMainForm::ExpandFolders(const std::vector<std::string>& folders, std::vector<std::string>& out) {
    if (ChooseFolderAddMode(folders, folderAddMode) != mrOk)
        return;
    if (folderAddMode == FolderAddMode::FolderEntry) {
        for (const std::string& folder : folders)
            out.push_back(IncludeTrailingBackslash(folder));
        return;
    }
    if (folderAddMode != FolderAddMode::Files && folderAddMode != FolderAddMode::FilesRecursive)
        return;
    std::vector<std::string> found;
    // A cancelled walk keeps nothing, also not what it found before the cancel.
    if (CollectFiles(folders, found, folderAddMode == FolderAddMode::FilesRecursive) != mrOk)
        return;
    if (found.empty()) {
        ShowMessageId(13051, SheetsCommaText(folders));
        return;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const std::string& a, const std::string& b) { return CompareTextIgnoringCase(a, b) < 0; });
    out.insert(out.end(), found.begin(), found.end());
}

void TMainForm::AddDroppedFiles(const std::vector<std::string>& names, int x, int y) {
    // The run walks the rows by index: rows inserted under it would be printed twice or skipped. The
    // add commands are off during a run for the same reason.
    if (printing)
        return;
    FileClassifier& classifier = c_filelist_->Classifier();
    std::vector<std::string> collected;
    for (const std::string& name : names) {
        if (!classifier.IsAddable(name)) {
            ShowMessageId(names.size() == 1 ? 13022 : 13021, name);
            continue;
        }
        if (classifier.FileKindOf(name) == FileKind::Folder)
            ExpandFolder(name, collected);
        else
            collected.push_back(name);
    }
    // Nothing to add leaves the list as it was, not marked as changed.
    if (collected.empty())
        return;
    if (collected.size() > static_cast<std::size_t>(c_reg::ManyFilesThreshold) &&
        AskOkCancel(13086, static_cast<std::int32_t>(collected.size())) != MessageResult::Ok)
        return;
    c_filelist_->AddFilesAt(collected, x, y);
    UpdateControls();
}

void TMainForm::ReadTextWithDialog() {
    FileDialogSetup dialog = dlgTextRead();
    dialog.initialFolder = InitialFolderFor(c_reg_->LastFolderOfTextFile);
    const std::vector<std::string> chosen = services_.dialogs.RunFileDialog(dialog);
    if (chosen.empty())
        return;
    {
        c_waitcursor cursor;
        ImportTextList(*c_filelist_, services_.fileSystem, chosen[0]);
    }
    c_reg_->LastFolderOfTextFile = ExtractFilePath(chosen[0]);
    UpdateControls();
}

void TMainForm::mnuTextReadClick() {
    if (AskSaveChanges())
        ReadTextWithDialog();
}

void TMainForm::SaveTextWithDialog() {
    FileDialogSetup dialog = dlgTextSave();
    dialog.initialFolder = InitialFolderFor(c_reg_->LastFolderOfTextFile);
    const std::vector<std::string> chosen = services_.dialogs.RunFileDialog(dialog);
    if (chosen.empty())
        return;
    {
        c_waitcursor cursor;
        ExportTextList(*c_filelist_, services_.fileSystem, chosen[0]);
    }
    c_reg_->LastFolderOfTextFile = ExtractFilePath(chosen[0]);
}

// Commands.

void TMainForm::btnPrintClick() {
    if (printing) {
        abortRequested = true;
        btnPrint.SetEnabled(false);
        return;
    }
    RunPrint();
}

void TMainForm::mnuPrintClick() {
    // The File menu and its shortcut are off during a run.
    if (!printing && mnuPrint.Enabled())
        RunPrint();
}

void TMainForm::btnDelFileClick() {
    c_filelist& list = *c_filelist_;
    const int top = list.FirstSelected();
    if (top < 0)
        return;
    list.RemoveSelected();
    if (list.RowCount() > 0)
        list.SetSelected(top < list.RowCount() ? top : list.RowCount() - 1, true);
    list.Modified = true;
    UpdateControls();
}

void TMainForm::btnDetailClick() {
    c_filelist_->EditSelected();
    UpdateControls();
}

void TMainForm::btnMoveUpClick() {
    c_filelist_->MoveSelectedStep(true, false);
    services_.window.FocusList();
    UpdateControls();
}

void TMainForm::btnMoveDownClick() {
    c_filelist_->MoveSelectedStep(false, false);
    services_.window.FocusList();
    UpdateControls();
}

void TMainForm::btnSortByNameClick() {
    c_filelist_->SortByPath();
    c_filelist_->Modified = true;
    UpdateControls();
}

void TMainForm::btnAllCheckClick() {
    c_filelist_->SetAllChecked(true);
    UpdateControls();
}

void TMainForm::btnAllUncheckClick() {
    c_filelist_->SetAllChecked(false);
    UpdateControls();
}

void TMainForm::mnuSelAllClick() {
    if (!mnuSelAll.Enabled())
        return;
    c_filelist_->SelectAll();
    UpdateControls();
}

void TMainForm::btnShowFoldClick() {
    c_filelist_->ShowFolderOfSelected(false);
}

void TMainForm::btnFileOpenClick() {
    c_filelist_->OpenSelectedFiles();
}

void TMainForm::btnAddFoldClick() {
    AddFoldersWithDialog();
    UpdateControls();
}

void TMainForm::btnExitClick() {
    services_.window.CloseWindow();
}

void TMainForm::btnHelpPasswdClick() {
    services_.dialogs.ShowHelp(kHelpListPassword);
}

void TMainForm::memMemoChange() {
    c_filelist_->Modified = true;
}

void TMainForm::edtListPasswdChange() {
    c_filelist_->Modified = true;
}

void TMainForm::chkListPasswdClick() {
    c_filelist_->Modified = true;
    UpdateControls();
}

void TMainForm::edtPrtNumChange() {
    const std::optional<long> copies = ReadNumber(edtPrtNum.Text());
    if (copies && *copies < 1)
        edtPrtNum.SetText("1");
}

void TMainForm::cmbPrintersChange() {
    c_reg_->PrinterSelected = cmbPrinters.SelectedText();
}

void TMainForm::mnuHelpHelpClick() {
    services_.dialogs.ShowHelp(kHelpTopics);
}

void TMainForm::HelpKey() {
    services_.dialogs.ShowHelp(kHelpMainWindow);
}

void TMainForm::mnuAboutClick() {
    services_.dialogs.ShowAbout(false);
}

void TMainForm::mnuOptionsClick() {
    services_.dialogs.ShowOptions();
}

void TMainForm::mnuPrintLogClick() {
    services_.dialogs.ShowPrintLog();
}

void TMainForm::mnuFileOpened(MenuItems& fileMenu, const TextMeasure& measure) {
    c_reg_->RebuildRecentMenu(fileMenu, "mnuSep2", IncludeTrailingBackslash(services_.window.CurrentDirectory()),
                              measure);
    UpdateControls();
}

void TMainForm::MenuClick(MenuCommand command) {
    // Shortcuts reach here even while their item is disabled.
    const auto fileMenuUsable = [this] { return mnuFile.Enabled(); };
    switch (command) {
    case MenuCommand::ListNew:
    case MenuCommand::Close:
        if (fileMenuUsable())
            NewList();
        break;
    case MenuCommand::ListOpen:
        if (fileMenuUsable())
            ListOpenCommand();
        break;
    case MenuCommand::ListSave:
        if (fileMenuUsable() && mnuListSave.Enabled())
            SaveList(false);
        break;
    case MenuCommand::ListSaveAs:
        if (fileMenuUsable() && mnuListSaveAs.Enabled())
            SaveList(true);
        break;
    case MenuCommand::AddFile:
        if (fileMenuUsable())
            AddFilesWithDialog();
        break;
    case MenuCommand::AddFold:
        if (fileMenuUsable())
            btnAddFoldClick();
        break;
    case MenuCommand::DelFile:
        if (fileMenuUsable() && mnuDelFile.Enabled())
            btnDelFileClick();
        break;
    case MenuCommand::TextRead:
        if (fileMenuUsable())
            mnuTextReadClick();
        break;
    case MenuCommand::TextSave:
        if (fileMenuUsable() && mnuTextSave.Enabled())
            SaveTextWithDialog();
        break;
    case MenuCommand::Print:
        if (fileMenuUsable())
            mnuPrintClick();
        break;
    case MenuCommand::Exit:
        if (fileMenuUsable())
            btnExitClick();
        break;
    case MenuCommand::SelAll:
        mnuSelAllClick();
        break;
    case MenuCommand::PrintLog:
        if (mnuPrintLog.Enabled())
            mnuPrintLogClick();
        break;
    case MenuCommand::Options:
        mnuOptionsClick();
        break;
    case MenuCommand::HelpHelp:
        mnuHelpHelpClick();
        break;
    case MenuCommand::About:
        mnuAboutClick();
        break;
    default:
        break;
    }
}

// ListHost.

void TMainForm::ResetListInformation() {
    memMemo.SetText("");
    chkListPasswd.SetChecked(false);
    edtListPasswd.SetText("");
}

void TMainForm::ResetCopies() {
    edtPrtNum.SetText("1");
}

std::string TMainForm::CopiesText() {
    return edtPrtNum.Text();
}

void TMainForm::SetCopiesText(const std::string& text) {
    edtPrtNum.SetText(text);
}

std::string TMainForm::CurrentListFile() {
    return currentListFile;
}

void TMainForm::ListChangeNotified() {
    UpdateControls();
}

std::string TMainForm::MemoText() {
    return memMemo.Text();
}

void TMainForm::SetMemoText(const std::string& text) {
    memMemo.SetText(text);
}

bool TMainForm::ListPasswordChecked() {
    return chkListPasswd.Checked();
}

void TMainForm::SetListPasswordChecked(bool checked) {
    chkListPasswd.SetChecked(checked);
    UpdateControls();
}

std::string TMainForm::ListPasswordText() {
    return edtListPasswd.Text();
}

void TMainForm::SetListPasswordText(const std::string& text) {
    edtListPasswd.SetText(text);
}

void TMainForm::FocusListPassword() {
    edtListPasswd.SetFocus();
}

} // namespace tarvoline
