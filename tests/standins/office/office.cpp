// Stands in for the document applications the print handlers drive: one local automation server,
// registered under "Word.Application", "Excel.Application", "PowerPoint.Application" and
// "Visio.Application" (a class of its own for each), plain IDispatch, no type library. It serves the
// members the handlers call, journals every call, and prints by sending a real job through the spooler.
//
//   tarvoline-office --register | --unregister
//   tarvoline-office --app Word|Excel|PowerPoint|Visio -Embedding     (started by COM)
//
// Journal: the file named by TARVOLINE_OFFICE_JOURNAL (UTF-8, one line per event, appended):
//   "Word create", "Word.documents method Open(VT_BSTR "C:\a.doc", VT_BOOL 0, VT_BOOL -1)",
//   "Excel.sheet[Sales] get Name()", "Word print "a.doc - tarvoline-word" to "PDF" pages page 1, page 2: printed 7",
//   "Word prompt button right password", "Visio.document fails PrintOut: TEXT"
// Without it nothing is journalled. A job is spooled under the name journalled plus " #PROCESS.N", so that
// cups-pdf, which names its files after the job, gives every job a file of its own.
//
// A document's side file, the document's path plus ".standin" (UTF-8, "key=value" lines), shapes it:
//   pages=N              pages of a Word or Visio document (default 2)
//   slides=N             slides of a presentation (default 3)
//   sheets=A,B,~C        the workbook's sheets in order, "~" marking a hidden one (default Sheet1)
//   selected=B           the sheets selected in the workbook's window (default the first visible one)
//   password=TEXT        Open shows a password prompt (tarvoline-prompt, title containing "パスワード",
//                        the edit class the application's prompt has, an "OK" button) and opens the
//                        document only when TEXT was typed into it
//   fail=Member CODE TEXT       every call of Member fails with the HRESULT CODE and the text
//   fail-once=Member CODE TEXT  only the first call of Member fails
//   hold=Member MS       the call of Member returns only MS milliseconds after its work (a slow print
//                        that the client waits for); journalled as "Word.document holds Member MS ms"
// "fail=Open ..." refuses to open the file.
#include <windows.h>

#include <shellapi.h>

#include <cwctype>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dispatch_support.h"
#include "registration.h"
#include "spool_job.h"
#include "standin_files.h"

namespace {

using namespace tarvoline;
using namespace tarvoline::standin;

constexpr HRESULT kWrongPassword = static_cast<HRESULT>(0x800A1520);
constexpr HRESULT kBadSheets = static_cast<HRESULT>(0x800A03EC);

struct Application {
    const wchar_t* name;
    CLSID clsid;
    const wchar_t* editClass; // the edit box of its password prompt
};

const Application kApplications[] = {
    {L"Word", {0x5d1c0a31, 0x7e42, 0x4c1b, {0x9a, 0x61, 0x30, 0x8e, 0x52, 0x11, 0xa4, 0x01}}, L"RichEdit20W"},
    {L"Excel", {0x5d1c0a31, 0x7e42, 0x4c1b, {0x9a, 0x61, 0x30, 0x8e, 0x52, 0x11, 0xa4, 0x02}}, L"EDTBX"},
    {L"PowerPoint", {0x5d1c0a31, 0x7e42, 0x4c1b, {0x9a, 0x61, 0x30, 0x8e, 0x52, 0x11, 0xa4, 0x03}}, L"Edit"},
    {L"Visio", {0x5d1c0a31, 0x7e42, 0x4c1b, {0x9a, 0x61, 0x30, 0x8e, 0x52, 0x11, 0xa4, 0x04}}, L"Edit"},
};

const Application* application = nullptr;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(towlower(c));
    return text;
}

std::wstring Trim(const std::wstring& text) {
    const auto first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        items.push_back(Trim(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start)));
        if (end == std::wstring::npos)
            return items;
        start = end + 1;
    }
}

std::wstring JournalPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TARVOLINE_OFFICE_JOURNAL", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

