#include "forms/form_binder.h"

#include <commctrl.h>

#include <algorithm>

#include "base/wide_text.h"
#include "common/encoding.h"
#include "exception_box.h"
#include "forms/help.h"

namespace tarvoline {

enum class ControlKind { Button, Check, Edit, Combo, List, ListView, Static, Other };

struct FormBinder::Bound {
    Control* control;
    int id;
    HWND hwnd;
    ControlKind kind;
    RECT designRect; // in the client area at creation, for the anchors
    unsigned anchors;
    std::vector<RowListControl::Row> shownRows; // what a row list shows, so a change sends only what differs
};

namespace {

// Posted to itself when the window that was activated before it was visible has been shown.
constexpr UINT kActivateWhenVisible = WM_APP + 0x70;

ControlKind KindOf(HWND control) {
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    if (_wcsicmp(className, L"Button") == 0) {
        const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        const bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        return check ? ControlKind::Check : ControlKind::Button;
    }
    if (_wcsicmp(className, L"Edit") == 0)
        return ControlKind::Edit;
    if (_wcsicmp(className, L"ComboBox") == 0)
        return ControlKind::Combo;
    if (_wcsicmp(className, L"ListBox") == 0)
        return ControlKind::List;
    if (_wcsicmp(className, WC_LISTVIEWW) == 0)
        return ControlKind::ListView;
    if (_wcsicmp(className, L"Static") == 0)
        return ControlKind::Static;
    return ControlKind::Other;
}

std::string WindowTextAnsi(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf16ToAnsiLossy(std::u16string(text.begin(), text.end()));
}

HFONT MakeFont(const wchar_t* face, int pixels, bool bold = false) {
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// A check list box is a list view with check boxes and one column as wide as the control.
void PushCheckList(HWND hwnd, const ListControl& list) {
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                 LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    if (SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, 0, 0) == 0) {
        RECT client{};
        GetClientRect(hwnd, &client);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
    const auto& items = list.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::wstring text = ToWide(items[i]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text.data();
        SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMW state{};
        state.stateMask = LVIS_STATEIMAGEMASK;
        state.state = INDEXTOSTATEIMAGEMASK(list.ItemChecked(static_cast<int>(i)) ? 2 : 1);
        SendMessageW(hwnd, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
    }
    const int selected = list.ItemIndex();
    if (selected >= 0) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
    }
}

// A row list's one column fills the client area, also after a resize or a new vertical scroll bar, so the
// list never scrolls sideways.
void FitSingleColumn(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    SendMessageW(hwnd, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right, 0));
}

void SetRowItem(HWND hwnd, int index, const RowListControl::Row& row, bool insert) {
    std::wstring text = ToWide(row.caption);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = text.data();
    item.iImage = row.icon >= 0 ? row.icon : I_IMAGENONE;
    SendMessageW(hwnd, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void PushRowList(HWND hwnd, RowListControl& list, std::vector<RowListControl::Row>& shown) {
    if (SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, 0, 0) == 0) {
        SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        SendMessageW(hwnd, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    }
    const auto& rows = list.Rows();
    if (rows.size() != shown.size()) {
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < rows.size(); ++i)
            SetRowItem(hwnd, static_cast<int>(i), rows[i], true);
        SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd, nullptr, TRUE);
    } else {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (!(rows[i] == shown[i]))
                SetRowItem(hwnd, static_cast<int>(i), rows[i], false);
    }
    shown = rows;
    FitSingleColumn(hwnd);
    const int row = list.RowToShow();
    if (row >= 0 && row < static_cast<int>(rows.size()))
        SendMessageW(hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); // fully visible
    list.RowShown();
}

} // namespace

FormBinder::FormBinder(Form& form, std::vector<ControlId> ids, FormLook look)
    : form_(form), ids_(std::move(ids)), look_(std::move(look)) {}

FormBinder::~FormBinder() {
    for (Control* control : form_.Controls())
        control->SetSink(nullptr);
    for (HFONT font : fonts_)
        DeleteObject(font);
}

int FormBinder::ShowModal(HWND owner, int templateId, HINSTANCE instance) {
    owner_ = owner;
    if (!form_.ShowHelp)
        form_.ShowHelp = [this](int context) { ShowHelp(window_, context); };
    const INT_PTR result =
        DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, DialogProc, reinterpret_cast<LPARAM>(this));
    for (Control* control : form_.Controls())
        control->SetSink(nullptr);
    window_ = nullptr;
    return result > 0 ? static_cast<int>(result) : mrCancel;
}

HWND FormBinder::ControlHandle(const std::string& name) const {
    for (const Bound& bound : bound_)
        if (bound.control->Name() == name)
            return bound.hwnd;
    return nullptr;
}

