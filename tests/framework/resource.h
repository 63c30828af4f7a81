// Ids of the framework tests' own resources (FrameworkTests.rc, TestDll.rc).
#pragma once

#define IDD_TEST_DIALOG 100
#define IDD_PAGE_ONE 200
#define IDD_PAGE_TWO 201
#define IDD_PAGE_THREE 202
#define IDD_PAGE_BIG_FONT 203
#define IDD_PAGE_BIG_FONT_EX 204
#define IDD_PAGE_NO_FONT 205
#define IDD_MISSING 299

#define IDC_CHECK 1001
#define IDC_TEXT 1002
#define IDC_NUMBER 1003
#define IDC_COMBO 1004
#define IDC_RADIO1 1005
#define IDC_RADIO2 1006
#define IDC_RADIO3 1007
#define IDC_AFTER 1008
#define IDC_PICTURE 1009
#define IDC_ACTION 1010
#define IDC_CORNER 1011

#define IDB_MAPPED 300

#define IDS_WHO 1
#define IDS_LONG 2
#define IDS_PAGE_CAPTION 3
#define IDS_ONLY_IN_PROGRAM 4
