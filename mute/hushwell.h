// Hushwell: toggles the audio mute state on each start and shows the new state for two seconds.
// Plain procedural Win32, wide API. Everything runs on the one GUI thread.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <endpointvolume.h>

// The request a later start posts to the running instance's indicator window.
#define WM_TOGGLE_MUTE (WM_USER + 100)

#define HUSHWELL_MUTEX_NAME  L"Local\\Hushwell"
#define HUSHWELL_BLOCK_NAME  L"Local\\HushwellFile"
#define HUSHWELL_BLOCK_SIZE  4

#define CLOSE_TIMER_ID      2000
#define CLOSE_TIMER_PERIOD  2000

#define INDICATOR_SIZE      72   // pixels, the indicator window
#define INDICATOR_ICON_SIZE 65   // pixels, the icon control and the icons loaded into it
#define INDICATOR_ICON_GAP  2    // the control's offset in the client area

// --- State of the running instance -------------------------------------------------------
extern HINSTANCE g_hInstance;
extern HANDLE g_hMutex;
extern HWND g_hIndicator;
extern HANDLE g_hSharedBlock;
extern bool g_bCoreAudio;
extern IAudioEndpointVolume* g_pEndpointVolume;
extern HICON g_hMuteIcon;
extern HICON g_hSoundIcon;

// --- Seams: tests replace these -----------------------------------------------------------
// The winmm mixer functions Hushwell calls; defaults to winmm itself, loaded on first use.
struct MIXER_API {
    UINT (WINAPI *GetNumDevs)(void);
    MMRESULT (WINAPI *GetDevCapsW)(UINT_PTR, LPMIXERCAPSW, UINT);
    MMRESULT (WINAPI *Open)(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
    MMRESULT (WINAPI *GetLineInfoW)(HMIXEROBJ, LPMIXERLINEW, DWORD);
    MMRESULT (WINAPI *GetLineControlsW)(HMIXEROBJ, LPMIXERLINECONTROLSW, DWORD);
    MMRESULT (WINAPI *GetControlDetailsW)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT (WINAPI *SetControlDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
    MMRESULT (WINAPI *Close)(HMIXER);
};
extern MIXER_API g_mixerApi;
extern const MIXER_API WINMM_MIXER_API;

// Creates the device enumerator on the Core Audio way; defaults to Ole32CreateInstance.
typedef HRESULT (WINAPI *CREATE_INSTANCE_PROC)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
extern CREATE_INSTANCE_PROC g_pfnCreateInstance;
// CoCreateInstance, with ole32 loaded on first use (REGDB_E_CLASSNOTREG without it).
HRESULT WINAPI Ole32CreateInstance(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// The system's major version; defaults to GetSystemMajorVersion.
typedef DWORD (*GET_MAJOR_VERSION_PROC)(void);
extern GET_MAJOR_VERSION_PROC g_pfnGetMajorVersion;
DWORD GetSystemMajorVersion(void);

// --- Mute control and indicator -----------------------------------------------------------
void LoadWinmm(void);              // binds winmm's mixer functions and loads its drivers now
void InitEndpointVolume(void);
void ToggleEndpointMute(void);
void ReleaseEndpointVolume(void);
int ReadMixerMute(void);           // -1 when no state was found, else 0 sound on, 1 muted
void SetMixerMute(DWORD value);    // 1 mute, 0 sound on, on every active speaker line
void ToggleMute(void);
void LayOutIndicator(void);
void LoadIndicatorIcons(void);
POINT IndicatorOrigin(const RECT& desktop);

// --- The program ---------------------------------------------------------------------------
INT_PTR CALLBACK IndicatorDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
int RunHushwell(HINSTANCE hInstance);

// The shared block holds a window handle as 32 bits; handles carry their value in the low
// 32 bits and widen by sign extension, as HandleToLong/LongToHandle do.
inline DWORD PackWindowHandle(HWND hwnd)
{
    return static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(hwnd));
}

inline HWND UnpackWindowHandle(DWORD value)
{
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}
