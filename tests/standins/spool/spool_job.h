#pragma once
// A real print job through the spooler (GDI), as the stand-ins for printing programs send it.
#include <string>
#include <vector>

namespace tarvoline::standin {

// Prints one job named documentName on the printer, one page per element of pages, each page its lines
// of text. Returns "printed JOB" (the spooler's job id) or "failed STEP ERROR".
std::wstring PrintJob(const std::wstring& printer, const std::wstring& documentName,
                      const std::vector<std::vector<std::wstring>>& pages);

// The name CUPS sees for a document: not the bare file name, because CUPS types a job by its name's
// extension before its content, and takes a PostScript job named "x.pdf" for a PDF it cannot read.
std::wstring JobName(const std::wstring& path, const std::wstring& program);

} // namespace tarvoline::standin
