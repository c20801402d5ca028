#pragma once
// The print list as a plain text file of paths, one per line, for exchange with other tools.
#include <string>

namespace tarvoline {

class c_filelist;
class FileSystem;

// Writes every row's path, UTF-8 with a byte-order mark, each line ending in CR LF. False after message
// 13069 when the file cannot be written; the list is not changed.
bool ExportTextList(c_filelist& list, FileSystem& fileSystem, const std::string& path);

// Clears the list and adds, checked and with default settings, every line that names an existing file of a
// supported kind or an existing folder. The text is UTF-8 unless a byte-order mark says UTF-16; a line
// that has no code page 932 form is refused, not altered. Refused lines are listed in 13066; no usable
// line gives 13067. False after 13068 when the file cannot be read.
bool ImportTextList(c_filelist& list, FileSystem& fileSystem, const std::string& path);

} // namespace tarvoline
