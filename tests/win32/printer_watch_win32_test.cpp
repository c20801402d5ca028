// The spool monitor's view of a printer, against the real spooler: CUPS's "PDF" queue under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32_printer_watch.h"

namespace tarvoline {
namespace {

const char kPrinter[] = "PDF";

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// The handle the spooler gives the next opener of the printer.
HANDLE NextRawHandle() {
    char name[] = "PDF";
    HANDLE handle = nullptr;
    if (!OpenPrinterA(name, &handle, nullptr))
        return nullptr;
    ClosePrinter(handle);
    return handle;
}

TEST(PrinterWatchWin32Test, APrinterTheSpoolerDoesNotKnowFailsToOpenWithTheSystemCode) {
    Win32PrinterWatcher watcher;
    for (const std::string name : {"Tarvoline-NoSuchPrinter", "存在しないプリンタ表", "PDF-"}) {
        SCOPED_TRACE(name);
        std::uint32_t error = 12345;
        EXPECT_EQ(watcher.OpenPrinter(name, error), nullptr);
        EXPECT_EQ(error, static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
    }
}

TEST(PrinterWatchWin32Test, TheCupsQueueOpens) {
    Win32PrinterWatcher watcher;
    std::uint32_t error = 12345;
    const auto printer = watcher.OpenPrinter(kPrinter, error);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(error, 0u);
}

TEST(PrinterWatchWin32Test, JobChangeNotificationsAsTheSpoolerGivesThem) {
    Win32PrinterWatcher watcher;
    std::uint32_t error = 0;
    const auto printer = watcher.OpenPrinter(kPrinter, error);
    ASSERT_NE(printer, nullptr);
    // An error left over from an earlier call must not be reported as the reason.
    SetLastError(ERROR_FILE_NOT_FOUND);
    const bool watching = printer->FindFirstChange();
    RecordProperty("FindFirstChangeLastError", std::to_string(printer->LastError()));
    if (RunningUnderWine()) {
        // Wine 8's FindFirstPrinterChangeNotification is a stub that sets no error.
        EXPECT_FALSE(watching);
        EXPECT_EQ(printer->LastError(), 0u);
    } else {
        ASSERT_TRUE(watching);
        const std::uint32_t wait = printer->WaitForChange(1000);
        EXPECT_TRUE(wait == kWaitSignalled || wait == kWaitTimeout) << wait;
        if (wait == kWaitSignalled) {
            EXPECT_TRUE(printer->FindNextChange()) << printer->LastError();
        }
    }
}

TEST(PrinterWatchWin32Test, WithoutANotificationWaitingFailsAtOnceInsteadOfHanging) {
    Win32PrinterWatcher watcher;
    std::uint32_t error = 0;
    const auto printer = watcher.OpenPrinter(kPrinter, error);
    ASSERT_NE(printer, nullptr);
    if (!RunningUnderWine())
        GTEST_SKIP() << "the spooler here gives change notifications";
    EXPECT_FALSE(printer->FindFirstChange());

    const DWORD start = GetTickCount();
    EXPECT_EQ(printer->WaitForChange(5000), kWaitFailed);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(printer->LastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(printer->FindNextChange());
    EXPECT_EQ(printer->LastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
}

TEST(PrinterWatchWin32Test, EveryOpenedPrinterIsClosedAgain) {
    if (!RunningUnderWine())
        GTEST_SKIP() << "relies on Wine reusing the lowest free printer handle";
    const HANDLE before = NextRawHandle();
    ASSERT_NE(before, nullptr);

    Win32PrinterWatcher watcher;
    for (int i = 0; i < 300; ++i) {
        std::uint32_t error = 0;
        auto printer = watcher.OpenPrinter(kPrinter, error);
        ASSERT_NE(printer, nullptr) << "round " << i << ", error " << error;
        printer->FindFirstChange();
    }
    {
        std::vector<std::unique_ptr<OpenedPrinter>> held;
        for (int i = 0; i < 20; ++i) {
            std::uint32_t error = 0;
            held.push_back(watcher.OpenPrinter(kPrinter, error));
            ASSERT_NE(held.back(), nullptr);
        }
        // While they are open the next handle is a different one, so the comparison below can fail.
        EXPECT_NE(NextRawHandle(), before);
    }
    EXPECT_EQ(NextRawHandle(), before);
}

} // namespace
} // namespace tarvoline
