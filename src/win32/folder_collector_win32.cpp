#include "folder_collector_win32.h"

#include "dialogs/get_files_dialog.h"
#include "forms/folder_dialogs.h"

namespace tarvoline {

int Win32FolderFileCollector::CollectFiles(const std::vector<std::string>& folders, std::vector<std::string>& out,
                                           bool recursive) {
    TdlgGetFilesRecur form(fileSystem_, classifier_, folders, out, recursive);
    return ShowGetFilesRecurDialog(owner_, form);
}

} // namespace tarvoline
