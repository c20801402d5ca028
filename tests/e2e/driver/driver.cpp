// Does what a user's hands do with the message boxes and dialogs of Tarvoline.exe during an end-to-end
// run: finds each one by its caption, reads its text, types into its edit boxes and presses its buttons.
//
//   tarvoline-e2e-driver --log FILE [--seen FILE] [--seconds N] [--hold MS] [--on TEXT ACTIONS]...
//                        [--click-main BUTTON WHEN_FILE WHEN_TEXT]
//
// It watches the desktop until Tarvoline.exe has shown a window and has none left (exit code 0), or
// for at most N seconds (default 240; then exit code 3). Every box or dialog is handled once: the first
// --on rule whose TEXT occurs in its caption or text gives the actions, separated by ";":
//   type:TEXT    types TEXT into its first edit box, a character at a time
//   press:TEXT   presses the button whose caption, without "&", begins with TEXT
//   close-main   asks the main window to close, as its close box does
//   leave        does nothing: the box stays for someone else
// A box that no rule names is answered with "press:OK", so an unexpected box never hangs a run.
// --click-main clicks the main window's button whose caption, without "&", begins with BUTTON, once, as soon
// as the file WHEN_FILE (UTF-8, e.g. a stand-in's journal) contains WHEN_TEXT: the user's click at a chosen
// moment of a run. It is logged like a box: "MAIN CAPTION<TAB>BUTTON CAPTION<TAB>click-main:BUTTON<TAB>OUTCOME".
// Before acting it writes "CAPTION<TAB>TEXT" to the --seen file and waits MS milliseconds (default 500), so
// a watcher can take a screenshot of the box.
//
// The log (UTF-8, one line per box, appended): "CAPTION<TAB>TEXT<TAB>ACTIONS<TAB>OUTCOME", where TEXT is
// the box's texts joined by " / " and its line breaks written as "\n"; OUTCOME is "done" or what failed.
#include <windows.h>

#include <shellapi.h>

#include <set>
#include <string>
#include <vector>

#include "standin_files.h"

namespace {

struct Rule {
    std::wstring text;
    std::wstring actions;
};

struct Click {
    std::wstring button;
    std::wstring whenFile;
    std::wstring whenText;
    bool done = false;
};

struct Options {
    std::wstring log;
    std::wstring seen;
    DWORD seconds = 240;
    DWORD hold = 500;
    std::vector<Rule> rules;
    std::vector<Click> clicks;
};

struct Box {
    HWND window = nullptr;
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<HWND> buttons;
    std::vector<HWND> edits;
};

void AppendLine(const std::wstring& path, const std::wstring& line) {
    tarvoline::standin::AppendToFile(path, tarvoline::standin::ToUtf8(line + L"\n"));
}

std::wstring WindowText(HWND window) {
    wchar_t text[4096];
    DWORD_PTR length = 0;
    // A window whose thread hangs must not hang the driver.
    if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             5000, &length))
        return {};
    return std::wstring(text, length);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256];
    return std::wstring(name, GetClassNameW(window, name, static_cast<int>(std::size(name))));
}

bool ProcessIsTarvoline(DWORD processId) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return false;
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    const bool named = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!named)
        return false;
    const std::wstring image(path, size);
    const std::wstring name = image.substr(image.find_last_of(L"\\/") + 1);
    return _wcsicmp(name.c_str(), L"Tarvoline.exe") == 0;
}

struct Scan {
    std::vector<HWND> boxes; // dialogs and message boxes
    std::vector<HWND> mains; // the other top-level windows
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto& scan = *reinterpret_cast<Scan*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!IsWindowVisible(window) || !ProcessIsTarvoline(processId))
        return TRUE;
    (ClassOf(window) == L"#32770" ? scan.boxes : scan.mains).push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
    auto& box = *reinterpret_cast<Box*>(data);
    if (!IsWindowVisible(child))
        return TRUE;
    const std::wstring kind = ClassOf(child);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        box.buttons.push_back(child);
    } else if (_wcsicmp(kind.c_str(), L"Edit") == 0) {
        box.edits.push_back(child);
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const std::wstring text = WindowText(child);
        if (!text.empty())
            box.texts.push_back(text);
    }
    return TRUE;
}

Box ReadBox(HWND window) {
    Box box;
    box.window = window;
    box.caption = WindowText(window);
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring escaped;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
            continue;
        if (text[i] == L'\n' || text[i] == L'\r')
            escaped += L"\\n";
        else if (text[i] == L'\t')
            escaped += L"\\t";
        else
            escaped += text[i];
    }
    return escaped;
}

std::wstring AllText(const Box& box) {
    std::wstring text;
    for (const std::wstring& piece : box.texts)
        text += (text.empty() ? L"" : L" / ") + Escaped(piece);
    return text;
}

std::wstring WithoutAccelerator(const std::wstring& caption) {
    std::wstring plain;
    for (const wchar_t c : caption)
        if (c != L'&')
            plain += c;
    return plain;
}

std::vector<std::wstring> SplitActions(const std::wstring& actions) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = actions.find(L';', start);
        parts.push_back(actions.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            return parts;
        start = end + 1;
    }
}