INT_PTR CALLBACK FormBinder::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* binder = reinterpret_cast<FormBinder*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_INITDIALOG) {
        binder = reinterpret_cast<FormBinder*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        binder->window_ = window;
    }
    if (!binder)
        return FALSE;
    try {
        return binder->Handle(message, wParam, lParam);
    } catch (...) {
        ShowCurrentException(window);
        return TRUE;
    }
}

INT_PTR FormBinder::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        Initialize();
        if (OnCreated)
            OnCreated(window_);
        RunHandler([this] { form_.FormShow(); });
        shown_ = true;
        for (Bound& bound : bound_)
            if (bound.control->Focused()) {
                SetFocus(bound.hwnd);
                bound.control->FocusDone();
                return FALSE;
            }
        // The first tab stop gets the focus; unlike the dialog manager, a read-only memo is not selected.
        if (const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
            SetFocus(first);
            if (KindOf(first) == ControlKind::Edit && !(GetWindowLongW(first, GWL_STYLE) & ES_READONLY))
                SendMessageW(first, EM_SETSEL, 0, -1);
            return FALSE;
        }
        return TRUE;
    }
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY:
        Notify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_CLOSE:
        RunHandler([this] { form_.CloseBoxClick(); });
        return TRUE;
    case WM_TIMER: {
        const std::size_t index = wParam - 1;
        if (wParam == 0 || index >= timers_.size() || finished_)
            return FALSE;
        if (timers_[index]->Enabled())
            RunHandler(timers_[index]->OnTimer);
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && shown_ && !finished_) {
            // A modal dialog is activated before it is shown, which the system does only once its queue
            // is empty: what the handler paints or shows must wait until the window is on the screen.
            if (IsWindowVisible(window_))
                RunHandler([this] { form_.FormActivate(); });
            else
                activatePending_ = true;
        }
        return FALSE;
    case WM_SHOWWINDOW:
        if (wParam && activatePending_) {
            activatePending_ = false;
            PostMessageW(window_, kActivateWhenVisible, 0, 0);
        }
        return FALSE;
    case kActivateWhenVisible:
        if (!finished_)
            RunHandler([this] { form_.FormActivate(); });
        return TRUE;
    case WM_SIZE:
        ApplyLayout();
        return FALSE;
    case WM_GETMINMAXINFO: {
        if (look_.minClientWidth > 0 && window_) {
            RECT frame{0, 0, look_.minClientWidth, look_.minClientHeight};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
        }
        return TRUE;
    }
    case WM_SETCURSOR:
        ShowHintInOwnerStatusBar(reinterpret_cast<HWND>(wParam));
        return FALSE;
    default:
        return FALSE;
    }
}

void FormBinder::Initialize() {
    SetWindowTextW(window_, ToWide(form_.Caption()).c_str());

    if (look_.fontFace) {
        HFONT font = MakeFont(look_.fontFace, look_.fontPixels);
        fonts_.push_back(font);
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    RECT client{};
    GetClientRect(window_, &client);
    designClient_ = {client.right, client.bottom};

    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, nullptr, nullptr);

    for (Control* control : form_.Controls()) {
        const auto id = std::find_if(ids_.begin(), ids_.end(),
                                     [&](const ControlId& entry) { return entry.name == control->Name(); });
        if (id == ids_.end())
            continue;
        const HWND hwnd = GetDlgItem(window_, id->id);
        if (!hwnd)
            continue;
        Bound bound{control, id->id, hwnd, KindOf(hwnd), {}, akLeft | akTop, {}};
        GetWindowRect(hwnd, &bound.designRect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bound.designRect), 2);
        for (const ControlLook& controlLook : look_.controls) {
            if (controlLook.name != control->Name())
                continue;
            bound.anchors = controlLook.anchors;
            const wchar_t* face = controlLook.fontFace ? controlLook.fontFace : look_.fontFace;
            const int pixels = controlLook.fontFace ? controlLook.fontPixels : look_.fontPixels;
            if (controlLook.fontFace || (controlLook.bold && face)) {
                HFONT font = MakeFont(face, pixels, controlLook.bold);
                fonts_.push_back(font);
                SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            }
            if (controlLook.smallIcons)
                SendMessageW(hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(controlLook.smallIcons));
        }
        if (tooltip_) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof(tool);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = window_;
            tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
            tool.lpszText = const_cast<wchar_t*>(L"");
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        bound_.push_back(bound);
    }
    // A pixel size wins over the template's font metrics: the layout is stretched to it, so no
    // substituted font can push controls out of the window.
    if (look_.clientWidth > 0 && designClient_.cx > 0 && designClient_.cy > 0) {
        const double sx = static_cast<double>(look_.clientWidth) / designClient_.cx;
        const double sy = static_cast<double>(look_.clientHeight) / designClient_.cy;
        for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r{};
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
            const RECT scaled{static_cast<LONG>(r.left * sx + 0.5), static_cast<LONG>(r.top * sy + 0.5),
                              static_cast<LONG>(r.right * sx + 0.5), static_cast<LONG>(r.bottom * sy + 0.5)};
            MoveWindow(child, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top, FALSE);
            if (Bound* bound = Find(child))
                bound->designRect = scaled;
        }
        designClient_ = {look_.clientWidth, look_.clientHeight};
    }

    // Fixed client size in pixels, then centred on the screen's work area.
    RECT frame{};
    GetWindowRect(window_, &frame);
    if (look_.clientWidth > 0) {
        RECT wanted{0, 0, look_.clientWidth, look_.clientHeight};
        AdjustWindowRectEx(&wanted, static_cast<DWORD>(GetWindowLongW(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(window_, GWL_EXSTYLE)));
        frame = {0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top};
    }
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    for (Bound& bound : bound_) {
        bound.control->SetSink(this);
        Push(bound);
    }
    for (Control* control : form_.Controls())
        if (auto* timer = dynamic_cast<TimerControl*>(control)) {
            timers_.push_back(timer);
            timer->SetSink(this);
            SyncTimer(timers_.size() - 1);
        }
}

