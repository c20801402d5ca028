#include "platform/win32_printer_watch.h"

#include <windows.h>
#include <winspool.h>

#include <utility>
#include <vector>

#include "base/unique_handle.h"

namespace tarvoline {
namespace {

// Job changes only, and of those only the fields that tell a job's progress. The spooler takes
// non-const pointers but never writes through them.
const WORD kJobFields[] = {JOB_NOTIFY_FIELD_PRINTER_NAME, JOB_NOTIFY_FIELD_STATUS, JOB_NOTIFY_FIELD_STATUS_STRING};
const PRINTER_NOTIFY_OPTIONS_TYPE kJobType = {JOB_NOTIFY_TYPE, 0, 0, 0, 3, const_cast<WORD*>(kJobFields)};
const PRINTER_NOTIFY_OPTIONS kNotifyOptions = {2, PRINTER_NOTIFY_OPTIONS_REFRESH, 1,
                                               const_cast<PRINTER_NOTIFY_OPTIONS_TYPE*>(&kJobType)};

PRINTER_NOTIFY_OPTIONS* NotifyOptions() {
    return const_cast<PRINTER_NOTIFY_OPTIONS*>(&kNotifyOptions);
}

static_assert(PRINTER_CHANGE_JOB == 0xFF00);
static_assert(WAIT_OBJECT_0 == kWaitSignalled && WAIT_TIMEOUT == kWaitTimeout && WAIT_FAILED == kWaitFailed);

class Win32OpenedPrinter final : public OpenedPrinter {
public:
    explicit Win32OpenedPrinter(UniquePrinter printer) : printer_(std::move(printer)) {}

    bool FindFirstChange() override {
        change_.reset();
        // A spooler that fails without saying why must not report an older call's error.
        SetLastError(ERROR_SUCCESS);
        const HANDLE change =
            FindFirstPrinterChangeNotification(printer_.get(), PRINTER_CHANGE_JOB, 0, NotifyOptions());
        if (change == INVALID_HANDLE_VALUE || change == nullptr) {
            lastError_ = GetLastError();
            return false;
        }
        change_.reset(change);
        return true;
    }

    std::uint32_t WaitForChange(std::uint32_t milliseconds) override {
        // Waiting on INVALID_HANDLE_VALUE would wait on this process, for ever.
        if (!change_) {
            lastError_ = ERROR_INVALID_HANDLE;
            return kWaitFailed;
        }
        const DWORD result = WaitForSingleObject(change_.get(), milliseconds);
        if (result == WAIT_FAILED)
            lastError_ = GetLastError();
        return result;
    }

    bool FindNextChange() override {
        if (!change_) {
            lastError_ = ERROR_INVALID_HANDLE;
            return false;
        }
        DWORD cause = 0;
        PRINTER_NOTIFY_INFO* info = nullptr;
        if (!FindNextPrinterChangeNotification(change_.get(), &cause, NotifyOptions(),
                                               reinterpret_cast<void**>(&info))) {
            lastError_ = GetLastError();
            return false;
        }
        if (info != nullptr)
            FreePrinterNotifyInfo(info);
        return true;
    }

    std::uint32_t LastError() override { return lastError_; }

private:
    // Declared in this order so the notification is released before the printer is closed.
    UniquePrinter printer_;
    UniquePrinterChange change_;
    std::uint32_t lastError_ = ERROR_SUCCESS;
};

} // namespace

std::unique_ptr<OpenedPrinter> Win32PrinterWatcher::OpenPrinter(const std::string& printerName,
                                                                std::uint32_t& errorCode) {
    // OpenPrinterA takes the name as a writable string.
    std::vector<char> name(printerName.begin(), printerName.end());
    name.push_back('\0');
    HANDLE handle = nullptr;
    if (!OpenPrinterA(name.data(), &handle, nullptr)) {
        errorCode = GetLastError();
        return nullptr;
    }
    UniquePrinter printer(handle);
    errorCode = ERROR_SUCCESS;
    return std::make_unique<Win32OpenedPrinter>(std::move(printer));
}

} // namespace tarvoline