// The outcome of one action: "" when done.
std::wstring Act(const Box& box, const std::wstring& action, const std::vector<HWND>& mains) {
    if (action == L"leave")
        return {};
    if (action == L"close-main") {
        for (const HWND main : mains)
            PostMessageW(main, WM_CLOSE, 0, 0);
        return mains.empty() ? L"no main window" : L"";
    }
    if (action.rfind(L"type:", 0) == 0) {
        if (box.edits.empty())
            return L"no edit box";
        const HWND edit = box.edits.front();
        // Keys reach the edit box one character at a time, as typing does.
        for (const wchar_t c : action.substr(5)) {
            DWORD_PTR ignored = 0;
            if (!SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_ABORTIFHUNG, 5000, &ignored))
                return L"typing failed";
        }
        return {};
    }
    if (action.rfind(L"press:", 0) == 0) {
        const std::wstring wanted = action.substr(6);
        for (const HWND button : box.buttons) {
            if (WithoutAccelerator(WindowText(button)).rfind(wanted, 0) != 0)
                continue;
            if (!IsWindowEnabled(button))
                return L"button " + wanted + L" disabled";
            // Posted as the button's own notification: the box ends on its own thread, and a modal loop that
            // follows it (the next box) cannot hold the driver.
            const int id = GetDlgCtrlID(button);
            PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return {};
        }
        return L"no button " + wanted;
    }
    return L"unknown action " + action;
}

// False when no main window has the button (yet).
bool ClickMain(const Options& options, const Click& click, const std::vector<HWND>& mains) {
    for (const HWND main : mains) {
        const Box all = ReadBox(main);
        for (const HWND button : all.buttons) {
            const std::wstring caption = WindowText(button);
            if (WithoutAccelerator(caption).rfind(click.button, 0) != 0)
                continue;
            if (!options.seen.empty())
                AppendLine(options.seen, all.caption + L"\t" + caption + L"\tclick-main");
            Sleep(options.hold);
            std::wstring outcome;
            if (!IsWindowEnabled(button)) {
                outcome = L"button " + click.button + L" disabled";
            } else {
                // Posted like press: the main thread may be inside a long call and take it later.
                PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
            }
            AppendLine(options.log, all.caption + L"\t" + caption + L"\tclick-main:" + click.button + L"\t" +
                                        (outcome.empty() ? L"done" : outcome));
            return true;
        }
    }
    return false;
}

bool ParseOptions(Options& options) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return false;
    bool ok = true;
    for (int i = 1; i < count && ok; ++i) {
        const std::wstring name = args[i];
        if (name == L"--click-main" && i + 3 < count) {
            options.clicks.push_back({args[i + 1], args[i + 2], args[i + 3]});
            i += 3;
        } else if (name == L"--on" && i + 2 < count) {
            options.rules.push_back({args[i + 1], args[i + 2]});
            i += 2;
        } else if (name == L"--log" && i + 1 < count) {
            options.log = args[++i];
        } else if (name == L"--seen" && i + 1 < count) {
            options.seen = args[++i];
        } else if (name == L"--seconds" && i + 1 < count) {
            options.seconds = wcstoul(args[++i], nullptr, 10);
        } else if (name == L"--hold" && i + 1 < count) {
            options.hold = wcstoul(args[++i], nullptr, 10);
        } else {
            ok = false;
        }
    }
    LocalFree(args);
    return ok && !options.log.empty();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Options options;
    if (!ParseOptions(options))
        return 1;
    std::set<HWND> handled;
    bool seen = false;
    DWORD goneSince = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < options.seconds * 1000) {
        Scan scan;
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&scan));
        if (scan.boxes.empty() && scan.mains.empty()) {
            // Gone for good only after a moment: between two boxes there may be no window for an instant.
            if (seen && goneSince == 0)
                goneSince = GetTickCount();
            if (seen && GetTickCount() - goneSince > 3000)
                return 0;
        } else {
            seen = true;
            goneSince = 0;
        }
        for (Click& click : options.clicks) {
            if (click.done || scan.mains.empty())
                continue;
            const auto when = tarvoline::standin::ReadUtf8File(click.whenFile);
            if (!when || when->find(click.whenText) == std::wstring::npos)
                continue;
            // Without the button yet (another window of the program) it is looked for again next time.
            click.done = ClickMain(options, click, scan.mains);
        }
        for (const HWND window : scan.boxes) {
            if (handled.count(window))
                continue;
            // Let it finish building and painting before reading it.
            Sleep(300);
            if (!IsWindow(window) || !IsWindowVisible(window))
                continue;
            handled.insert(window);
            const Box box = ReadBox(window);
            const std::wstring text = AllText(box);
            if (!options.seen.empty())
                AppendLine(options.seen, box.caption + L"\t" + text);
            Sleep(options.hold);
            std::wstring actions = L"press:OK";
            for (const Rule& rule : options.rules) {
                if (box.caption.find(rule.text) != std::wstring::npos || text.find(Escaped(rule.text)) != std::wstring::npos) {
                    actions = rule.actions;
                    break;
                }
            }
            std::wstring outcome;
            for (const std::wstring& action : SplitActions(actions)) {
                outcome = Act(box, action, scan.mains);
                if (!outcome.empty())
                    break;
                Sleep(200);
            }
            AppendLine(options.log, box.caption + L"\t" + text + L"\t" + actions + L"\t" +
                                        (outcome.empty() ? L"done" : outcome));
        }
        Sleep(200);
    }
    return 3;
}
