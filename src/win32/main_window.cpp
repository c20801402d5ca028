#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

#include <array>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/wide_text.h"
#include "common/encoding.h"
#include "common/messages.h"
#include "exception_box.h"
#include "main_menu_win32.h"
#include "win32_ui.h"

namespace tarvoline {

namespace {

constexpr int kDesignClientWidth = 740;
constexpr int kDesignClientHeight = 697;
constexpr int kDesignMinWidth = 700;
constexpr int kDesignMinHeight = 600;
constexpr int kDesignFontHeight = 13;
// Not WS_CLIPCHILDREN: a group box paints only its frame, the window paints what lies inside it.
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;

constexpr UINT kFormShowMessage = WM_APP + 1;
constexpr UINT_PTR kBatchTimerId = 1;
constexpr int kFirstControlId = 1000;
constexpr int kListId = 999;

// How a control follows the window when it is resized.
enum Anchor : int {
    AnchorFixed = 0,
    AnchorRight = 1,       // moves with the right edge
    AnchorBottom = 2,      // moves with the bottom edge
    AnchorBottomRight = 3, // moves with both
    AnchorGrow = 4,        // grows with both
    AnchorBottomWide = 5,  // moves with the bottom edge, grows with the width
};

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, MainWindow::kClassName, &windowClass))
        return;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindow::kClassName;
    if (!RegisterClassExW(&windowClass))
        throw std::runtime_error("RegisterClassExW failed");
}

std::wstring WindowTextOf(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string AnsiOf(const std::wstring& wide) {
    return Utf16ToAnsiReplacing(std::u16string(wide.begin(), wide.end()));
}

// A 16 x 16 picture drawn with GDI on a magenta key colour, for an image list with a mask.
using Painter = void (*)(HDC dc);
HBITMAP PaintBitmap(Painter paint) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    const HBRUSH key = CreateSolidBrush(RGB(255, 0, 255));
    RECT all{0, 0, 16, 16};
    FillRect(dc, &all, key);
    DeleteObject(key);
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void FillBox(HDC dc, int left, int top, int right, int bottom, COLORREF fill, COLORREF frame) {
    const HBRUSH brush = CreateSolidBrush(fill);
    const HPEN pen = CreatePen(PS_SOLID, 1, frame);
    const HGDIOBJ oldBrush = SelectObject(dc, brush);
    const HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, left, top, right, bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Letter(HDC dc, const wchar_t* text, COLORREF colour) {
    const HFONT font = CreateFontW(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Arial");
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT box{1, 1, 15, 15};
    DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
    DeleteObject(font);
}

void DocumentIcon(HDC dc, COLORREF colour, const wchar_t* letter) {
    FillBox(dc, 1, 1, 15, 15, colour, RGB(40, 40, 40));
    Letter(dc, letter, RGB(255, 255, 255));
}

// The row icons in RowIcon order: Word, PowerPoint, Excel, PDF, printing, folder, Visio, other.
const std::array<Painter, 8> kRowIconPainters = {
    [](HDC dc) { DocumentIcon(dc, RGB(43, 87, 154), L"W"); },
    [](HDC dc) { DocumentIcon(dc, RGB(208, 68, 35), L"P"); },
    [](HDC dc) { DocumentIcon(dc, RGB(33, 115, 70), L"X"); },
    [](HDC dc) { DocumentIcon(dc, RGB(200, 20, 20), L"A"); },
    [](HDC dc) {
        FillBox(dc, 4, 1, 12, 7, RGB(255, 255, 255), RGB(60, 60, 60));  // paper
        FillBox(dc, 1, 6, 15, 13, RGB(150, 150, 150), RGB(60, 60, 60)); // printer body
        FillBox(dc, 4, 11, 12, 15, RGB(255, 255, 255), RGB(60, 60, 60));
    },
    [](HDC dc) {
        FillBox(dc, 1, 3, 7, 6, RGB(230, 180, 40), RGB(150, 110, 20)); // tab
        FillBox(dc, 1, 5, 15, 14, RGB(250, 205, 70), RGB(150, 110, 20));
    },
    [](HDC dc) { DocumentIcon(dc, RGB(110, 60, 160), L"V"); },
    [](HDC dc) {
        FillBox(dc, 3, 1, 13, 15, RGB(255, 255, 255), RGB(90, 90, 90));
        Letter(dc, L"?", RGB(90, 90, 90));
    },
};

const std::array<Painter, 2> kCheckPainters = {
    [](HDC dc) { FillBox(dc, 2, 2, 15, 15, RGB(255, 255, 255), RGB(80, 80, 80)); },
    [](HDC dc) {
        FillBox(dc, 2, 2, 15, 15, RGB(255, 255, 255), RGB(80, 80, 80));
        const HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
        const HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 4, 8, nullptr);
        LineTo(dc, 7, 11);
        LineTo(dc, 13, 4);
        SelectObject(dc, old);
        DeleteObject(pen);
    },
};

template <std::size_t N> HIMAGELIST BuildImageList(const std::array<Painter, N>& painters) {
    const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, static_cast<int>(N), 0);
    for (Painter paint : painters) {
        const HBITMAP bitmap = PaintBitmap(paint);
        ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
        DeleteObject(bitmap);
    }
    return list;
}

} // namespace

