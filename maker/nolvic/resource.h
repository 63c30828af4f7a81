// Resource ids of the schedule applet stand-in.
#pragma once

#define IDD_SCHEDULE 100
#define IDC_SHOW_ON_LCD 1001
#define IDC_TIME 1002
#define IDC_NOTE 1003

#define IDS_NAME 1
#define IDS_INFO 2
#define IDS_BAD_TIME 3
