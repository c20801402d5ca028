#pragma once
// The small windows, each shown modally over its owner with one call.
#include <windows.h>

#include <functional>
#include <string>

namespace tarvoline {

class c_reg;
class c_filelist;
class c_print_log;
class FileSystem;

// "オプション": OK stores the choices in reg and rewrites the list's password column. Returns the modal
// result (1 OK, 2 Cancel).
int ShowOptionsDialog(HWND owner, c_reg& reg, c_filelist& list);
int ShowOptionsDialog(HWND owner, c_reg& reg, std::function<void()> refreshPasswordColumn);

// "印刷ログ": the log's lines at the moment of opening, in a window placed as last time.
void ShowPrintLogWindow(HWND owner, c_reg& reg, const c_print_log& log);

// "バージョン情報": version, the README.TXT beside the program, and the start-up switch in reg.
void ShowAboutDialog(HWND owner, c_reg& reg, FileSystem& fileSystem);

// The program's folder (no trailing backslash) and its file version as "1.0.5" ("" without a version
// resource).
std::string ProgramFolder();
std::string ProgramVersionText();

} // namespace tarvoline
