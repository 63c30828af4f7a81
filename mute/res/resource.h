// Resource ids of Hushwell.exe.
#pragma once

#define IDD_INDICATOR       101
#define IDI_MUTE            131
#define IDI_SOUND           132
#define IDC_INDICATOR_ICON  1000
