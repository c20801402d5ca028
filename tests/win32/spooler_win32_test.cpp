// The spooler against Wine's, which sees the CUPS queue "PDF" that scripts/setup creates.
#include <gtest/gtest.h>

#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "platform/win32_spooler.h"

namespace tarvoline {
namespace {

// The names as the wide functions give them at another level, converted here.
std::vector<std::string> NamesThroughTheWideFunctions() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<PRINTER_INFO_2W> buffer(needed / sizeof(PRINTER_INFO_2W) + 1);
    std::vector<std::string> names;
    if (!EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2,
                       reinterpret_cast<BYTE*>(buffer.data()), static_cast<DWORD>(buffer.size() * sizeof buffer[0]),
                       &needed, &count))
        return {"<EnumPrintersW failed>"};
    for (DWORD i = 0; i < count; ++i)
        names.push_back(Utf16ToAnsi(reinterpret_cast<const char16_t*>(buffer[i].pPrinterName)).value_or("<?>"));
    return names;
}

TEST(SpoolerTest, ListsThePrintersInTheSpoolersOrder) {
    Win32Spooler spooler;
    const std::vector<std::string> names = spooler.PrinterNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "PDF"), names.end()) << ::testing::PrintToString(names);
    EXPECT_EQ(names, NamesThroughTheWideFunctions());
}

TEST(SpoolerTest, TheDefaultPrinterIsTheOneTheSystemReports) {
    char name[512] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetDefaultPrinterA(name, &size)) << "the test needs a default printer; error " << GetLastError();

    Win32Spooler spooler;
    const std::string defaultPrinter = spooler.DefaultPrinterName();
    EXPECT_EQ(defaultPrinter, name);
    const std::vector<std::string> names = spooler.PrinterNames();
    EXPECT_NE(std::find(names.begin(), names.end(), defaultPrinter), names.end());

    // The profile entry the fallback reads names the same printer.
    char device[1000] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    EXPECT_EQ(PrinterNameOfDeviceEntry(device), defaultPrinter) << device;
}

TEST(SpoolerTest, ThePrinterNameOfADeviceEntryEndsAtTheFirstComma) {
    const struct {
        const char* entry;
        const char* name;
    } cases[] = {
        {"PDF,wineps.drv,CUPS:PDF", "PDF"},
        {"Printer,winspool,Ne00:", "Printer"},
        {"", ""},
        {"NoComma", "NoComma"},
        {",winspool,LPT1:", ""},
        {"a,b,c", "a"},
        {"表示ソ 予定表,winspool,LPT1:", "表示ソ 予定表"},
        {"Printer name with spaces ,x", "Printer name with spaces "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrinterNameOfDeviceEntry(c.entry), c.name) << c.entry;
}

} // namespace
} // namespace tarvoline