HIMAGELIST BuildRowIconList() {
    return BuildImageList(kRowIconPainters);
}

MainWindow::~MainWindow() {
    if (hwnd_)
        DestroyWindow(hwnd_);
    if (icons_)
        ImageList_Destroy(icons_);
    if (checks_)
        ImageList_Destroy(checks_);
}

int MainWindow::Scale(int designPixels) const {
    return MulDiv(designPixels, dpi_, 96);
}

void MainWindow::Create(HINSTANCE instance, int showCommand) {
    dpi_ = ScreenDpi();
    RegisterWindowClass(instance, &MainWindow::WindowProc);

    UniqueMenu menuBar = BuildMenuBar(MainMenuItems());
    accelerators_ = BuildAccelerators(MainMenuItems());

    // The design size is the client area, the status bar included.
    RECT frame{0, 0, Scale(kDesignClientWidth), Scale(kDesignClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, TRUE, kExStyle);
    const std::wstring caption = ToWide(kApplicationTitle);
    const HWND hwnd =
        CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, menuBar.get(), instance, this);
    if (!hwnd) {
        if (createError_)
            std::rethrow_exception(std::exchange(createError_, nullptr));
        throw std::runtime_error("CreateWindowExW failed");
    }
    menuBar.release(); // the window destroys its menu

    FitIntoWorkArea();
    if (showCommand != SW_HIDE) {
        ShowWindow(hwnd_, showCommand);
        UpdateWindow(hwnd_);
    }
}

void MainWindow::Show(int showCommand) {
    if (!hwnd_)
        return;
    if (pendingState_ == kWindowMaximized)
        showCommand = SW_SHOWMAXIMIZED;
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    // FormShow runs from the message loop, once the window has been painted.
    PostMessageW(hwnd_, kFormShowMessage, 0, 0);
}

