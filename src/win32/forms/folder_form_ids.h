#pragma once
// Template and control ids of the folder windows in folder_forms.rc; shared by the resource script and the code.
#define IDD_ADD_FOLD 2121
#define IDD_GET_FILES_RECUR 2122

#define IDC_ADDFOLD_LABEL 1601
#define IDC_ADDFOLD_LIST 1602
#define IDC_ADDFOLD_GROUP 1603
#define IDC_ADDFOLD_RDO_FOLD 1604
#define IDC_ADDFOLD_RDO_FILES 1605
#define IDC_ADDFOLD_CHK_RECUR 1606
#define IDC_ADDFOLD_HELP 1607

#define IDC_GETFILES_LABEL 1621
#define IDC_GETFILES_COUNT 1622
#define IDC_GETFILES_MEMO 1623
#define IDC_GETFILES_HELP 1624
