#pragma once
// Template and control ids of the forms in forms.rc; shared by the resource script and the code.
#define IDD_TEXT_INPUT 2001
#define IDD_OPTIONS 2002
#define IDD_PRINT_LOG 2003
#define IDD_ABOUT 2004

// TdlgCommon's buttons: OK and Cancel keep the system's ids, so Enter and Esc reach them.
#define IDC_COMMON_HELP 1003
#define IDC_TEXT_INPUT_MSG 1010
#define IDC_TEXT_INPUT_EDIT 1011

#define IDC_OPT_GRB_EXCEL 1101
#define IDC_OPT_RDO_BOOK 1102
#define IDC_OPT_RDO_ACTIVE 1103
#define IDC_OPT_GRB_FOLD 1104
#define IDC_OPT_CHK_FOLDSUB 1105
#define IDC_OPT_GRP_PASS 1106
#define IDC_OPT_CHK_PASSWD 1107
#define IDC_OPT_GRP_OTHER 1108
#define IDC_OPT_CHK_OTHER 1109
#define IDC_OPT_MEMO 1110
// Not IDCANCEL: Esc does not close the options.
#define IDC_OPT_CANCEL 1111
#define IDC_OPT_HELP 1112

#define IDC_LOG_MEMO 1201

#define IDC_ABOUT_IMAGE 1301
#define IDC_ABOUT_PRODUCT_NAME 1302
#define IDC_ABOUT_PRODUCT 1303
#define IDC_ABOUT_VERSION 1304
#define IDC_ABOUT_MEMO 1305
#define IDC_ABOUT_DONT_SHOW 1306
