// Resource ids of Orvex.exe.
#pragma once

#define IDD_VOLUME_DISPLAY  129
#define IDB_VOLUME_ON       131
#define IDB_VOLUME_MUTED    136
#define IDC_VOLUME_PICTURE  1000