void MainWindow::FormCreate() {
    // Files dragged from the shell arrive as WM_DROPFILES.
    DragAcceptFiles(hwnd_, TRUE);
    const std::wstring fontName = ToWide("ＭＳ Ｐゴシック");
    font_.reset(CreateFontW(-Scale(kDesignFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            fontName.c_str()));

    // No size grip: the status bar shows one simple panel only.
    stbStatus_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (!stbStatus_)
        throw std::runtime_error("status bar creation failed");
    SendMessageW(stbStatus_, SB_SIMPLE, TRUE, 0);
}

void MainWindow::FitIntoWorkArea() {
    // CW_USEDEFAULT may put a window this tall partly below a small screen.
    RECT window;
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& work = monitor.rcWork;
    LONG left = window.left;
    LONG top = window.top;
    if (window.right > work.right)
        left = work.right - (window.right - window.left);
    if (window.bottom > work.bottom)
        top = work.bottom - (window.bottom - window.top);
    if (left < work.left)
        left = work.left;
    if (top < work.top)
        top = work.top;
    if (left != window.left || top != window.top) {
        SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainWindow::SetStatusText(std::string_view text) {
    if (!stbStatus_)
        return;
    const std::wstring wide = ToWide(text);
    SendMessageW(stbStatus_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
}

// ---- child controls ----

HWND MainWindow::AddControl(Control& control, const wchar_t* className, DWORD style, int x, int y, int width,
                            int height, int anchor, DWORD exStyle) {
    const int id = kFirstControlId + static_cast<int>(placed_.size());
    const HWND child =
        CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, Scale(x), Scale(y), Scale(width),
                        Scale(height), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (!child)
        throw std::runtime_error("control creation failed: " + control.Name());
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    placed_[&control] = Placed{&control, child, RECT{x, y, width, height}, anchor};
    byHandle_[child] = &control;
    return child;
}

void MainWindow::CreateListView(int x, int y, int width, int height) {
    // Shared image lists: the folder contents window shows the same icons, and the window destroys them.
    lstFiles_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
        Scale(x), Scale(y), Scale(width), Scale(height), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (!lstFiles_)
        throw std::runtime_error("list view creation failed");
    SendMessageW(lstFiles_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(lstFiles_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    icons_ = BuildRowIconList();
    checks_ = BuildImageList(kCheckPainters);
    SendMessageW(lstFiles_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons_));
    SendMessageW(lstFiles_, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(checks_));
    // The check boxes are the rows' state images, asked of the model like the texts.
    SendMessageW(lstFiles_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);

    const auto& widths = form_->FileList().ColumnWidths();
    for (int column = 0; column < kListColumnCount; ++column) {
        std::wstring title = ToWide(LoadMessageText(kColumnTitleIds[static_cast<std::size_t>(column)]));
        LVCOLUMNW header{};
        header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        header.pszText = title.data();
        header.cx = Scale(widths[static_cast<std::size_t>(column)]);
        header.iSubItem = column;
        SendMessageW(lstFiles_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    }
    placed_[&form_->pnlGrid] = Placed{&form_->pnlGrid, lstFiles_, RECT{x, y, width, height}, AnchorGrow};
    byHandle_[lstFiles_] = &form_->pnlGrid;
}

void MainWindow::CreateChildControls() {
    TMainForm& f = *form_;
    constexpr DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
    AddControl(f.Label1, WC_STATICW, SS_LEFT, 8, 8, 200, 16, AnchorFixed);
    AddControl(f.Label3, WC_STATICW, SS_LEFT, 8, 26, 724, 16, AnchorFixed);
    AddControl(f.btnAllCheck, WC_BUTTONW, button, 8, 46, 64, 22, AnchorFixed);
    AddControl(f.btnAllUncheck, WC_BUTTONW, button, 76, 46, 64, 22, AnchorFixed);
    CreateListView(8, 72, 592, 400);

    // Right column.
    AddControl(f.btnPrint, WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON, 608, 72, 124, 44, AnchorRight);
    AddControl(f.btnAddFile, WC_BUTTONW, button, 608, 126, 124, 28, AnchorRight);
    AddControl(f.btnAddFold, WC_BUTTONW, button, 608, 158, 124, 28, AnchorRight);
    AddControl(f.btnShowFold, WC_BUTTONW, button, 608, 190, 124, 28, AnchorRight);
    AddControl(f.btnDelFile, WC_BUTTONW, button, 608, 230, 124, 28, AnchorRight);
    AddControl(f.btnDetail, WC_BUTTONW, button, 608, 262, 124, 28, AnchorRight);
    AddControl(f.btnMoveUp, WC_BUTTONW, button, 608, 302, 124, 28, AnchorRight);
    AddControl(f.btnMoveDown, WC_BUTTONW, button, 608, 334, 124, 28, AnchorRight);
    AddControl(f.btnSortByName, WC_BUTTONW, button, 608, 374, 124, 28, AnchorRight);
    AddControl(f.btnFileOpen, WC_BUTTONW, button, 608, 414, 124, 28, AnchorRight);

    // The list's information below it.
    AddControl(f.GroupBox2, WC_BUTTONW, BS_GROUPBOX, 8, 480, 724, 126, AnchorBottomWide);
    AddControl(f.Label4, WC_STATICW, SS_LEFT, 18, 498, 60, 16, AnchorBottom);
    AddControl(f.memMemo, WC_EDITW, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 18, 516,
               420, 82, AnchorBottomWide, WS_EX_CLIENTEDGE);
    AddControl(f.chkListPasswd, WC_BUTTONW, WS_TABSTOP | BS_CHECKBOX, 452, 496, 140, 20, AnchorBottomRight);
    const HWND password = AddControl(f.edtListPasswd, WC_EDITW, WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 452, 520,
                                     150, 22, AnchorBottomRight, WS_EX_CLIENTEDGE);
    SendMessageW(password, EM_SETPASSWORDCHAR, L'*', 0);
    AddControl(f.btnHelpPasswd, WC_BUTTONW, button, 610, 520, 72, 22, AnchorBottomRight);
    AddControl(f.Label5, WC_STATICW, SS_LEFT, 452, 562, 74, 16, AnchorBottomRight);
    const HWND copies = AddControl(f.edtPrtNum, WC_EDITW, WS_TABSTOP | ES_NUMBER | ES_RIGHT, 528, 558, 54, 22,
                                   AnchorBottomRight, WS_EX_CLIENTEDGE);
    updPrtNum_ = CreateWindowExW(
        0, UPDOWN_CLASSW, L"",
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 0, 0, hwnd_,
        nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    SendMessageW(updPrtNum_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(copies), 0);
    SendMessageW(updPrtNum_, UDM_SETRANGE32, 0, 100);

    // Along the bottom.
    AddControl(f.Label2, WC_STATICW, SS_LEFT, 8, 624, 110, 16, AnchorBottom);
    AddControl(f.cmbPrinters, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 120, 620, 400, 240,
               AnchorBottom);
    AddControl(f.btnExit, WC_BUTTONW, button, 608, 616, 124, 28, AnchorBottomRight);
}

void MainWindow::LayoutChildren() {
    if (placed_.empty() || !stbStatus_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    // Differences from the design size; the status bar keeps its height.
    const int dx = client.right - Scale(kDesignClientWidth);
    const int dy = client.bottom - Scale(kDesignClientHeight);
    HDWP positions = BeginDeferWindowPos(static_cast<int>(placed_.size()));
    for (const auto& [control, place] : placed_) {
        int x = Scale(place.design.left);
        int y = Scale(place.design.top);
        int width = Scale(place.design.right);
        int height = Scale(place.design.bottom);
        switch (place.anchor) {
        case AnchorRight:
            x += dx;
            break;
        case AnchorBottom:
            y += dy;
            break;
        case AnchorBottomRight:
            x += dx;
            y += dy;
            break;
        case AnchorGrow:
            width += dx;
            height += dy;
            break;
        case AnchorBottomWide:
            y += dy;
            width += dx;
            break;
        default:
            break;
        }
        if (positions)
            positions =
                DeferWindowPos(positions, place.hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        EndDeferWindowPos(positions);
    if (updPrtNum_)
        SendMessageW(updPrtNum_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(placed_.at(&form_->edtPrtNum).hwnd), 0);
}

void MainWindow::Attach(TMainForm& form) {
    form_ = &form;
    CreateChildControls();
    LayoutChildren();
    for (Control* control : form.Controls()) {
        control->SetSink(this);
        ControlChanged(*control);
    }
    form.FileList().SetView(this);
    RowsChanged();
    CreateToolTips();
    if (const HMENU menu = GetMenu(hwnd_))
        fileMenu_ = std::make_unique<Win32FileMenuItems>(GetSubMenu(menu, 0));
}

HWND MainWindow::ControlHandle(const std::string& name) const {
    for (const auto& [control, place] : placed_) {
        if (control->Name() == name)
            return place.hwnd;
    }
    return nullptr;
}

void MainWindow::CreateToolTips() {
    tips_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                        hwnd_, nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE)), nullptr);
    if (!tips_)
        return; // hints are a help, not a condition for working
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, Scale(400));
    for (const auto& [control, place] : placed_) {
        // Every control gets a tool, so a hint set later shows too; the text is asked for when shown.
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(place.hwnd);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void MainWindow::ShowHint(NMTTDISPINFOW* request) {
    const auto found = byHandle_.find(reinterpret_cast<HWND>(request->hdr.idFrom));
    const std::string hint = found != byHandle_.end() ? found->second->Hint() : std::string();
    tipText_ = ToWide(hint);
    request->lpszText = tipText_.data();
    request->szText[0] = L'\0';
    request->hinst = nullptr;
    // The status bar shows the hint of the control under the mouse too.
    SetStatusText(hint);
}

c_filelist* MainWindow::Files() const {
    return form_ ? &form_->FileList() : nullptr;
}

void MainWindow::ApplyMenuState(Control& control) {
    const HMENU menu = GetMenu(hwnd_);
    if (!menu)
        return;
    const UINT state = control.Enabled() ? MF_ENABLED : MF_GRAYED;
    const MainMenuItem* item = FindMainMenuItem(control.Name());
    if (!item)
        return;
    if (item->IsTopLevel()) {
        // A menu of the menu bar is found by its position.
        int position = 0;
        for (const MainMenuItem& each : MainMenuItems()) {
            if (!each.IsTopLevel())
                continue;
            if (&each == item)
                break;
            ++position;
        }
        EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | state);
        DrawMenuBar(hwnd_);
        return;
    }
    EnableMenuItem(menu, static_cast<UINT>(item->command), MF_BYCOMMAND | state);
}

void MainWindow::ControlChanged(Control& control) {
    if (!hwnd_ || !form_)
        return;
    if (&control == &form_->tmrBatch) {
        if (control.Enabled())
            SetTimer(hwnd_, kBatchTimerId, TMainForm::kBatchTimerInterval, nullptr);
        else
            KillTimer(hwnd_, kBatchTimerId);
        return;
    }
    const auto found = placed_.find(&control);
    if (found == placed_.end()) {
        ApplyMenuState(control);
        return;
    }
    const HWND child = found->second.hwnd;
    const bool applying = std::exchange(applying_, true);
    if (auto* list = dynamic_cast<ListControl*>(&control)) {
        SendMessageW(child, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : list->Items()) {
            const std::wstring wide = ToWide(item);
            SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        SendMessageW(child, CB_SETCURSEL, static_cast<WPARAM>(list->ItemIndex()), 0);
    } else if (child != lstFiles_) {
        const std::wstring text = ToWide(control.Text());
        if (WindowTextOf(child) != text)
            SetWindowTextW(child, text.c_str());
    }
    if (auto* check = dynamic_cast<CheckControl*>(&control))
        SendMessageW(child, BM_SETCHECK, check->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    if ((IsWindowEnabled(child) != FALSE) != control.Enabled())
        EnableWindow(child, control.Enabled());
    if (&control == &form_->edtPrtNum && updPrtNum_)
        EnableWindow(updPrtNum_, control.Enabled());
    if ((IsWindowVisible(child) != FALSE) != control.Visible())
        ShowWindow(child, control.Visible() ? SW_SHOW : SW_HIDE);
    if (control.Focused()) {
        control.FocusDone();
        SetFocus(child);
    }
    applying_ = applying;
}

void MainWindow::ControlCommand(HWND child, WORD code) {
    const auto found = byHandle_.find(child);
    if (found == byHandle_.end() || applying_)
        return;
    Control& control = *found->second;
    if (code == BN_CLICKED) {
        // Enter reaches the default button also while it is disabled.
        if (!control.Enabled())
            return;
        if (auto* check = dynamic_cast<CheckControl*>(&control)) {
            // BS_CHECKBOX leaves the toggling to us, so the state object stays the one source.
            check->StoreChecked(!check->Checked());
            SendMessageW(child, BM_SETCHECK, check->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        if (control.OnClick)
            control.OnClick();
    } else if (code == EN_CHANGE) {
        control.StoreText(AnsiOf(WindowTextOf(child)));
        if (control.OnChange)
            control.OnChange();
    } else if (code == CBN_SELCHANGE) {
        if (auto* list = dynamic_cast<ListControl*>(&control)) {
            list->StoreItemIndex(static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
            if (control.OnChange)
                control.OnChange();
        }
    }
}

// ---- the print list ----

void MainWindow::RowsChanged() {
    c_filelist* files = Files();
    if (!lstFiles_ || !files)
        return;
    SendMessageW(lstFiles_, LVM_SETITEMCOUNT, static_cast<WPARAM>(files->RowCount()), 0);
    const bool syncing = std::exchange(syncingSelection_, true);
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(lstFiles_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (int row = 0; row < files->RowCount(); ++row) {
        if (!files->IsSelected(row))
            continue;
        LVITEMW selected{};
        selected.stateMask = LVIS_SELECTED;
        selected.state = LVIS_SELECTED;
        SendMessageW(lstFiles_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&selected));
    }
    syncingSelection_ = syncing;
    InvalidateRect(lstFiles_, nullptr, TRUE);
}

void MainWindow::RowChanged(int row) {
    c_filelist* files = Files();
    if (!lstFiles_ || !files || row < 0 || row >= files->RowCount())
        return;
    if (!syncingSelection_) {
        const bool syncing = std::exchange(syncingSelection_, true);
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = files->IsSelected(row) ? LVIS_SELECTED : 0;
        SendMessageW(lstFiles_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
        syncingSelection_ = syncing;
    }
    SendMessageW(lstFiles_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

void MainWindow::EnsureVisible(int row) {
    if (lstFiles_)
        SendMessageW(lstFiles_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int MainWindow::RowAt(int x, int y) {
    if (!lstFiles_)
        return -1;
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    return static_cast<int>(SendMessageW(lstFiles_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int MainWindow::TopVisibleRow() {
    c_filelist* files = Files();
    if (!lstFiles_ || !files || files->RowCount() == 0)
        return -1;
    return static_cast<int>(SendMessageW(lstFiles_, LVM_GETTOPINDEX, 0, 0));
}

int MainWindow::RowTop(int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (lstFiles_)
        SendMessageW(lstFiles_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    return bounds.top;
}

int MainWindow::RowBottom(int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (lstFiles_)
        SendMessageW(lstFiles_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
    return bounds.bottom;
}

int MainWindow::ClientHeight() {
    RECT client{};
    if (lstFiles_)
        GetClientRect(lstFiles_, &client);
    return client.bottom;
}

int MainWindow::FontHeight() {
    return Scale(kDesignFontHeight);
}

void MainWindow::ScrollBy(int dy) {
    if (lstFiles_)
        SendMessageW(lstFiles_, LVM_SCROLL, 0, dy);
}

void MainWindow::ReadSelectionFromView() {
    c_filelist* files = Files();
    if (!files || syncingSelection_)
        return;
    const bool syncing = std::exchange(syncingSelection_, true);
    for (int row = 0; row < files->RowCount(); ++row) {
        const bool selected =
            SendMessageW(lstFiles_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED;
        if (files->IsSelected(row) != selected)
            files->SetSelected(row, selected);
    }
    syncingSelection_ = syncing;
}

void MainWindow::ToggleChecks(int row) {
    c_filelist* files = Files();
    if (!files || row < 0 || row >= files->RowCount())
        return;
    files->SetChecked(row, !files->IsChecked(row));
}

void MainWindow::StoreColumnWidths() {
    c_filelist* files = Files();
    if (!files || !lstFiles_)
        return;
    for (int column = 0; column < kListColumnCount; ++column) {
        const int width = static_cast<int>(SendMessageW(lstFiles_, LVM_GETCOLUMNWIDTH, column, 0));
        if (width > 0)
            files->SetColumnWidth(column, MulDiv(width, 96, dpi_));
    }
}

LRESULT MainWindow::ListNotify(NMHDR* header) {
    c_filelist* files = Files();
    if (!files)
        return 0;
    switch (header->code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if (item.iItem < 0 || item.iItem >= files->RowCount())
            return 0;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            dispText_ = ToWide(files->CellText(item.iItem, item.iSubItem));
            lstrcpynW(item.pszText, dispText_.c_str(), item.cchTextMax);
        }
        if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) {
            const int icon = files->IconOf(item.iItem);
            item.iImage = icon >= 0 ? icon : I_IMAGENONE;
        }
        if (item.mask & LVIF_STATE) {
            item.state =
                (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(files->IsChecked(item.iItem) ? 2 : 1);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
            ReadSelectionFromView();
        return 0;
    }
    case LVN_ODSTATECHANGED:
        ReadSelectionFromView();
        return 0;
    case NM_CLICK:
    case NM_DBLCLK: {
        const auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
        LVHITTESTINFO hit{};
        hit.pt = activate->ptAction;
        const int row = static_cast<int>(SendMessageW(lstFiles_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
            ToggleChecks(row);
        } else if (header->code == NM_DBLCLK && row >= 0) {
            files->DoubleClick();
        }
        form_->UpdateControls();
        return 0;
    }
    case LVN_BEGINDRAG:
        files->BeginRowDrag();
        dragging_ = true;
        SetCapture(hwnd_);
        return 0;
    case LVN_KEYDOWN: {
        const auto* key = reinterpret_cast<NMLVKEYDOWN*>(header);
        if (key->wVKey == VK_SPACE) {
            const int first = files->FirstSelected();
            if (first >= 0) {
                const bool checked = !files->IsChecked(first);
                for (int row = 0; row < files->RowCount(); ++row) {
                    if (files->IsSelected(row))
                        files->SetChecked(row, checked);
                }
            }
        }
        return 0;
    }
    default:
        return 0;
    }
}

static POINT ToListPoint(HWND from, HWND list, POINT point) {
    MapWindowPoints(from, list, &point, 1);
    return point;
}

void MainWindow::DragMove(POINT point) {
    c_filelist* files = Files();
    if (!files)
        return;
    const POINT inList = ToListPoint(hwnd_, lstFiles_, point);
    files->RowDragOver(true, inList.y);
}

void MainWindow::DragDrop(POINT point) {
    c_filelist* files = Files();
    if (!files || files->RowCount() == 0)
        return;
    const POINT inList = ToListPoint(hwnd_, lstFiles_, point);
    int target = RowAt(inList.x, inList.y);
    // Below the last row, or beside the rows to the right of the columns: the last row decides.
    if (target < 0 && inList.y > RowBottom(files->RowCount() - 1))
        target = files->RowCount() - 1;
    if (target < 0) {
        LVHITTESTINFO hit{};
        hit.pt = POINT{0, inList.y};
        target = static_cast<int>(SendMessageW(lstFiles_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    }
    files->RowDrop(target, inList.y);
}

void MainWindow::DragEnd() {
    if (!dragging_)
        return;
    dragging_ = false;
    if (c_filelist* files = Files())
        files->EndRowDrag();
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    if (form_)
        form_->UpdateControls();
}

// ---- MainFormWindow ----

void MainWindow::CloseWindow() {
    if (hwnd_)
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::SetCaption(const std::string& caption) {
    if (hwnd_)
        SetWindowTextW(hwnd_, ToWide(caption).c_str());
}

void MainWindow::FocusList() {
    if (lstFiles_)
        SetFocus(lstFiles_);
}

std::optional<std::string> MainWindow::DocumentsFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)) || path[0] == '\0')
        return std::nullopt;
    return std::string(path);
}

std::string MainWindow::CurrentDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

void MainWindow::AddToRecentDocuments(const std::string& path) {
    SHAddToRecentDocs(SHARD_PATHA, path.c_str());
}

// ---- PlacementWindow ----

WindowRect MainWindow::NormalRect() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!hwnd_ || !GetWindowPlacement(hwnd_, &placement))
        return {};
    const RECT& r = placement.rcNormalPosition;
    return {r.left, r.top, r.right, r.bottom};
}

void MainWindow::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::int32_t MainWindow::WindowState() const {
    if (!hwnd_)
        return kWindowNormal;
    if (IsIconic(hwnd_))
        return kWindowMinimized;
    if (IsZoomed(hwnd_))
        return kWindowMaximized;
    return kWindowNormal;
}

void MainWindow::SetWindowState(std::int32_t state) {
    // A hidden window takes the state when it is first shown.
    pendingState_ = state;
    if (hwnd_ && IsWindowVisible(hwnd_) && state == kWindowMaximized)
        ShowWindow(hwnd_, SW_MAXIMIZE);
}

std::int32_t MainWindow::ScreenWidth() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

std::int32_t MainWindow::ScreenHeight() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

// ---- messages ----

void MainWindow::MenuClick(MenuCommand command) {
    if (form_) {
        form_->MenuClick(command);
        return;
    }
    if (command == MenuCommand::Exit)
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void MainWindow::MenuSelect(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    if (flags == 0xFFFF && lParam == 0) { // the menu closed
        SetStatusText("");
        return;
    }
    // For a popup the low word is a position, not a command id; menus have no hints.
    if (flags & (MF_POPUP | MF_SEPARATOR)) {
        SetStatusText("");
        return;
    }
    SetStatusText(MenuHint(LOWORD(wParam)));
}

void MainWindow::DropFiles(HDROP drop) {
    struct Finish {
        HDROP drop;
        ~Finish() { DragFinish(drop); }
    } finish{drop};
    if (!form_)
        return;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::string> names;
    std::vector<char> name(26000);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size()));
        names.emplace_back(name.data(), length);
    }
    // Where the files were let go, before any dialog of the drop moves the mouse.
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(lstFiles_ ? lstFiles_ : hwnd_, &point);
    form_->AddDroppedFiles(names, point.x, point.y);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_SIZE:
        if (stbStatus_)
            SendMessageW(stbStatus_, WM_SIZE, 0, 0);
        LayoutChildren();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = Scale(kDesignMinWidth);
        limits->ptMinTrackSize.y = Scale(kDesignMinHeight);
        return 0;
    }
    case WM_COMMAND:
        // Menu items and accelerators; control notifications come with a window handle.
        if (lParam == 0 && form_ && LOWORD(wParam) >= kRecentFileCommandBase &&
            LOWORD(wParam) <= kRecentFileCommandLast)
            form_->OpenRecentFile(LOWORD(wParam) - kRecentFileCommandBase);
        else if (lParam == 0)
            MenuClick(static_cast<MenuCommand>(LOWORD(wParam)));
        else
            ControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == lstFiles_ && lstFiles_)
            return ListNotify(header);
        if (header->hwndFrom == tips_ && tips_ && header->code == TTN_GETDISPINFOW) {
            ShowHint(reinterpret_cast<NMTTDISPINFOW*>(header));
            return 0;
        }
        break;
    }
    case WM_MENUSELECT:
        MenuSelect(wParam, lParam);
        return 0;
    case WM_INITMENUPOPUP:
        if (form_ && fileMenu_ && HIWORD(lParam) == FALSE && LOWORD(lParam) == 0)
            form_->mnuFileOpened(*fileMenu_, MenuTextWidth);
        return 0;
    case WM_ACTIVATE:
        if (form_ && LOWORD(wParam) != WA_INACTIVE)
            form_->UpdateControls();
        break;
    case WM_LBUTTONDOWN: // a click on the window itself, between its controls
        if (form_)
            form_->UpdateControls();
        break;
    case WM_HELP:
        if (form_)
            form_->HelpKey();
        return TRUE;
    case WM_TIMER:
        if (wParam == kBatchTimerId && form_) {
            KillTimer(hwnd_, kBatchTimerId); // one-shot, also if the step throws
            if (form_->tmrBatch.OnClick)
                form_->tmrBatch.OnClick();
        }
        return 0;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (dragging_)
            DragMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_LBUTTONUP:
        if (dragging_) {
            DragDrop(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            DragEnd();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        DragEnd();
        break;
    case DM_GETDEFID:
        // Enter presses the print button (the dialog keys of the message loop ask for it).
        if (form_) {
            if (const HWND print = ControlHandle(form_->btnPrint.Name()))
                return MAKELRESULT(GetDlgCtrlID(print), DC_HASDEFID);
        }
        return 0;
    case kFormShowMessage:
        if (form_)
            form_->FormShow();
        return 0;
    case WM_CLOSE:
        if (form_ && !form_->FormCloseQuery())
            return 0;
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        if (form_) {
            KillTimer(hwnd_, kBatchTimerId);
            StoreColumnWidths();
            form_->FileList().SetView(nullptr);
            for (Control* control : form_->Controls())
                control->SetSink(nullptr);
            TMainForm* form = std::exchange(form_, nullptr);
            form->FormDestroy();
        }
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const HWND hwnd = std::exchange(hwnd_, nullptr);
        stbStatus_ = nullptr;
        lstFiles_ = nullptr;
        updPrtNum_ = nullptr;
        fileMenu_.reset();
        tips_ = nullptr; // owned by the window, destroyed with it
        placed_.clear();
        byHandle_.clear();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        window = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        window->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    if (!window)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->HandleMessage(message, wParam, lParam);
    } catch (const c_userexcp&) {
        // Already reported where it was found; the command just stops.
        return 0;
    } catch (...) {
        if (message == WM_CREATE) {
            // Stop the creation; Create reports the error rather than leave a half-built window.
            window->createError_ = std::current_exception();
            return -1;
        }
        ShowCurrentException(hwnd);
        return 0;
    }
}

} // namespace tarvoline
