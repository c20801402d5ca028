#pragma once
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/controls.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "app/settings_windows.h"
#include "base/unique_handle.h"
#include "list/filelist.h"
#include "recent_menu_win32.h"

namespace tarvoline {

// The real main window: menu bar, shortcuts, status bar, and, once a core form is attached, the child
// controls that render the form's control objects, the print list as an owner-data list view, and the
// batch timer. It translates window messages into calls on the form.
class MainWindow final : public MainFormWindow, public PlacementWindow, public ListView, private ControlSink {
public:
    static constexpr wchar_t kClassName[] = L"TMainForm";

    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    // Creates the window and shows it with showCommand (SW_HIDE keeps it hidden); throws when the
    // system refuses.
    void Create(HINSTANCE instance, int showCommand);
    // Builds the child controls for the form and keeps them in step with its control objects.
    void Attach(TMainForm& form);
    // Shows the window and runs the form's FormShow once the window is on the screen.
    void Show(int showCommand);

    HWND Handle() const { return hwnd_; }
    HWND StatusBar() const { return stbStatus_; }
    HWND ListHandle() const { return lstFiles_; }
    HWND ToolTips() const { return tips_; }
    // The child window of a control object by its name; nullptr when there is none.
    HWND ControlHandle(const std::string& name) const;
    HACCEL Accelerators() const { return accelerators_.get(); }
    // imlIcons, the 16 x 16 row icons in RowIcon order; other lists show them too (LVS_SHAREIMAGELISTS).
    HIMAGELIST RowIcons() const { return icons_; }
    // The font of the window's controls ("ＭＳ Ｐゴシック", 13 pixels at design size).
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }

    // Puts code page 932 text into the status bar's simple panel.
    void SetStatusText(std::string_view text);

    // MainFormWindow.
    void CloseWindow() override;
    void SetCaption(const std::string& caption) override;
    void FocusList() override;
    std::optional<std::string> DocumentsFolder() override;
    std::string CurrentDirectory() override;
    void AddToRecentDocuments(const std::string& path) override;

    // PlacementWindow.
    WindowRect NormalRect() const override;
    void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
    std::int32_t WindowState() const override;
    void SetWindowState(std::int32_t state) override;
    std::int32_t ScreenWidth() const override;
    std::int32_t ScreenHeight() const override;

    // ListView.
    void RowsChanged() override;
    void RowChanged(int row) override;
    void EnsureVisible(int row) override;
    int RowAt(int x, int y) override;
    int TopVisibleRow() override;
    int RowTop(int row) override;
    int RowBottom(int row) override;
    int ClientHeight() override;
    int FontHeight() override;
    void ScrollBy(int dy) override;

private:
    struct Placed {
        Control* control;
        HWND hwnd;
        RECT design; // left, top, width, height at design size
        int anchor;
    };

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void FormCreate();
    void MenuClick(MenuCommand command);
    void MenuSelect(WPARAM wParam, LPARAM lParam);
    void FitIntoWorkArea();
    // Design pixels at 96 dots per inch -> pixels at the screen's resolution.
    int Scale(int designPixels) const;

    void CreateChildControls();
    HWND AddControl(Control& control, const wchar_t* className, DWORD style, int x, int y, int width, int height,
                    int anchor, DWORD exStyle = 0);
    void CreateListView(int x, int y, int width, int height);
    void LayoutChildren();
    void ControlChanged(Control& control) override;
    void ApplyMenuState(Control& control);
    void ControlCommand(HWND child, WORD code);
    LRESULT ListNotify(NMHDR* header);
    void CreateToolTips();
    void ShowHint(NMTTDISPINFOW* request);
    void ReadSelectionFromView();
    void ToggleChecks(int row);
    void StoreColumnWidths();
    // Rows dragged inside the list; points in the main window's client coordinates.
    void DragMove(POINT point);
    void DragDrop(POINT point);
    void DragEnd();
    // Files and folders dropped from the shell.
    void DropFiles(HDROP drop);
    c_filelist* Files() const;

    HWND hwnd_ = nullptr;
    HWND stbStatus_ = nullptr;
    HWND lstFiles_ = nullptr;
    HWND updPrtNum_ = nullptr;
    HWND tips_ = nullptr;
    UniqueAccelerators accelerators_;
    UniqueGdiObject font_;
    HIMAGELIST icons_ = nullptr;
    HIMAGELIST checks_ = nullptr;
    int dpi_ = 96;
    std::exception_ptr createError_;

    TMainForm* form_ = nullptr;
    std::unique_ptr<Win32FileMenuItems> fileMenu_;
    std::map<Control*, Placed> placed_;
    std::map<HWND, Control*> byHandle_;
    bool applying_ = false; // our own writes into the controls: not the user's edits
    bool syncingSelection_ = false;
    bool dragging_ = false;
    std::int32_t pendingState_ = kWindowNormal;
    std::wstring dispText_; // the text handed to the list view for one item
    std::wstring tipText_;  // the hint handed to the tool tip
};

// A new image list of the row icons, as the main window's imlIcons; the caller destroys it.
HIMAGELIST BuildRowIconList();

} // namespace tarvoline