void Journal(const std::wstring& line) {
    static const std::wstring path = JournalPath();
    if (!path.empty())
        AppendToFile(path, ToUtf8(std::wstring(application->name) + line + L"\n"));
}

struct Failure {
    HRESULT code = S_OK;
    std::wstring text;
    bool once = false;
};

struct Sheet {
    std::wstring name;
    bool visible = true;
};

// One opened document with what its side file says.
struct Document {
    std::wstring path;
    int pages = 2;
    int slides = 3;
    std::vector<Sheet> sheets{{L"Sheet1", true}};
    std::vector<std::size_t> selected;
    std::optional<std::wstring> password;
    std::map<std::wstring, Failure> failures; // by lower-case member name
    std::map<std::wstring, DWORD> holds;      // milliseconds, by lower-case member name

    explicit Document(std::wstring documentPath) : path(std::move(documentPath)) {
        const auto side = ReadUtf8File(path + L".standin");
        bool selectionGiven = false;
        for (const std::wstring& line : Split(side.value_or(L""), L'\n')) {
            const std::size_t equals = line.find(L'=');
            if (equals == std::wstring::npos)
                continue;
            const std::wstring key = Lower(Trim(line.substr(0, equals)));
            const std::wstring value = Trim(line.substr(equals + 1));
            if (key == L"pages")
                pages = _wtoi(value.c_str());
            else if (key == L"slides")
                slides = _wtoi(value.c_str());
            else if (key == L"password")
                password = value;
            else if (key == L"sheets") {
                sheets.clear();
                for (const std::wstring& name : Split(value, L','))
                    sheets.push_back(name.starts_with(L"~") ? Sheet{name.substr(1), false} : Sheet{name, true});
            } else if (key == L"selected") {
                selectionGiven = true;
                for (const std::wstring& name : Split(value, L','))
                    if (const auto index = SheetIndex(name))
                        selected.push_back(*index);
            } else if (key == L"fail" || key == L"fail-once") {
                // "Member CODE TEXT"
                const std::size_t blank = value.find(L' ');
                const std::wstring rest = blank == std::wstring::npos ? L"" : Trim(value.substr(blank + 1));
                const std::size_t second = rest.find(L' ');
                Failure failure;
                failure.code = static_cast<HRESULT>(wcstoul(rest.substr(0, second).c_str(), nullptr, 0));
                failure.text = second == std::wstring::npos ? L"" : Trim(rest.substr(second + 1));
                failure.once = key == L"fail-once";
                failures[Lower(value.substr(0, blank))] = failure;
            } else if (key == L"hold") {
                // "Member MS"
                const std::size_t blank = value.find(L' ');
                if (blank != std::wstring::npos)
                    holds[Lower(value.substr(0, blank))] = wcstoul(Trim(value.substr(blank + 1)).c_str(), nullptr, 10);
            }
        }
        if (!selectionGiven) {
            for (std::size_t i = 0; i < sheets.size(); ++i) {
                if (sheets[i].visible) {
                    selected.push_back(i);
                    break;
                }
            }
        }
    }

    std::optional<std::size_t> SheetIndex(const std::wstring& name) const {
        for (std::size_t i = 0; i < sheets.size(); ++i)
            if (_wcsicmp(sheets[i].name.c_str(), name.c_str()) == 0)
                return i;
        return std::nullopt;
    }
};

// What the objects of this server share: one client, one application.
struct Session {
    std::wstring printer; // Word's ActivePrinter
    std::shared_ptr<Document> document;
    // PowerPoint's print options.
    int rangeType = 1;
    std::vector<std::pair<int, int>> ranges;
};

enum class Kind {
    Application,
    Collection, // Documents, Workbooks, Presentations
    Document,   // a document, workbook, presentation or drawing
    Sheets,     // a set of a workbook's sheets
    Sheet,
    Window,
    Slides,
    PrintOptions,
    Ranges,
};

