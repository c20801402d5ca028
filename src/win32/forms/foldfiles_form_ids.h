#pragma once
// Template and control ids of the folder contents window in foldfiles_forms.rc.
#define IDD_FOLD_FILES 2141

#define IDC_FF_PATH_LABEL 1801
#define IDC_FF_PATH 1802
#define IDC_FF_FILES_LABEL 1803
#define IDC_FF_FILE_COUNT 1804
#define IDC_FF_FILES 1805
// Not IDOK or IDCANCEL: neither Enter nor Esc may stop a folder's printing by chance.
#define IDC_FF_CLOSE 1806
