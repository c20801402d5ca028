#include "spool_job.h"

#include <windows.h>

#include "standin_files.h"

namespace tarvoline::standin {
namespace {

std::wstring Failure(const wchar_t* step) {
    return std::wstring(L"failed ") + step + L" " + std::to_wstring(GetLastError());
}

// A Japanese font, so code page 932 text prints as it reads.
HFONT JapaneseFont(HDC dc) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(10, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyW(font.lfFaceName, L"MS Gothic");
    return CreateFontIndirectW(&font);
}

bool PrintPage(HDC dc, const std::vector<std::wstring>& lines) {
    if (StartPage(dc) <= 0)
        return false;
    const HFONT japanese = JapaneseFont(dc);
    const HGDIOBJ previous = japanese != nullptr ? SelectObject(dc, japanese) : nullptr;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    const int left = GetDeviceCaps(dc, LOGPIXELSX) / 2;
    int y = GetDeviceCaps(dc, LOGPIXELSY) / 2;
    for (const std::wstring& line : lines) {
        TextOutW(dc, left, y, line.c_str(), static_cast<int>(line.size()));
        y += lineHeight;
    }
    if (japanese != nullptr) {
        SelectObject(dc, previous);
        DeleteObject(japanese);
    }
    return EndPage(dc) > 0;
}

} // namespace

std::wstring PrintJob(const std::wstring& printer, const std::wstring& documentName,
                      const std::vector<std::vector<std::wstring>>& pages) {
    const HDC dc = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
    if (dc == nullptr)
        return Failure(L"CreateDC");
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    std::wstring outcome;
    const int job = StartDocW(dc, &document);
    if (job <= 0) {
        outcome = Failure(L"StartDoc");
    } else {
        for (const std::vector<std::wstring>& lines : pages) {
            if (!PrintPage(dc, lines)) {
                outcome = Failure(L"Page");
                AbortDoc(dc);
                break;
            }
        }
        if (outcome.empty())
            outcome = EndDoc(dc) > 0 ? L"printed " + std::to_wstring(job) : Failure(L"EndDoc");
    }
    DeleteDC(dc);
    return outcome;
}

std::wstring JobName(const std::wstring& path, const std::wstring& program) {
    return FileNameOf(path) + L" - " + program;
}

} // namespace tarvoline::standin