const wchar_t* KindName(Kind kind) {
    switch (kind) {
    case Kind::Application:
        return L"application";
    case Kind::Collection:
        return L"documents";
    case Kind::Document:
        return L"document";
    case Kind::Sheets:
        return L"sheets";
    case Kind::Sheet:
        return L"sheet";
    case Kind::Window:
        return L"window";
    case Kind::Slides:
        return L"slides";
    case Kind::PrintOptions:
        return L"printoptions";
    case Kind::Ranges:
        return L"ranges";
    }
    return L"?";
}

// Every member any object serves; its position is its DISPID less one.
const wchar_t* const kMemberNames[] = {
    L"ActivePrinter", L"Documents", L"Workbooks", L"Presentations", L"Visible", L"WindowState", L"ActiveWindow",
    L"AlertResponse", L"Quit", L"Open", L"PrintOut", L"Close", L"Sheets", L"SelectedSheets", L"Count", L"Item",
    L"Name", L"Slides", L"PrintOptions", L"PrintInBackground", L"RangeType", L"Ranges", L"ClearAll", L"Add",
};

// Which members each kind serves, by application where they differ.
bool Serves(Kind kind, const std::wstring& member) {
    const std::wstring app = application->name;
    const auto any = [&](std::initializer_list<const wchar_t*> names) {
        for (const wchar_t* name : names)
            if (member == name)
                return true;
        return false;
    };
    switch (kind) {
    case Kind::Application:
        if (app == L"Word")
            return any({L"ActivePrinter", L"Documents", L"Visible", L"Quit"});
        if (app == L"Excel")
            return any({L"Visible", L"Workbooks", L"ActiveWindow", L"Quit"});
        if (app == L"PowerPoint")
            return any({L"Visible", L"WindowState", L"Presentations", L"Quit"});
        return any({L"Documents", L"AlertResponse", L"Quit"});
    case Kind::Collection:
        return any({L"Open", L"Count"});
    case Kind::Document:
        if (app == L"Excel")
            return any({L"Sheets", L"PrintOut", L"Close", L"Name"});
        if (app == L"PowerPoint")
            return any({L"Slides", L"PrintOptions", L"PrintOut", L"Close", L"Name"});
        return any({L"PrintOut", L"Close", L"Name"});
    case Kind::Sheets:
        return any({L"Count", L"Item", L"PrintOut"});
    case Kind::Sheet:
        return any({L"Name", L"Visible", L"PrintOut"});
    case Kind::Window:
        return any({L"SelectedSheets"});
    case Kind::Slides:
        return any({L"Count"});
    case Kind::PrintOptions:
        return any({L"ActivePrinter", L"PrintInBackground", L"RangeType", L"Ranges"});
    case Kind::Ranges:
        return any({L"ClearAll", L"Add", L"Count"});
    }
    return false;
}

// An error the server reports in its own words, the way Office does.
struct ServerError {
    HRESULT code;
    std::wstring text;
};

int IntegerArgument(const DISPPARAMS& parameters, std::size_t position, int fallback) {
    const std::vector<const VARIANT*> arguments = PositionalArguments(parameters);
    if (position >= arguments.size() ||
        (V_VT(arguments[position]) == VT_ERROR && V_ERROR(arguments[position]) == DISP_E_PARAMNOTFOUND))
        return fallback;
    Variant value;
    if (FAILED(ArgumentAs(parameters, position, VT_I4, value)))
        throw ServerError{DISP_E_TYPEMISMATCH, L"argument " + std::to_wstring(position + 1) + L" is not a number"};
    return V_I4(value.Get());
}

std::optional<std::wstring> TextArgument(const DISPPARAMS& parameters, std::size_t position) {
    const std::vector<const VARIANT*> arguments = PositionalArguments(parameters);
    if (position >= arguments.size() || V_VT(arguments[position]) == VT_ERROR)
        return std::nullopt;
    Variant value;
    if (FAILED(ArgumentAs(parameters, position, VT_BSTR, value)))
        throw ServerError{DISP_E_TYPEMISMATCH, L"argument " + std::to_wstring(position + 1) + L" is not a text"};
    return std::wstring(BstrText(V_BSTR(value.Get())));
}

