#include "forms/dialogs.h"

#include <vector>

#include "app/about_dialog.h"
#include "app/options_dialog.h"
#include "app/print_log_window.h"
#include "forms/form_binder.h"
#include "forms/form_ids.h"
#include "forms/window_placement.h"
#include "list/filelist.h"

namespace tarvoline {

int ShowOptionsDialog(HWND owner, c_reg& reg, c_filelist& list) {
    return ShowOptionsDialog(owner, reg, [&list] { list.RefreshPasswordColumn(); });
}

int ShowOptionsDialog(HWND owner, c_reg& reg, std::function<void()> refreshPasswordColumn) {
    TdlgOptions form(reg, std::move(refreshPasswordColumn));
    FormLook look;
    look.clientWidth = 439;
    look.clientHeight = 424;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 12;
    FormBinder binder(form,
                      {{"grbExcel", IDC_OPT_GRB_EXCEL},
                       {"rdoExrngBook", IDC_OPT_RDO_BOOK},
                       {"rdoExrngActiveSheet", IDC_OPT_RDO_ACTIVE},
                       {"grbFold", IDC_OPT_GRB_FOLD},
                       {"chkFoldSub", IDC_OPT_CHK_FOLDSUB},
                       {"grpPass", IDC_OPT_GRP_PASS},
                       {"chkPasswdShow", IDC_OPT_CHK_PASSWD},
                       {"grpAllowOther", IDC_OPT_GRP_OTHER},
                       {"chkAllowOther", IDC_OPT_CHK_OTHER},
                       {"Memo1", IDC_OPT_MEMO},
                       {"btnOk", IDOK},
                       {"btnCancel", IDC_OPT_CANCEL},
                       {"btnHelp", IDC_OPT_HELP}},
                      look);
    return binder.ShowModal(owner, IDD_OPTIONS);
}

void ShowPrintLogWindow(HWND owner, c_reg& reg, const c_print_log& log) {
    WindowPlacement placement;
    TfrmPrintLog form(reg, log, placement);
    FormLook look;
    look.clientWidth = 931;
    look.clientHeight = 669;
    look.minClientWidth = 500;
    look.minClientHeight = 300;
    look.fontFace = L"Tahoma";
    look.fontPixels = 13;
    look.controls = {{"memLog", L"ＭＳ ゴシック", 13, akLeft | akTop | akRight | akBottom},
                     {"btnClose", nullptr, 0, akBottom}};
    FormBinder binder(form, {{"memLog", IDC_LOG_MEMO}, {"btnClose", IDCANCEL}}, look);
    binder.OnCreated = [&placement](HWND window) { placement.Attach(window); };
    binder.ShowModal(owner, IDD_PRINT_LOG);
}

std::string ProgramFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    // The folder ends at the last backslash that is not the second byte of a double-byte character.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(folder[i])) && i + 1 < folder.size())
            ++i;
        else if (folder[i] == '\\')
            last = i;
    }
    return last == std::string::npos ? std::string() : folder.substr(0, last);
}

std::string ProgramVersionText() {
    wchar_t path[MAX_PATH + 1] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return {};
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!GetFileVersionInfoW(path, 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info)
        return {};
    return FileVersionText(info->dwFileVersionMS, info->dwFileVersionLS);
}

void ShowAboutDialog(HWND owner, c_reg& reg, FileSystem& fileSystem) {
    TdlgAbout form(reg, fileSystem, ProgramFolder(), ProgramVersionText());
    FormLook look;
    look.clientWidth = 634;
    look.clientHeight = 640;
    look.fontFace = L"ＭＳ Ｐゴシック";
    look.fontPixels = 13;
    look.controls = {{"lblProductName", L"ＭＳ Ｐゴシック", 16},
                     {"lblProduct", L"ＭＳ Ｐゴシック", 27},
                     {"memAbout", L"ＭＳ ゴシック", 13}};
    FormBinder binder(form,
                      {{"Image1", IDC_ABOUT_IMAGE},
                       {"lblProductName", IDC_ABOUT_PRODUCT_NAME},
                       {"lblProduct", IDC_ABOUT_PRODUCT},
                       {"lblVersion", IDC_ABOUT_VERSION},
                       {"memAbout", IDC_ABOUT_MEMO},
                       {"chkDontShowAbout", IDC_ABOUT_DONT_SHOW},
                       {"btnOk", IDOK}},
                      look);
    binder.OnCreated = [](HWND window) {
        // The program's own icon when it has one, else the system's application icon.
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
        if (!icon)
            icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        SendDlgItemMessageW(window, IDC_ABOUT_IMAGE, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    };
    binder.ShowModal(owner, IDD_ABOUT);
}

} // namespace tarvoline