void FormBinder::SyncTimer(std::size_t index) {
    const UINT_PTR id = index + 1;
    if (timers_[index]->Enabled())
        SetTimer(window_, id, static_cast<UINT>(timers_[index]->Interval()), nullptr);
    else
        KillTimer(window_, id);
}

FormBinder::Bound* FormBinder::Find(int id) {
    for (Bound& bound : bound_)
        if (bound.id == id)
            return &bound;
    return nullptr;
}

FormBinder::Bound* FormBinder::Find(HWND control) {
    for (Bound& bound : bound_)
        if (bound.hwnd == control)
            return &bound;
    return nullptr;
}

void FormBinder::ControlChanged(Control& control) {
    for (Bound& bound : bound_)
        if (bound.control == &control)
            Push(bound);
    for (std::size_t i = 0; i < timers_.size(); ++i)
        if (timers_[i] == &control && window_)
            SyncTimer(i);
}

void FormBinder::Push(Bound& bound) {
    // What the program sets here must not come back as the user's change.
    const bool wasPushing = pushing_;
    pushing_ = true;
    Control& control = *bound.control;
    const HWND hwnd = bound.hwnd;
    EnableWindow(hwnd, control.Enabled());
    ShowWindow(hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);

    if (auto* edit = dynamic_cast<EditControl*>(&control); edit && bound.kind == ControlKind::Edit) {
        const auto mask = static_cast<WPARAM>(static_cast<unsigned char>(edit->PasswordChar()));
        if (SendMessageW(hwnd, EM_GETPASSWORDCHAR, 0, 0) != static_cast<LRESULT>(mask)) {
            SendMessageW(hwnd, EM_SETPASSWORDCHAR, mask, 0);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
    }
    if (auto* rows = dynamic_cast<RowListControl*>(&control); rows && bound.kind == ControlKind::ListView) {
        PushRowList(hwnd, *rows, bound.shownRows);
    } else if (auto* list = dynamic_cast<ListControl*>(&control); list && bound.kind == ControlKind::ListView) {
        PushCheckList(hwnd, *list);
    } else if (auto* list = dynamic_cast<ListControl*>(&control);
               list && (bound.kind == ControlKind::Combo || bound.kind == ControlKind::List)) {
        const bool combo = bound.kind == ControlKind::Combo;
        SendMessageW(hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        for (const std::string& item : list->Items())
            SendMessageW(hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
        SendMessageW(hwnd, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(list->ItemIndex()), 0);
    } else if (WindowTextAnsi(hwnd) != control.Text()) {
        SetWindowTextW(hwnd, ToWide(control.Text()).c_str());
    }
    if (auto* check = dynamic_cast<CheckControl*>(&control); check && bound.kind == ControlKind::Check)
        SendMessageW(hwnd, BM_SETCHECK, check->Checked() ? BST_CHECKED : BST_UNCHECKED, 0);

    if (tooltip_) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
        const std::wstring hint = ToWide(control.Hint());
        tool.lpszText = const_cast<wchar_t*>(hint.c_str());
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (control.Focused() && IsWindowVisible(window_)) {
        SetFocus(hwnd);
        control.FocusDone();
    }
    pushing_ = wasPushing;
}

void FormBinder::Command(int id, int code, HWND controlWindow) {
    if (pushing_ || finished_)
        return;
    Bound* bound = controlWindow ? Find(controlWindow) : nullptr;
    if (!bound)
        bound = Find(id); // Enter and Esc come without the button's handle on some systems
    if (!bound || !IsWindowEnabled(bound->hwnd))
        return;
    Control& control = *bound->control;
    switch (bound->kind) {
    case ControlKind::Button:
    case ControlKind::Check:
        if (code != BN_CLICKED)
            return;
        // Automatic radio buttons uncheck their neighbours: store every check mark.
        for (Bound& other : bound_)
            if (auto* check = dynamic_cast<CheckControl*>(other.control); check && other.kind == ControlKind::Check)
                check->StoreChecked(SendMessageW(other.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
        RunHandler(control.OnClick);
        break;
    case ControlKind::Edit:
        if (code != EN_CHANGE)
            return;
        control.StoreText(WindowTextAnsi(bound->hwnd));
        RunHandler(control.OnChange);
        break;
    case ControlKind::Combo:
    case ControlKind::List: {
        const bool combo = bound->kind == ControlKind::Combo;
        if (code != (combo ? CBN_SELCHANGE : LBN_SELCHANGE))
            return;
        if (auto* list = dynamic_cast<ListControl*>(&control))
            list->StoreItemIndex(
                static_cast<int>(SendMessageW(bound->hwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0)));
        RunHandler(control.OnChange);
        break;
    }
    default:
        if (code == STN_CLICKED)
            RunHandler(control.OnClick);
        break;
    }
}

void FormBinder::Notify(const NMHDR& header) {
    if (pushing_ || finished_ || header.code != LVN_ITEMCHANGED)
        return;
    Bound* bound = Find(header.hwndFrom);
    auto* list = bound ? dynamic_cast<ListControl*>(bound->control) : nullptr;
    if (!list || bound->kind != ControlKind::ListView)
        return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || change.iItem < 0 || change.iItem >= static_cast<int>(list->Items().size()))
        return;
    if ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) {
        list->StoreItemChecked(change.iItem, (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2));
        RunHandler(list->OnClickCheck);
    }
    if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
        list->StoreItemIndex(change.iItem);
        RunHandler(list->OnChange);
    }
}

void FormBinder::RunHandler(const std::function<void()>& handler) {
    if (handler) {
        try {
            handler();
        } catch (...) {
            ShowCurrentException(window_);
        }
    }
    FinishIfClosed();
}

void FormBinder::FinishIfClosed() {
    if (finished_ || form_.ModalResult() == mrNone)
        return;
    finished_ = true;
    for (std::size_t i = 0; i < timers_.size(); ++i)
        KillTimer(window_, i + 1);
    try {
        form_.FormClose();
    } catch (...) {
        ShowCurrentException(window_);
    }
    EndDialog(window_, form_.ModalResult());
}

void FormBinder::ApplyLayout() {
    if (!window_ || designClient_.cx == 0 || IsIconic(window_))
        return;
    RECT client{};
    GetClientRect(window_, &client);
    const int dx = client.right - designClient_.cx;
    const int dy = client.bottom - designClient_.cy;
    for (const Bound& bound : bound_) {
        RECT r = bound.designRect;
        const int width = r.right - r.left;
        int left = r.left, right = r.right, top = r.top, bottom = r.bottom;
        if ((bound.anchors & akRight) && (bound.anchors & akLeft))
            right += dx;
        else if (bound.anchors & akRight)
            left += dx, right += dx;
        else if (!(bound.anchors & akLeft))
            left = (client.right - width) / 2, right = left + width;
        if ((bound.anchors & akBottom) && (bound.anchors & akTop))
            bottom += dy;
        else if (bound.anchors & akBottom)
            top += dy, bottom += dy;
        MoveWindow(bound.hwnd, left, top, right - left, bottom - top, TRUE);
        if (bound.kind == ControlKind::ListView && dynamic_cast<RowListControl*>(bound.control))
            FitSingleColumn(bound.hwnd);
    }
}

void FormBinder::ShowHintInOwnerStatusBar(HWND controlWindow) {
    if (!owner_)
        return;
    const HWND statusBar = FindWindowExW(owner_, nullptr, STATUSCLASSNAMEW, nullptr);
    if (!statusBar)
        return;
    const Bound* bound = Find(controlWindow);
    const std::wstring hint = bound ? ToWide(bound->control->Hint()) : std::wstring();
    SendMessageW(statusBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(hint.c_str()));
}

} // namespace tarvoline
