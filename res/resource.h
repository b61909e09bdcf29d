// Every resource and control identifier of the program, banded by kind.
// Plain #defines so that the resource compiler reads this header too.
#ifndef TARIVOX_RESOURCE_H
#define TARIVOX_RESOURCE_H

// Icons
#define IDI_APP 102

// Dialogs
#define IDD_CALCULATOR 111
#define IDD_ABOUT 125

// Bitmaps
#define IDB_MENU_LOGO 135

// Controls of IDD_CALCULATOR
#define IDC_CALCULATE 6
#define IDC_AMOUNT 1021
#define IDC_OFFICE 1031
#define IDC_SERVICE 1032
#define IDC_TRANSACTION 1033
#define IDC_NORMAL_PROJECT 1034
#define IDC_SOCIAL_INTEREST 1035
#define IDC_DESCRIPTION 1037
#define IDC_AMOUNT_LABEL 1039
#define IDC_FEE_LABEL 1040
#define IDC_OFFICE_LABEL 1042
#define IDC_FEE 1043
#define IDC_TOGGLE_TEXT 1044
#define IDC_TOGGLE_TEXT_LABEL 1045

// Tray menu commands
#define IDM_TRAY_ABOUT 32878
#define IDM_TRAY_EXIT 32879

// Notification-area icon
#define TRAY_ICON_ID 1006
#define WM_TRAYNOTIFY 0x8064

#endif
