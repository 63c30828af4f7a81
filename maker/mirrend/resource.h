// Resource ids of the stand-in library.
#pragma once

#define IDD_CUSTOM_APP 100
#define IDC_APP_NAME 1001
#define IDC_APP_TARGET 1002
#define IDC_APP_OPTION 1003
#define IDC_APP_WORKDIR 1004
#define IDC_APP_BROWSE 1005

#define IDS_WARNING 13
#define IDS_TARGET_EMPTY 21
#define IDS_BROWSE_TITLE 100
#define IDS_BROWSE_FILTER 101
