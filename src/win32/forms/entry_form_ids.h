#pragma once
// Template and control ids of the entry dialogs in entry_forms.rc; shared by the resource script and the code.
#define IDD_ENTRY_DETAIL 2101
#define IDD_EXCEL_SHEETS 2102

// The detail dialog. OK and Cancel keep the system's ids, so Enter and Esc reach them.
#define IDC_DETAIL_LBL_FILE 1401
#define IDC_DETAIL_FILE 1402
#define IDC_DETAIL_GRB_PAGE 1403
#define IDC_DETAIL_RDO_ALL 1404
#define IDC_DETAIL_RDO_RANGE 1405
#define IDC_DETAIL_EDT_SPAGE 1406
#define IDC_DETAIL_LBL_SPAGE 1407
#define IDC_DETAIL_EDT_EPAGE 1408
#define IDC_DETAIL_LBL_EPAGE 1409
#define IDC_DETAIL_EDT_PAGES 1410
#define IDC_DETAIL_LBL_PAGES 1411
#define IDC_DETAIL_LBL_PDF 1412
#define IDC_DETAIL_GRB_PASSWD 1413
#define IDC_DETAIL_CHK_PASSWD 1414
#define IDC_DETAIL_EDT_PASSWD 1415
#define IDC_DETAIL_LBL_PASSWD 1416
#define IDC_DETAIL_HELP_PASSWD 1417
#define IDC_DETAIL_GRB_EXCEL 1418
#define IDC_DETAIL_RDO_BOOK 1419
#define IDC_DETAIL_RDO_ACTIVE 1420
#define IDC_DETAIL_RDO_COND 1421
#define IDC_DETAIL_LBL_COND 1422
#define IDC_DETAIL_EDT_COND 1423
#define IDC_DETAIL_CMB_COND 1424
#define IDC_DETAIL_RDO_SHEETS 1425
#define IDC_DETAIL_BTN_SHEETS 1426
#define IDC_DETAIL_MEM_SHEETS 1427
#define IDC_DETAIL_CHK_SEPJOB 1428
#define IDC_DETAIL_HELP 1429

// The sheet dialog; its OK and Cancel are the common dialog buttons with the system's ids.
#define IDC_SHEETS_LBL_FILE 1501
#define IDC_SHEETS_FILE 1502
#define IDC_SHEETS_MSG 1503
#define IDC_SHEETS_ALL_CHECK 1504
#define IDC_SHEETS_ALL_UNCHECK 1505
#define IDC_SHEETS_LIST 1506
#define IDC_SHEETS_HELP 1507
