#include <gtest/gtest.h>

#include "fakes/message_services_fixture.h"
#include "common/messages.h"
#include "common/print_log.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_password_keyin.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_spooler.h"
#include "fakes/fake_ui.h"
#include "fakes/memory_file_system.h"
#include "fakes/scripted_printer_watch.h"
#include "print/prn.h"
#include "print/prtoth.h"
#include "print/prtpdf.h"

namespace tarvoline {
namespace {

using namespace tarvoline::testing;

class PrintToHandlerTest : public testing::MessageServicesTest {
protected:
    void SetUp() override {
        MessageServicesTest::SetUp();
        abortRequested = false;
        script.changesAt = {3000};
    }

    FakeShell shell;
    FakeSpooler spooler;
    PrinterScript script;
    ScriptedWatcher watcher{clock, script};
    FakePasswordKeyIn keyIn;
    c_prn printer{spooler, "Canon 事務室"};
    PrintToServices services{shell, watcher, clock};
};

TEST_F(PrintToHandlerTest, PdfGoesHiddenToThePrintToVerbWithTheQuotedPrinterAndWaitsForTheQueue) {
    c_prtpdf pdf(printer, services, keyIn);
    EXPECT_TRUE(pdf.Print("D:\\報告 書.pdf", "pw"));
    ASSERT_EQ(shell.printed.size(), 1u);
    EXPECT_EQ(shell.printed[0], (FakeShell::PrintRequest{"D:\\報告 書.pdf", "\"Canon 事務室\"", false}));
    EXPECT_EQ(watcher.openedName, "Canon 事務室");
    EXPECT_TRUE(watcher.released);
    EXPECT_EQ(keyIn.calls, (std::vector<std::string>{"keyin start パスワード|OK|RICHEDIT|pw", "keyin stop"}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PrintToHandlerTest, PdfWithoutPasswordStartsNoKeyInAndUsesTheDefaultPrinter) {
    spooler.defaultPrinter = "PDF";
    printer.SetPrinterName("");
    script.changesAt.clear();
    c_prtpdf pdf(printer, services, keyIn);
    EXPECT_FALSE(pdf.Print("D:\\a.pdf", "")) << "a viewer that never prints";
    EXPECT_EQ(shell.printed[0].parameters, "\"PDF\"");
    EXPECT_TRUE(keyIn.calls.empty());
}

TEST_F(PrintToHandlerTest, RefusedShellCallShowsItsCodeAndWatchesNothing) {
    shell.printToResult = 31; // SE_ERR_NOASSOC
    c_prtpdf pdf(printer, services, keyIn);
    EXPECT_FALSE(pdf.Print("D:\\a.pdf", "pw"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(File=D:\\a.pdf, Error=31)");
    EXPECT_EQ(watcher.openedName, "");
    EXPECT_EQ(keyIn.calls.back(), "keyin stop");

    ui.boxes.clear();
    c_prtoth other(printer, services);
    EXPECT_FALSE(other.Print("D:\\図面.dwg"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "ファイルの印刷に失敗sました。(File=D:\\図面.dwg, Error=31)");
}

TEST_F(PrintToHandlerTest, OtherTypesAreShownAndNeverUseAPassword) {
    c_prtoth other(printer, services);
    PrintRequest request;
    request.path = "D:\\memo.txt";
    request.password = "ignored";
    EXPECT_TRUE(static_cast<PrintHandler&>(other).Print(request));
    ASSERT_EQ(shell.printed.size(), 1u);
    EXPECT_EQ(shell.printed[0], (FakeShell::PrintRequest{"D:\\memo.txt", "\"Canon 事務室\"", true}));
    EXPECT_TRUE(keyIn.calls.empty());
}

TEST_F(PrintToHandlerTest, TheSpoolMonitorsFailureIsTheHandlersResult) {
    script.findFirstWorks = false;
    c_prtoth other(printer, services);
    EXPECT_FALSE(other.Print("D:\\memo.txt"));
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].text, "PDFの印刷に失敗しました。(FindFirst Printer=Canon 事務室, Error=50)");
}

} // namespace
} // namespace tarvoline
