// Printing through the shell's "printto" verb for real: Win32Shell::PrintTo asks ShellExecuteA, which
// starts our print-to stand-in registered for the file's type; the stand-in prints through the
// spooler to CUPS's "PDF" queue, and cups-pdf writes the PDF.
#include <gtest/gtest.h>

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "../standins/printto/printto_command_line.h"
#include "common/encoding.h"
#include "fakes/fake_ui.h"
#include "common/messages.h"
#include "platform/clock.h"
#include "platform/spooler.h"
#include "platform/win32_printer_watch.h"
#include "platform/win32_shell.h"
#include "print/password_keyin.h"
#include "print/prn.h"
#include "print/prtoth.h"
#include "print/prtpdf.h"
#include "standin_process.h"

namespace tarvoline {
namespace {

using testing::ChildProcess;
using testing::ReadWholeFile;
using testing::StandinPath;

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::optional<std::string> PollForFile(const std::string& path, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (auto content = ReadWholeFile(path); content && !content->empty() && content->back() == '\n')
            return content;
        if (GetTickCount() - start > milliseconds)
            return std::nullopt;
        Sleep(100);
    }
}

// The journal line the stand-in wrote: file, printer, outcome and its command line, in ANSI.
std::vector<std::string> JournalFields(const std::string& utf8Line) {
    std::vector<std::string> fields;
    const std::string ansi = Utf8ToAnsi(utf8Line.substr(0, utf8Line.find_last_not_of("\r\n") + 1)).value_or("?");
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = ansi.find('\t', start);
        fields.push_back(ansi.substr(start, tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// The folder cups-pdf writes into, as a path this program can read: CTest names it.
std::optional<std::string> CupsPdfFolder() {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TARVOLINE_CUPS_PDF_FOLDER", value, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::nullopt;
    std::string folder(value, length);
    if (folder.front() == '/') {
        using ToDos = wchar_t*(CDECL*)(const char*);
        const auto toDos = reinterpret_cast<ToDos>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
        if (toDos == nullptr)
            return std::nullopt;
        wchar_t* dos = toDos(folder.c_str());
        if (dos == nullptr)
            return std::nullopt;
        folder = Utf16ToAnsi(reinterpret_cast<const char16_t*>(dos)).value_or("");
        HeapFree(GetProcessHeap(), 0, dos);
    }
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::vector<std::string> PdfsNamedWith(const std::string& folder, const std::string& token) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "*" + token + "*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void WriteFile(const std::string& path, const std::string& content) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

class PrintToWin32Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ChildProcess registration;
        ASSERT_TRUE(registration.Start(StandinPath("tarvoline-printto.exe"), "--register"))
            << StandinPath("tarvoline-printto.exe");
        ASSERT_EQ(registration.Wait(30000), std::optional<DWORD>(0));
    }

    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        // Blanks and double-byte characters (with a 0x5C trail byte) in the folder test the file's quoting.
        folder = std::string(temp) + "印刷 テスト 表\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        token = "tv" + std::to_string(GetCurrentProcessId()) + "x" + std::to_string(GetTickCount());
    }
    void TearDown() override {
        SetEnvironmentVariableA("TARVOLINE_PRINTTO_JOURNAL", nullptr);
        for (const std::string& file : created)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
        CoUninitialize();
    }

    std::string Document(const std::string& name, const std::string& content) {
        const std::string path = folder + name;
        WriteFile(path, content);
        created.push_back(path);
        created.push_back(path + ".printto.txt");
        return path;
    }

    std::string folder;
    std::string token;
    std::vector<std::string> created;
    Win32Shell shell;
};

TEST(PrintToCommandLineTest, ThePrinterNameSurvivesWhatEitherShellMakesOfTheQuotes) {
    struct Case {
        const wchar_t* commandLine;
        const wchar_t* file;
        const wchar_t* printer;
    };
    const Case cases[] = {
        // Wine 8: the parameters split on blanks, their quotes kept, the unused %3 and %4 empty.
        {LR"("Z:\b\p.exe" "C:\a b\x.pdf" ""PDF"" "" "")", LR"(C:\a b\x.pdf)", L"PDF"},
        {LR"("Z:\b\p.exe" "C:\a b\x.pdf" ""My" "Printer"" "")", LR"(C:\a b\x.pdf)", L"My Printer"},
        {LR"("Z:\b\p.exe" "C:\x.pdf" ""プリンタ" "表"" "")", LR"(C:\x.pdf)", L"プリンタ 表"},
        // Windows: %2 is the quoted printer name, in one piece.
        {LR"("C:\p.exe" "C:\x.pdf" "My Printer")", LR"(C:\x.pdf)", L"My Printer"},
        {LR"(p.exe C:\x.pdf PDF)", LR"(C:\x.pdf)", L"PDF"},
    };
    for (const Case& c : cases) {
        const auto request = printto::ParseCommandLine(c.commandLine);
        ASSERT_TRUE(request.has_value()) << AnsiToUtf8(
            Utf16ToAnsi(reinterpret_cast<const char16_t*>(c.commandLine)).value_or("?"));
        EXPECT_EQ(request->file, c.file);
        EXPECT_EQ(request->printer, c.printer);
    }
    for (const wchar_t* incomplete : {LR"("C:\p.exe" "C:\x.pdf")", LR"("C:\p.exe" "C:\x.pdf" "" "")", L"p.exe"})
        EXPECT_FALSE(printto::ParseCommandLine(incomplete).has_value());
}

TEST_F(PrintToWin32Test, TheRegisteredProgramPrintsThroughTheSpoolerIntoAPdf) {
    struct Case {
        std::string name;
        std::string content;
        bool showWindow;
        bool journalNamedByEnvironment;
        bool prints;
    };
    // The one that prints nothing goes first: if it printed after all, CUPS would finish its job before
    // the others, so its PDF could not be missed.
    const Case cases[] = {
        {token + "c-noprint.tvtest", "never printed\r\n", true, false, false},
        {token + "a.pdf", "%PDF-1.4\n%stand-in content\n", false, true, true},
        {token + "b 報告.tvtest", "first line\r\n表示 second line\r\n", true, false, true},
    };
    const std::string namedJournal = folder + token + "-journal.txt";
    created.push_back(namedJournal);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Document(c.name, c.content);
        SetEnvironmentVariableA("TARVOLINE_PRINTTO_JOURNAL",
                                c.journalNamedByEnvironment ? namedJournal.c_str() : nullptr);
        const int result = shell.PrintTo(path, "\"PDF\"", c.showWindow);
        EXPECT_GT(result, 32);

        const auto journal = PollForFile(c.journalNamedByEnvironment ? namedJournal : path + ".printto.txt", 30000);
        ASSERT_TRUE(journal.has_value()) << "the print-to program left no journal";
        const std::vector<std::string> fields = JournalFields(*journal);
        ASSERT_GE(fields.size(), 3u) << *journal;
        EXPECT_EQ(fields[0], path);
        EXPECT_EQ(fields[1], "PDF");
        if (c.prints)
            EXPECT_EQ(fields[2].rfind("printed ", 0), 0u) << fields[2];
        else
            EXPECT_EQ(fields[2], "noprint");
        RecordProperty(c.name, *journal);
    }

    if (!RunningUnderWine())
        GTEST_SKIP() << "the PDFs of cups-pdf can be looked for only where CUPS prints";
    const auto pdfFolder = CupsPdfFolder();
    ASSERT_TRUE(pdfFolder.has_value()) << "TARVOLINE_CUPS_PDF_FOLDER names no readable folder";
    const DWORD start = GetTickCount();
    while ((PdfsNamedWith(*pdfFolder, token + "a").empty() || PdfsNamedWith(*pdfFolder, token + "b").empty()) &&
           GetTickCount() - start < 60000)
        Sleep(250);
    EXPECT_EQ(PdfsNamedWith(*pdfFolder, token + "a").size(), 1u) << *pdfFolder;
    EXPECT_EQ(PdfsNamedWith(*pdfFolder, token + "b").size(), 1u) << *pdfFolder;
    EXPECT_TRUE(PdfsNamedWith(*pdfFolder, token + "c").empty());
    for (const char* suffix : {"a", "b"})
        for (const std::string& pdf : PdfsNamedWith(*pdfFolder, token + suffix))
            DeleteFileA((*pdfFolder + pdf).c_str());
}

TEST_F(PrintToWin32Test, TheShellRefusesWhatItCannotPrint) {
    const std::string unregistered = Document(token + ".tvnone", "no program prints this\r\n");
    EXPECT_EQ(shell.PrintTo(unregistered, "\"PDF\"", true), SE_ERR_NOASSOC);
    EXPECT_EQ(shell.PrintTo(folder + token + "-missing.tvtest", "\"PDF\"", true), SE_ERR_FNF);
}

class NoKeyIn : public PasswordKeyIn {
public:
    void Start(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void Stop() override {}
};

class NamedPrinterSpooler : public Spooler {
public:
    std::string DefaultPrinterName() override { return "PDF"; }
    std::vector<std::string> PrinterNames() override { return {"PDF"}; }
};

// The handlers themselves, as the print run calls them: the program is started through the real shell
// and prints, and then the spool monitor cannot watch the queue because Wine 8 has no job change
// notification. On Windows the same calls end successfully once the queue is quiet again.
TEST_F(PrintToWin32Test, TheHandlersStartTheProgramAndTheWatchEndsAsWineAllows) {
    testing::FakeUi ui;
    SetMessageUi(&ui);
    Win32PrinterWatcher watcher;
    SystemClock clock;
    NamedPrinterSpooler spooler;
    c_prn printer(spooler, "");
    NoKeyIn keyIn;
    const PrintToServices services{shell, watcher, clock};
    c_prtpdf pdf(printer, services, keyIn);
    c_prtoth other(printer, services);

    const std::string pdfFile = Document(token + "d.pdf", "%PDF-1.4\n%handler\n");
    const std::string otherFile = Document(token + "e 表.tvtest", "printed by the other-types handler\r\n");
    // Each program has finished printing before the next starts, as the pauses of a print run ensure.
    auto expectPrinted = [](const std::string& file) {
        const auto journal = PollForFile(file + ".printto.txt", 30000);
        ASSERT_TRUE(journal.has_value()) << file;
        const std::vector<std::string> fields = JournalFields(*journal);
        ASSERT_GE(fields.size(), 3u);
        EXPECT_EQ(fields[1], "PDF");
        EXPECT_EQ(fields[2].rfind("printed ", 0), 0u) << fields[2];
    };
    const bool pdfPrinted = pdf.Print(pdfFile, "");
    expectPrinted(pdfFile);
    const bool otherPrinted = other.Print(otherFile);
    expectPrinted(otherFile);
    SetMessageUi(nullptr);
    if (!RunningUnderWine()) {
        EXPECT_TRUE(pdfPrinted);
        EXPECT_TRUE(otherPrinted);
        return;
    }
    EXPECT_FALSE(pdfPrinted);
    EXPECT_FALSE(otherPrinted);
    const std::string expected = "PDFの印刷に失敗しました。(FindFirst Printer=PDF, Error=0)";
    ASSERT_EQ(ui.boxes.size(), 2u);
    for (const auto& box : ui.boxes)
        EXPECT_EQ(box.text, expected);

    const auto pdfFolder = CupsPdfFolder();
    ASSERT_TRUE(pdfFolder.has_value());
    const DWORD start = GetTickCount();
    while ((PdfsNamedWith(*pdfFolder, token + "d").empty() || PdfsNamedWith(*pdfFolder, token + "e").empty()) &&
           GetTickCount() - start < 60000)
        Sleep(250);
    for (const char* suffix : {"d", "e"}) {
        const std::vector<std::string> pdfs = PdfsNamedWith(*pdfFolder, token + suffix);
        EXPECT_EQ(pdfs.size(), 1u) << suffix;
        for (const std::string& name : pdfs)
            DeleteFileA((*pdfFolder + name).c_str());
    }
}

} // namespace
} // namespace tarvoline