std::wstring DefaultPrinter() {
    wchar_t name[512];
    DWORD size = static_cast<DWORD>(std::size(name));
    return GetDefaultPrinterW(name, &size) ? std::wstring(name) : std::wstring();
}

// Pages of a Word page text such as "1-3,5" or "2-": the pages named, in order, within 1..last.
std::vector<int> PagesOfText(const std::wstring& text, int last) {
    std::vector<int> pages;
    for (const std::wstring& item : Split(text, L',')) {
        if (item.empty())
            continue;
        const std::size_t dash = item.find(L'-');
        int from = _wtoi(item.substr(0, dash).c_str());
        int to = dash == std::wstring::npos ? from : _wtoi(item.substr(dash + 1).c_str());
        if (dash != std::wstring::npos && Trim(item.substr(0, dash)).empty())
            from = 1;
        if (dash != std::wstring::npos && Trim(item.substr(dash + 1)).empty())
            to = last;
        for (int page = std::max(from, 1); page <= std::min(to, last); ++page)
            pages.push_back(page);
    }
    return pages;
}

std::vector<int> PageSpan(int from, int to, int last) {
    std::vector<int> pages;
    for (int page = std::max(from, 1); page <= std::min(to < 0 ? last : to, last); ++page)
        pages.push_back(page);
    return pages;
}

// The job: one page per printed page, each saying what it is.
void PrintPages(const std::wstring& printer, const std::wstring& jobName, const std::vector<std::wstring>& labels) {
    std::vector<std::vector<std::wstring>> pages;
    for (const std::wstring& label : labels)
        pages.push_back({std::wstring(application->name) + L" stand-in: " + jobName, L"", label});
    const std::wstring target = printer.empty() ? DefaultPrinter() : printer;
    std::wstring pageText;
    for (const std::wstring& label : labels)
        pageText += (pageText.empty() ? L"" : L", ") + label;
    // cups-pdf names its file after the job and overwrites a file of the same name: every job gets its own.
    static int jobs = 0;
    const std::wstring spooledName =
        jobName + L" #" + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++jobs);
    const std::wstring outcome = labels.empty() ? L"nothing to print" : PrintJob(target, spooledName, pages);
    Journal(L" print \"" + jobName + L"\" to \"" + target + L"\" pages " + (labels.empty() ? L"none" : pageText) +
            L": " + outcome);
    if (outcome.rfind(L"failed", 0) == 0)
        throw ServerError{E_FAIL, L"プリンターに印刷できませんでした (" + outcome + L")"};
}

std::wstring ProgramName() {
    return L"tarvoline-" + Lower(application->name);
}

