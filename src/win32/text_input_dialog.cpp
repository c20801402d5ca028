#include "text_input_dialog.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvoline {
namespace {

// The base dialog's look: fixed size, system menu only, centred, "ＭＳ Ｐゴシック" 9 pt. Dialog units.
constexpr short kWidth = 230;
constexpr short kHeight = 78;

struct DialogState {
    const std::string* prompt;
    std::string* text;
    bool shown = false;
};

// An in-memory DLGTEMPLATE: the fields are WORD-aligned UTF-16, each item DWORD-aligned.
class TemplateWriter {
public:
    void Word(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(std::u16string_view text) {
        for (char16_t c : text)
            Word(c);
        Word(0);
    }
    void AlignToDword() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, std::uint16_t id, std::uint16_t classAtom,
              std::u16string_view caption) {
        AlignToDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short value : {x, y, cx, cy})
            Word(static_cast<std::uint16_t>(value));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(caption);
        Word(0); // no creation data
    }
    const DLGTEMPLATE* Get() {
        AlignToDword();
        return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data());
    }

private:
    std::vector<std::uint8_t> bytes_;
};

constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kEditAtom = 0x0081;
constexpr std::uint16_t kStaticAtom = 0x0082;

std::string EditText(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, kTextInputEdit);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, kTextInputPrompt, state->prompt->c_str());
        const HWND edit = GetDlgItem(dialog, kTextInputEdit);
        SendMessageA(edit, EM_SETPASSWORDCHAR, '*', 0);
        SetWindowTextA(edit, state->text->c_str());
        // The OK rule runs on changes only: setting the initial text is none.
        state->shown = true;
        SetFocus(edit);
        return FALSE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == kTextInputEdit && HIWORD(wParam) == EN_CHANGE && state && state->shown) {
            EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, kTextInputEdit)) > 0);
            return TRUE;
        }
        if (id == IDOK || id == IDCANCEL) {
            if (state)
                *state->text = EditText(dialog);
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

MessageResult ShowTextInputDialog(HWND owner, const std::string& prompt, std::string& text) {
    TemplateWriter writer;
    writer.Dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    writer.Dword(0);
    writer.Word(4); // items
    for (short value : {short{0}, short{0}, kWidth, kHeight})
        writer.Word(static_cast<std::uint16_t>(value));
    writer.Word(0); // no menu
    writer.Word(0); // the standard dialog class
    writer.Text(u"入力ダイアログ");
    writer.Word(9);
    writer.Text(u"ＭＳ Ｐゴシック");
    writer.Item(SS_LEFT, 7, 7, kWidth - 14, 24, kTextInputPrompt, kStaticAtom, u"");
    writer.Item(ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 34, kWidth - 14, 13, kTextInputEdit,
                kEditAtom, u"");
    writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, kWidth - 116, kHeight - 21, 52, 14, IDOK, kButtonAtom, u"OK(&O)");
    writer.Item(BS_PUSHBUTTON | WS_TABSTOP, kWidth - 59, kHeight - 21, 52, 14, IDCANCEL, kButtonAtom,
                u"キャンセル(&C)");

    DialogState state{&prompt, &text};
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.Get(), owner, DialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? MessageResult::Ok : MessageResult::Cancel;
}

} // namespace tarvoline
