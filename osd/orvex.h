// Orvex: the volume on-screen display. Plain procedural Win32 (ANSI functions).
// The logic lives in the orvex_core library so that the program and its tests share it.
#pragma once

#include <windows.h>
#include <mmsystem.h>

// ---- Fixed values ---------------------------------------------------------------------

#define ORVEX_CLASS_NAME   "Voldlg"
#define ORVEX_WINDOW_TITLE "Orvex Window"
#define HOOK_LIBRARY_NAME  "Orvex.dll"
#define ORVEX_MUTEX_NAME   "Local\\Orvex"   // held while an instance runs
#define HOOK_PROC_NAME     "HookProc"
#define EHOME_RENDER_CLASS "eHome Render Window"

#define IDT_HIDE_DISPLAY   2000
#define HIDE_DELAY_MS      2000

#define VOLUME_BOTTOM      0
#define VOLUME_TOP         65535
#define NO_CONTROL         0xFFFFFFFFu

#define LEVEL_COUNT        33
#define DISPLAY_WIDTH      182   // the 176 x 80 bitmap plus a 3-pixel dialog frame each side
#define DISPLAY_HEIGHT     86
#define BITMAP_WIDTH       176
#define BITMAP_HEIGHT      80

#define LEVEL_COLOR        RGB(244, 230, 66)
#define MUTED_COLOR        RGB(195, 195, 195)

// ---- The mixer seam: every winmm mixer call goes through this table ----------------------

struct MixerApi {
    UINT     (WINAPI *pfnGetNumDevs)(void);
    MMRESULT (WINAPI *pfnOpen)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT (WINAPI *pfnClose)(HMIXER);
    MMRESULT (WINAPI *pfnGetLineInfoA)(HMIXEROBJ, LPMIXERLINEA, DWORD);
    MMRESULT (WINAPI *pfnGetLineControlsA)(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD);
    MMRESULT (WINAPI *pfnGetControlDetailsA)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
};

extern MixerApi g_mixerApi;              // starts as winmm's own functions

// ---- Mixer state and access (mixer.cpp) ----------------------------------------------

extern HMIXER g_hMixer;
extern DWORD g_dwVolumeControlID;
extern DWORD g_dwMuteControlID;

void OpenMixer(HWND hWndNotify);
// Leaves both outputs untouched when no mixer or no volume control is there; an unreadable
// volume keeps its value, an unreadable mute control reads as not muted.
void ReadVolumeAndMute(DWORD *pdwVolume, BYTE *pbMute);

// ---- The volume display (display.cpp) -------------------------------------------------

extern HWND g_hVolumeDisplay;
extern DWORD g_dwVolume;
extern BYTE g_bMute;
extern int g_nLevel;

extern const DWORD g_dwLevelBound[LEVEL_COUNT + 1];
extern const POINT g_ptLevelMarker[LEVEL_COUNT];

int LevelFromVolume(DWORD dwVolume);
POINT VolumeDisplayPosition(const RECT &rcDesktop, int nDisplayHeight);

void CreateVolumeDisplay(HWND hWndOwner);
void ShowVolumeDisplay(bool bShow);
void DestroyVolumeDisplay(void);
INT_PTR CALLBACK VolumeDisplayProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

// ---- The program (orvex.cpp) ----------------------------------------------------------

extern HINSTANCE g_hInstance;
extern HANDLE g_hExitEvent;
extern HMODULE g_hHookLibrary;
extern HHOOK g_hShellHook;
extern HWND g_hOrvexWindow;
extern int g_nShowPending;

LRESULT CALLBACK OrvexWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
// Registers "Voldlg" and creates the hidden window; NULL when either fails.
HWND CreateOrvexWindow(HINSTANCE hInstance);
// The whole program from start to end; returns the exit code.
int RunOrvex(HINSTANCE hInstance);