// The password prompt is our prompt stand-in, shown while Open waits; the document opens only with the
// right text typed into it.
void AskPassword(const Document& document) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t answerFile[MAX_PATH];
    GetTempFileNameW(folder, L"tpw", 0, answerFile);
    const std::wstring program = ModuleFolder() + L"tarvoline-prompt.exe";
    std::wstring commandLine = L"\"" + program + L"\" --journal \"" + answerFile + L"\" --title \"パスワード - " +
                               FileNameOf(document.path) + L"\" --edit-class " + application->editClass +
                               L" --button OK --timeout 60000";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw ServerError{HRESULT_FROM_WIN32(GetLastError()), L"パスワードの入力画面を表示できませんでした"};
    CloseHandle(started.hThread);
    // The client is blocked in Open meanwhile; keep this apartment's messages moving.
    for (;;) {
        const DWORD wait = MsgWaitForMultipleObjects(1, &started.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (wait != WAIT_OBJECT_0 + 1)
            break;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    CloseHandle(started.hProcess);
    const std::wstring answer = ReadUtf8File(answerFile).value_or(L"");
    DeleteFileW(answerFile);
    const std::size_t tab = answer.find(L'\t');
    const std::wstring how = answer.substr(0, tab);
    const std::wstring typed =
        tab == std::wstring::npos ? L"" : answer.substr(tab + 1, answer.find(L'\n', tab) - tab - 1);
    Journal(L" prompt " + (how.empty() ? std::wstring(L"unanswered") : how) + L" " +
            (typed == *document.password ? L"right password" : L"wrong password"));
    if (how == L"cancel" || how.empty() || typed != *document.password)
        throw ServerError{kWrongPassword, L"パスワードが正しくありません。" + FileNameOf(document.path) +
                                              L" を開けません。"};
}

class Object;
std::vector<Object*> liveObjects;

class Object final : public DispatchObject {
public:
    Object(std::shared_ptr<Session> session, Kind kind, std::vector<std::size_t> sheets = {})
        : session_(std::move(session)), kind_(kind), sheets_(std::move(sheets)) {
        liveObjects.push_back(this);
    }
    ~Object() override { std::erase(liveObjects, this); }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!names || !ids)
            return E_POINTER;
        HRESULT result = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (std::size_t m = 0; i == 0 && m < std::size(kMemberNames); ++m) {
                if (_wcsicmp(kMemberNames[m], names[0]) == 0 && Serves(kind_, kMemberNames[m]))
                    ids[0] = static_cast<DISPID>(m + 1);
            }
            if (ids[i] == DISPID_UNKNOWN) {
                Journal(L"." + Label() + L" unknown " + std::wstring(names[i]));
                result = DISP_E_UNKNOWNNAME;
            }
        }
        return result;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (id < 1 || id > static_cast<DISPID>(std::size(kMemberNames)))
            return DISP_E_MEMBERNOTFOUND;
        const std::wstring member = kMemberNames[id - 1];
        DISPPARAMS none{};
        if (!parameters)
            parameters = &none;
        // No exception may leave for the caller's side.
        try {
            Journal(L"." + DescribeCall(Label(), member, flags, *parameters, NameOf));
            if (member != L"Open")
                FailIfTold(member);
            Variant answer;
            Perform(member, flags, *parameters, answer);
            HoldIfTold(member);
            if (result)
                *result = answer.Release();
            return S_OK;
        } catch (const ServerError& error) {
            Journal(L"." + Label() + L" fails " + member + L": " + error.text);
            return RaiseError(error.code, error.text, std::wstring(application->name) + L".Application", exception);
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

private:
    static std::wstring NameOf(IDispatch* object) {
        for (Object* live : liveObjects)
            if (static_cast<IDispatch*>(live) == object)
                return live->Label();
        return L"foreign";
    }

    // "application", "document", "sheet[Sales]", "sheets[Sales,Costs]".
    std::wstring Label() const {
        std::wstring label = KindName(kind_);
        if ((kind_ == Kind::Sheet || kind_ == Kind::Sheets) && session_->document) {
            std::wstring names;
            for (const std::size_t index : sheets_)
                names += (names.empty() ? L"" : L",") + session_->document->sheets[index].name;
            label += L"[" + names + L"]";
        }
        return label;
    }

    void FailIfTold(const std::wstring& member) const {
        if (!session_->document)
            return;
        auto& failures = session_->document->failures;
        const auto failure = failures.find(Lower(member));
        if (failure == failures.end())
            return;
        const ServerError error{failure->second.code, failure->second.text};
        if (failure->second.once)
            failures.erase(failure);
        throw error;
    }

    // The caller stays blocked in its call meanwhile; this apartment keeps its messages moving.
    void HoldIfTold(const std::wstring& member) const {
        if (!session_->document)
            return;
        const auto& holds = session_->document->holds;
        const auto hold = holds.find(Lower(member));
        if (hold == holds.end())
            return;
        Journal(L"." + Label() + L" holds " + member + L" " + std::to_wstring(hold->second) + L" ms");
        const DWORD start = GetTickCount();
        for (DWORD waited = 0; waited < hold->second; waited = GetTickCount() - start) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, hold->second - waited, QS_ALLINPUT);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    // Left for the server's own loop.
                    PostQuitMessage(static_cast<int>(message.wParam));
                    return;
                }
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    Document& Opened() const {
        if (!session_->document)
            throw ServerError{E_UNEXPECTED, L"no document is open"};
        return *session_->document;
    }

    void ReturnObject(Variant& answer, Kind kind, std::vector<std::size_t> sheets = {}) const {
        V_VT(answer.Get()) = VT_DISPATCH;
        V_DISPATCH(answer.Get()) = new Object(session_, kind, std::move(sheets));
    }

    static void ReturnInteger(Variant& answer, int value) {
        V_VT(answer.Get()) = VT_I4;
        V_I4(answer.Get()) = value;
    }

    static void ReturnText(Variant& answer, const std::wstring& text) {
        V_BSTR(answer.Get()) = MakeBstr(text).release();
        V_VT(answer.Get()) = VT_BSTR;
    }

    static bool IsPut(WORD flags) { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

    // The value a put sets.
    static const VARIANT& PutValue(const DISPPARAMS& parameters) {
        if (parameters.cNamedArgs != 1 || parameters.cArgs != 1 || !parameters.rgdispidNamedArgs ||
            parameters.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            throw ServerError{DISP_E_PARAMNOTOPTIONAL, L"a property is set with one value"};
        return parameters.rgvarg[0];
    }

    void Open(const DISPPARAMS& parameters, Variant& answer) {
        const auto path = TextArgument(parameters, 0);
        if (!path)
            throw ServerError{DISP_E_PARAMNOTOPTIONAL, L"Open needs a file name"};
        auto document = std::make_shared<Document>(*path);
        // The side file speaks for the document from here on, the refusal to open it included.
        session_->document = document;
        FailIfTold(L"Open");
        if (GetFileAttributesW(path->c_str()) == INVALID_FILE_ATTRIBUTES)
            throw ServerError{static_cast<HRESULT>(0x800A1436),
                              L"ファイルが見つかりません。(" + *path + L")"};
        if (document->password)
            AskPassword(*document);
        ReturnObject(answer, Kind::Document);
    }

    // The sheets of a workbook's Sheets(names): every name must be a sheet of the workbook.
    std::vector<std::size_t> SheetsNamed(const DISPPARAMS& parameters) const {
        const Document& document = Opened();
        const std::vector<const VARIANT*> arguments = PositionalArguments(parameters);
        std::vector<std::size_t> chosen;
        if (arguments.empty()) {
            for (std::size_t i = 0; i < document.sheets.size(); ++i)
                chosen.push_back(i);
            return chosen;
        }
        const VARIANT& names = *arguments[0];
        if (!(V_VT(&names) & VT_ARRAY) || !V_ARRAY(&names))
            throw ServerError{kBadSheets, L"Sheets takes an array of sheet names here"};
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(V_ARRAY(&names), 1, &lower);
        SafeArrayGetUBound(V_ARRAY(&names), 1, &upper);
        for (LONG i = lower; i <= upper; ++i) {
            Variant item;
            if (FAILED(SafeArrayGetElement(V_ARRAY(&names), &i, item.Get())) ||
                FAILED(VariantChangeType(item.Get(), item.Get(), 0, VT_BSTR)))
                throw ServerError{kBadSheets, L"a sheet name is not a text"};
            const auto index = document.SheetIndex(std::wstring(BstrText(V_BSTR(item.Get()))));
            if (!index)
                throw ServerError{kBadSheets, L"シートが見つかりません: " + std::wstring(BstrText(V_BSTR(item.Get())))};
            chosen.push_back(*index);
        }
        if (chosen.empty())
            throw ServerError{kBadSheets, L"インデックスが有効範囲にありません。"};
        return chosen;
    }

    // One job for the sheets: each sheet is one page, From and To count across the job.
    void PrintSheets(const std::vector<std::size_t>& sheets, const DISPPARAMS& parameters) const {
        const Document& document = Opened();
        std::vector<std::wstring> all;
        std::wstring names;
        for (const std::size_t index : sheets) {
            if (!document.sheets[index].visible)
                continue;
            all.push_back(L"sheet " + document.sheets[index].name);
            names += (names.empty() ? L"" : L",") + document.sheets[index].name;
        }
        const int from = IntegerArgument(parameters, 0, 1);
        const int to = IntegerArgument(parameters, 1, static_cast<int>(all.size()));
        const auto printer = TextArgument(parameters, 4);
        std::vector<std::wstring> labels;
        for (const int page : PageSpan(from, to, static_cast<int>(all.size())))
            labels.push_back(all[page - 1]);
        PrintPages(printer.value_or(L""), FileNameOf(document.path) + L" " + names + L" - " + ProgramName(), labels);
    }

    void PrintDocument(const DISPPARAMS& parameters) {
        const Document& document = Opened();
        const std::wstring job = JobName(document.path, ProgramName());
        std::vector<int> pages;
        std::wstring printer;
        const std::wstring app = application->name;
        if (app == L"Word") {
            // PrintOut(Background, Append, Range, OutputFileName, From, To, Item, Copies, Pages)
            const int range = IntegerArgument(parameters, 2, 0);
            const auto pageText = TextArgument(parameters, 8);
            pages = range == 4 && pageText ? PagesOfText(*pageText, document.pages)
                                           : PageSpan(1, document.pages, document.pages);
            printer = session_->printer;
        } else if (app == L"Visio") {
            // PrintOut(PrintRange, FromPage, ToPage, ScaleCurrentViewToPaper, PrinterName)
            const int range = IntegerArgument(parameters, 0, 0);
            pages = range == 1 ? PageSpan(IntegerArgument(parameters, 1, 1), IntegerArgument(parameters, 2, -1),
                                          document.pages)
                               : PageSpan(1, document.pages, document.pages);
            printer = TextArgument(parameters, 4).value_or(L"");
        } else if (app == L"PowerPoint") {
            if (session_->rangeType == 4) {
                for (const auto& [first, last] : session_->ranges)
                    for (const int slide : PageSpan(first, last, document.slides))
                        pages.push_back(slide);
            } else {
                pages = PageSpan(1, document.slides, document.slides);
            }
            printer = session_->printer;
        } else {
            std::vector<std::size_t> all;
            for (std::size_t i = 0; i < document.sheets.size(); ++i)
                all.push_back(i);
            PrintSheets(all, parameters);
            return;
        }
        std::vector<std::wstring> labels;
        for (const int page : pages)
            labels.push_back((app == L"PowerPoint" ? L"slide " : L"page ") + std::to_wstring(page));
        PrintPages(printer, job, labels);
    }

    void Perform(const std::wstring& member, WORD flags, const DISPPARAMS& parameters, Variant& answer) {
        if (IsPut(flags)) {
            const VARIANT& value = PutValue(parameters);
            if (member == L"ActivePrinter") {
                Variant text;
                if (FAILED(VariantChangeType(text.Get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)))
                    throw ServerError{DISP_E_TYPEMISMATCH, L"the printer is a text"};
                session_->printer = BstrText(V_BSTR(text.Get()));
            } else if (member == L"RangeType") {
                Variant number;
                if (FAILED(VariantChangeType(number.Get(), const_cast<VARIANT*>(&value), 0, VT_I4)))
                    throw ServerError{DISP_E_TYPEMISMATCH, L"RangeType is a number"};
                session_->rangeType = V_I4(number.Get());
            }
            return; // Visible, WindowState, PrintInBackground, AlertResponse: taken as given
        }
        if (member == L"Documents" || member == L"Workbooks" || member == L"Presentations")
            ReturnObject(answer, Kind::Collection);
        else if (member == L"Open")
            Open(parameters, answer);
        else if (member == L"ActiveWindow")
            ReturnObject(answer, Kind::Window);
        else if (member == L"SelectedSheets")
            ReturnObject(answer, Kind::Sheets, Opened().selected);
        else if (member == L"Sheets")
            ReturnObject(answer, Kind::Sheets, SheetsNamed(parameters));
        else if (member == L"Slides")
            ReturnObject(answer, Kind::Slides);
        else if (member == L"PrintOptions")
            ReturnObject(answer, Kind::PrintOptions);
        else if (member == L"Ranges")
            ReturnObject(answer, Kind::Ranges);
        else if (member == L"Count")
            ReturnInteger(answer, Count());
        else if (member == L"Item") {
            const int index = IntegerArgument(parameters, 0, 0);
            if (index < 1 || index > static_cast<int>(sheets_.size()))
                throw ServerError{DISP_E_BADINDEX, L"インデックスが有効範囲にありません。"};
            ReturnObject(answer, Kind::Sheet, {sheets_[index - 1]});
        } else if (member == L"Name") {
            ReturnText(answer, kind_ == Kind::Sheet ? Opened().sheets[sheets_.front()].name : FileNameOf(Opened().path));
        } else if (member == L"Visible") {
            // xlSheetVisible -1, xlSheetHidden 0
            ReturnInteger(answer, kind_ == Kind::Sheet && !Opened().sheets[sheets_.front()].visible ? 0 : -1);
        } else if (member == L"ClearAll")
            session_->ranges.clear();
        else if (member == L"Add")
            session_->ranges.emplace_back(IntegerArgument(parameters, 0, 1), IntegerArgument(parameters, 1, -1));
        else if (member == L"PrintOut") {
            if (kind_ == Kind::Sheets || kind_ == Kind::Sheet)
                PrintSheets(sheets_, parameters);
            else
                PrintDocument(parameters);
        } else if (member == L"Close")
            session_->document.reset();
        else if (member == L"Quit")
            ; // the server ends once the client lets go of it
        else if (member == L"ActivePrinter")
            ReturnText(answer, session_->printer);
        else
            throw ServerError{DISP_E_MEMBERNOTFOUND, member + L" is not served"};
    }

    int Count() const {
        switch (kind_) {
        case Kind::Sheets:
            return static_cast<int>(sheets_.size());
        case Kind::Slides:
            return Opened().slides;
        case Kind::Ranges:
            return static_cast<int>(session_->ranges.size());
        default:
            return session_->document ? 1 : 0;
        }
    }

    std::shared_ptr<Session> session_;
    Kind kind_;
    std::vector<std::size_t> sheets_;
};

ClassFactory factory([]() -> DispatchObject* {
    Journal(L" create");
    return new Object(std::make_shared<Session>(), Kind::Application);
});

std::vector<ServerClass> Classes() {
    std::vector<ServerClass> classes;
    for (const Application& app : kApplications) {
        classes.push_back({app.clsid, std::wstring(app.name) + L".Application",
                           std::wstring(L"Tarvoline stand-in for ") + app.name, ServerKind::Local,
                           L"\"" + ModulePath() + L"\" --app " + app.name});
    }
    return classes;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args(arguments, arguments + (arguments ? count : 0));
    LocalFree(arguments);
    if (args.size() == 2 && args[1] == L"--register")
        return RegisterClasses(Classes()) ? 0 : 1;
    if (args.size() == 2 && args[1] == L"--unregister")
        return UnregisterClasses(Classes()) ? 0 : 1;
    if (args.size() >= 3 && args[1] == L"--app") {
        for (const Application& app : kApplications)
            if (args[2] == app.name)
                application = &app;
        if (application)
            return ServeLocalServer(application->clsid, &factory);
    }
    return 2;
}
