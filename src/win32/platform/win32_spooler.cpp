#include "platform/win32_spooler.h"

#include <windows.h>

#include <winspool.h>

#include <new>
#include <vector>

namespace tarvoline {
namespace {

// What EnumPrintersA returned: count records at the start of a buffer that also holds their strings.
template <typename Record> struct PrinterRecords {
    std::vector<Record> buffer; // of Record, so the records are aligned
    DWORD count = 0;
    const Record* begin() const { return buffer.data(); }
    const Record* end() const { return buffer.data() + count; }
};

// false on any failure. The size is asked first; a list that grows in between is asked for again
// up to the given number of times.
template <typename Record> bool EnumeratePrinters(DWORD flags, DWORD level, int attempts, PrinterRecords<Record>& out) {
    DWORD needed = 0;
    DWORD count = 0;
    if (!EnumPrintersA(flags, nullptr, level, nullptr, 0, &needed, &count) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        try {
            out.buffer.assign((needed + sizeof(Record) - 1) / sizeof(Record), Record{});
        } catch (const std::bad_alloc&) {
            return false;
        }
        const DWORD size = static_cast<DWORD>(out.buffer.size() * sizeof(Record));
        if (EnumPrintersA(flags, nullptr, level, reinterpret_cast<BYTE*>(out.buffer.data()), size, &needed, &count)) {
            out.count = count;
            return true;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return false;
    }
    return false;
}

} // namespace

std::string PrinterNameOfDeviceEntry(std::string_view entry) {
    // A comma is never the second byte of a double-byte character, so a plain search is right.
    return std::string(entry.substr(0, entry.find(',')));
}

std::string Win32Spooler::DefaultPrinterName() {
    PrinterRecords<PRINTER_INFO_5A> printers;
    if (!EnumeratePrinters(PRINTER_ENUM_DEFAULT, 5, 1, printers))
        return "";
    if (printers.count > 0)
        return printers.begin()->pPrinterName ? printers.begin()->pPrinterName : "";
    char device[1000] = {};
    GetProfileStringA("windows", "device", "", device, sizeof device);
    return PrinterNameOfDeviceEntry(device);
}

std::vector<std::string> Win32Spooler::PrinterNames() {
    PrinterRecords<PRINTER_INFO_4A> printers;
    std::vector<std::string> names;
    if (!EnumeratePrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4, 4, printers))
        return names;
    for (const PRINTER_INFO_4A& printer : printers) {
        if (printer.pPrinterName)
            names.emplace_back(printer.pPrinterName);
    }
    return names;
}

} // namespace tarvoline
