// Resource ids of Pallum.cpl. Shared by the .rc files and the code; code uses these names,
// never the bare numbers.
#pragma once

// ---- Strings -------------------------------------------------------------------------
#define IDS_APPLET_NAME              1   // "KELVORA Controls"
#define IDS_APPLET_INFO              2   // "Provides configuration settings to KELVORA Controls."
#define IDS_SHEET_CAPTION            3   // "KELVORA Controls Properties"
#define IDS_WARNING_CAPTION         13   // "Warning."
#define IDS_ERR_REGISTRY_WRITE      18   // "Registry write error."
#define IDS_NO_SELECTION            20   // "<No selection>"
#define IDS_ERR_TARGET_EMPTY        21
#define IDS_SHELL_OPEN_COMMAND      38   // "shell\open\command"
#define IDS_ERR_CORSAL_OWNERSTRING  40
#define IDS_MAIL_CLIENTS_KEY        41   // "software\clients\mail"
#define IDS_DEFAULT_BROWSER         47   // "(default browser)"
#define IDS_DEFAULT_MAIL            48   // "(default e-mail program)"
#define IDS_DISABLE_BUTTON          49
#define IDS_SELECT_PROGRAM          50
#define IDS_BUTTON_WORD             51   // "button"
#define IDS_TV_OUT                  57
#define IDS_ABOUT_MENU              58   // "&About..."
#define IDS_ABOUT_PRODUCT           60   // "KELVORA Controls"
#define IDS_PROG_REC                61
#define IDS_PROG_BRIGHTNESS         62
#define IDS_PROG_MONITOR_IN         63
#define IDS_PROG_CDDVD              64
#define IDS_PROG_BRIGHTNESS_UP      65
#define IDS_PROG_BRIGHTNESS_DOWN    66
#define IDS_PROG_ONENOTE            67
#define IDS_PROG_ASSIST             68
#define IDS_PROG_HELVANE            69
#define IDS_PROG_ZOOM_IN            70
#define IDS_PROG_ZOOM_OUT           71
#define IDS_PROG_PRESEN_DIFFERENT   72
#define IDS_PROG_PRESEN_800         73
#define IDS_PROG_PRESEN_1024        74
#define IDS_PROG_PRESEN_1280        75
#define IDS_PROG_PRESEN_1600        76
#define IDS_PROG_DISPLAY            77
#define IDS_PROG_DOLBY              78
#define IDS_PROG_BACKLIGHT          79
#define IDS_PROG_ILLUMINATION       80
#define IDS_PROG_MUTE               81

// ---- Menu commands -------------------------------------------------------------------
#define IDM_ABOUTBOX            0x0011

// ---- Dialogs -------------------------------------------------------------------------
#define IDD_REMOCON_PAGE          3000
#define IDD_ABOUTBOX              5207
#define IDD_BUTTONS_PAGE          5210
#define IDD_MEDIA_PAGE            5211
#define IDD_SUBLCD_PAGE           5212
#define IDD_APPMODE_PAGE          5213

// ---- Icons ---------------------------------------------------------------------------
#define IDI_ABOUT                 1000
#define IDI_APPMODE               5059
#define IDI_PALLUM                5078
#define IDI_REMOCON               5090

// ---- Bitmaps -------------------------------------------------------------------------
#define IDB_BUTTON_OTHER           189   // any icon number without a picture of its own
#define IDB_BUTTON_HELVANE        5203   // icon number 101; also the template's picture
#define IDB_BUTTON_TVOUT          5208   // 5
#define IDB_BUTTON_BROWSER        5219   // 1
#define IDB_BUTTON_MAIL           5220   // 2
#define IDB_BUTTON_ASSIST         5221   // 100
#define IDB_BUTTON_ZOOM_IN        5222   // 103
#define IDB_BUTTON_ZOOM_OUT       5223   // 102
#define IDB_BUTTON_REC            5231   // 104
#define IDB_BUTTON_BRIGHTNESS     5232   // 105
#define IDB_BUTTON_MONITOR_IN     5233   // 106
#define IDB_BUTTON_CDDVD          5234   // 107
#define IDB_BUTTON_BRIGHT_DOWN    5236   // 109
#define IDB_BUTTON_BRIGHT_UP      5237   // 110
#define IDB_BUTTON_PRESEN_DIFF    5238   // 111
#define IDB_BUTTON_PRESEN_800     5239   // 112
#define IDB_BUTTON_PRESEN_1024    5240   // 113
#define IDB_BUTTON_PRESEN_1280    5241   // 114
#define IDB_BUTTON_PRESEN_1600    5242   // 115
#define IDB_BUTTON_DISPLAY        5243   // 116
#define IDB_BUTTON_DOLBY          5244   // 117
#define IDB_BUTTON_BACKLIGHT      5247   // 118
#define IDB_BUTTON_ILLUMINATION   5256   // 119
#define IDB_BUTTON_MUTE           5257   // 120
#define IDB_SUBLCD                5071
#define IDB_APPMODE_PREVIOUS      5072
#define IDB_APPMODE_PLAYPAUSE     5073
#define IDB_APPMODE_STOP          5074
#define IDB_APPMODE_NEXT          5075
#define IDB_BANNER_LEFT           5228   // 250 x 28
#define IDB_BANNER_MIDDLE         5229   // 181 x 28, tiled
#define IDB_BANNER_RIGHT          5230   // 80 x 28

