#include "main_form_dialogs.h"

#include <commdlg.h>

#include "base/wide_text.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "folder_picker_win32.h"
#include "forms/dialogs.h"
#include "forms/entry_dialogs.h"
#include "forms/fold_files_dialog.h"
#include "forms/folder_dialogs.h"
#include "forms/help.h"
#include "main_window.h"
#include "print/print_run.h"

namespace tarvoline {

std::vector<std::wstring> SplitDialogSelection(const wchar_t* buffer) {
    std::vector<std::wstring> parts;
    for (const wchar_t* part = buffer; *part; part += wcslen(part) + 1)
        parts.emplace_back(part);
    if (parts.size() <= 1)
        return parts;
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    std::vector<std::wstring> paths;
    for (std::size_t i = 1; i < parts.size(); ++i)
        paths.push_back(folder + parts[i]);
    return paths;
}

std::vector<std::string> Win32MainFormDialogs::RunFileDialog(const FileDialogSetup& dialog) {
    // "description\0patterns\0...\0\0"
    std::wstring filter;
    for (const FileDialogFilter& each : dialog.filters) {
        filter += ToWide(each.description);
        filter.push_back(L'\0');
        filter += ToWide(each.patterns);
        filter.push_back(L'\0');
    }
    filter.push_back(L'\0');
    std::wstring buffer(dialog.multiSelect ? 65536 : 4096, L'\0');
    const std::wstring name = ToWide(dialog.fileName);
    name.copy(buffer.data(), std::min(name.size(), buffer.size() - 1));
    const std::wstring folder = ToWide(dialog.initialFolder);
    const std::wstring extension = ToWide(dialog.defaultExtension);

    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = window_.Handle();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = buffer.data();
    request.nMaxFile = static_cast<DWORD>(buffer.size());
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    request.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (dialog.multiSelect)
        request.Flags |= OFN_ALLOWMULTISELECT;
    if (dialog.overwritePrompt)
        request.Flags |= OFN_OVERWRITEPROMPT;
    if (dialog.hideReadOnly)
        request.Flags |= OFN_HIDEREADONLY;
    if (dialog.resizable)
        request.Flags |= OFN_ENABLESIZING;
    const BOOL chosen = dialog.kind == FileDialogKind::Save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (!chosen)
        return {};
    std::vector<std::string> paths;
    for (const std::wstring& path : SplitDialogSelection(buffer.c_str())) {
        // A name without a code page 932 form cannot be opened through the ANSI functions.
        if (auto ansi = Utf16ToAnsi(std::u16string(path.begin(), path.end())))
            paths.push_back(*ansi);
    }
    return paths;
}

void Win32MainFormDialogs::ShowOptions() {
    if (form_)
        ShowOptionsDialog(window_.Handle(), form_->Settings(), form_->FileList());
}

void Win32MainFormDialogs::ShowPrintLog() {
    if (form_)
        ShowPrintLogWindow(window_.Handle(), form_->Settings(), form_->PrintLog());
}

void Win32MainFormDialogs::ShowAbout(bool) {
    if (form_)
        ShowAboutDialog(window_.Handle(), form_->Settings(), fileSystem_);
}

void Win32MainFormDialogs::ShowHelp(int context) {
    tarvoline::ShowHelp(window_.Handle(), context);
}

bool Win32MainFormDialogs::ShowEntryDetail(int row) {
    if (!form_)
        return false;
    ExcelSheetNames sheetNames(form_->ExcelHandler());
    return ShowEntryDetailDialog(window_.Handle(), form_->FileList(), row, sheetNames) == mrOk;
}

std::vector<std::string> Win32MainFormDialogs::PickFolders(const std::string& initialFolder) {
    return tarvoline::PickFolders(window_.Handle(), initialFolder);
}

int Win32MainFormDialogs::ShowAddFoldDialog(TdlgAddFold& dialog) {
    return tarvoline::ShowAddFoldDialog(window_.Handle(), dialog);
}

FolderFileCollector& Win32MainFormDialogs::FolderCollector() {
    if (collector_)
        return *collector_;
    // The documents are told apart by the form's classifier, so the form must be set by now.
    if (!folderCollector_)
        folderCollector_ = std::make_unique<Win32FolderFileCollector>(window_.Handle(), form_->FileList().Classifier());
    return *folderCollector_;
}

void Win32MainFormDialogs::ShowFolderFiles(const std::string& folderPath) {
    ShowFolderWindow(folderPath, FolderWindowMode::BrowseFolder);
}

int Win32MainFormDialogs::PrintFolderEntry(const std::string& folderPath) {
    return ShowFolderWindow(folderPath, FolderWindowMode::PrintFolder);
}

int Win32MainFormDialogs::ShowFolderWindow(const std::string& folderPath, FolderWindowMode mode) {
    if (!form_) {
        // Nothing can be listed before the form exists, and an unlisted folder must not pass for printed.
        ShowInternalError(mode == FolderWindowMode::PrintFolder ? "PrintFolderEntry" : "ShowFolderFiles", 0, 0);
        return kPrintFailed;
    }
    const FoldFilesServices services{form_->Settings(), FolderCollector(), form_->FileList().Classifier(),
                                     form_->Entries(), folderPauseClock_};
    return ShowFolderFilesWindow(window_.Handle(), window_.RowIcons(), services, folderPath, mode);
}

} // namespace tarvoline
