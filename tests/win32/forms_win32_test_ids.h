#pragma once
#define IDD_BINDER_TEST 3001
#define IDC_T_EDIT 3101
#define IDC_T_CHECK 3102
#define IDC_T_RADIO_A 3103
#define IDC_T_RADIO_B 3104
#define IDC_T_COMBO 3105
#define IDC_T_LIST 3106
#define IDC_T_LABEL 3107
#define IDC_T_GO 3108
#define IDC_T_CANCEL 3109