// ---- Other resources -----------------------------------------------------------------
#define IDR_MANIFEST               123   // type 24, language 1041

// ---- Controls: sheet frame (the platform's ids) --------------------------------------
#define IDC_SHEET_APPLY         0x3021

// ---- Controls: About box (5207) ------------------------------------------------------
#define IDC_ABOUT_ICON            4146
#define IDC_ABOUT_VERSION         4147

// ---- Controls: shared by several pages -----------------------------------------------
#define IDC_RESTORE_DEFAULTS      1016   // "&Restore Defaults" (5212, 5213), "&Reset" (3000)

// ---- Controls: Buttons page (5210) ---------------------------------------------------
#define IDC_BUTTONS_RESTORE       4023
#define IDC_BUTTONS_GROUP         4024
#define IDC_BUTTON0_LIST          4134
#define IDC_BUTTON1_LIST          4135
#define IDC_BUTTON2_LIST          4136
#define IDC_BUTTON3_LIST          4137
#define IDC_BUTTON4_LIST          4150
#define IDC_BUTTON0_CAPTION       4138
#define IDC_BUTTON1_CAPTION       4139
#define IDC_BUTTON2_CAPTION       4140
#define IDC_BUTTON3_CAPTION       4141
#define IDC_BUTTON4_CAPTION       4149
#define IDC_BUTTON0_ICON          4142
#define IDC_BUTTON1_ICON          4143
#define IDC_BUTTON2_ICON          4144
#define IDC_BUTTON3_ICON          4145
#define IDC_BUTTON4_ICON          4148

// ---- Controls: Media Apps page (5211) ------------------------------------------------
#define IDC_MEDIA_AUDIOVIDEO_LIST 4010
#define IDC_MEDIA_CD_LIST         4011
#define IDC_MEDIA_DVD_LIST        4012
#define IDC_MEDIA_RESTORE         4013
#define IDC_MEDIA_PLAYER_GROUP    4014
#define IDC_MEDIA_AUDIOVIDEO_TEXT 4015
#define IDC_MEDIA_CD_TEXT         4016
#define IDC_MEDIA_DVD_TEXT        4017
#define IDC_MEDIA_HDDVD_TEXT      4018
#define IDC_MEDIA_PREVENT         4089
#define IDC_MEDIA_SELECT_TEXT1    4091
#define IDC_MEDIA_SELECT_TEXT2    4092
#define IDC_MEDIA_PREVENT_GROUP   4093
#define IDC_MEDIA_PREVENT_TEXT1   4094
#define IDC_MEDIA_PREVENT_TEXT2   4095
#define IDC_MEDIA_HDDVD_LIST      4148

// ---- Controls: Sub LCD page (5212) ---------------------------------------------------
#define IDC_SUBLCD_SCHEDULE_TEXT  1044
#define IDC_SUBLCD_SCHEDULE       1045
#define IDC_SUBLCD_CLOCK12        2006
#define IDC_SUBLCD_OWNER_MODE     2008
#define IDC_SUBLCD_CLOCK24        4045
#define IDC_SUBLCD_BACKLIGHT      4046
#define IDC_SUBLCD_OWNER          4062
#define IDC_SUBLCD_RECEIVE_MAIL   4075

// ---- Controls: Application mode page (5213) ------------------------------------------
#define IDC_APPMODE_SELECT_STOP      4027
#define IDC_APPMODE_SELECT_NEXT      4028
#define IDC_APPMODE_SELECT_PREVIOUS  4029
#define IDC_APPMODE_USE              4049
#define IDC_APPMODE_PLAYPAUSE_APP    4050
#define IDC_APPMODE_STOP_APP         4051
#define IDC_APPMODE_NEXT_APP         4052
#define IDC_APPMODE_PREVIOUS_APP     4053
#define IDC_APPMODE_SELECT_PLAYPAUSE 4054
#define IDC_APPMODE_GROUP            4055
#define IDC_APPMODE_PLAYPAUSE_NAME   4056
#define IDC_APPMODE_STOP_NAME        4057
#define IDC_APPMODE_NEXT_NAME        4058
#define IDC_APPMODE_PREVIOUS_NAME    4059

// ---- Controls: RC page (3000) --------------------------------------------------------
#define IDC_REMOCON_EXT_RECEIVER  4098
#define IDC_REMOCON_RESET         IDC_RESTORE_DEFAULTS
