// The indicator: a 72 x 72 topmost tool window centred on the desktop with one icon control,
// and its dialog procedure, which owns the instance's resources from start to cleanup.
#include "hushwell.h"

#include <string.h>

#include "res/resource.h"

HINSTANCE g_hInstance = nullptr;
HWND g_hIndicator = nullptr;
HANDLE g_hSharedBlock = nullptr;

POINT IndicatorOrigin(const RECT& desktop)
{
    POINT origin;
    origin.x = ((desktop.right - desktop.left) - INDICATOR_SIZE) / 2;
    origin.y = ((desktop.bottom - desktop.top) - INDICATOR_SIZE) / 2;
    return origin;
}

void LayOutIndicator(void)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    POINT origin = IndicatorOrigin(desktop);
    MoveWindow(g_hIndicator, origin.x, origin.y, INDICATOR_SIZE, INDICATOR_SIZE, TRUE);

    RECT client;
    GetClientRect(g_hIndicator, &client);
    MoveWindow(GetDlgItem(g_hIndicator, IDC_INDICATOR_ICON), client.left + INDICATOR_ICON_GAP,
               client.top + INDICATOR_ICON_GAP, INDICATOR_ICON_SIZE, INDICATOR_ICON_SIZE, TRUE);
}

void LoadIndicatorIcons(void)
{
    g_hMuteIcon = static_cast<HICON>(LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDI_MUTE), IMAGE_ICON,
                                                INDICATOR_ICON_SIZE, INDICATOR_ICON_SIZE, LR_DEFAULTCOLOR));
    g_hSoundIcon = static_cast<HICON>(LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDI_SOUND), IMAGE_ICON,
                                                 INDICATOR_ICON_SIZE, INDICATOR_ICON_SIZE, LR_DEFAULTCOLOR));
}

namespace {

// Publishes the indicator's handle in the shared block for later starts.
bool PublishIndicator(void)
{
    g_hSharedBlock = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        HUSHWELL_BLOCK_SIZE, HUSHWELL_BLOCK_NAME);
    if (!g_hSharedBlock || g_hSharedBlock == INVALID_HANDLE_VALUE) {
        g_hSharedBlock = nullptr;
        return false;
    }
    void* view = MapViewOfFile(g_hSharedBlock, FILE_MAP_WRITE, 0, 0, HUSHWELL_BLOCK_SIZE);
    if (!view)
        return false;
    DWORD value = PackWindowHandle(g_hIndicator);
    memcpy(view, &value, sizeof value);
    UnmapViewOfFile(view);
    return true;
}

BOOL InitIndicator(void)
{
    // Published before the slow part (the sound drivers): a later start meanwhile finds the
    // window and its request waits in the queue instead of being lost.
    if (!PublishIndicator()) {
        DestroyWindow(g_hIndicator);
        return FALSE;
    }
    g_bCoreAudio = g_pfnGetMajorVersion() >= 6;
    if (g_bCoreAudio) {
        InitEndpointVolume();
        if (!g_pEndpointVolume)
            return FALSE;  // the window is gone already
    } else {
        LoadWinmm();  // before the first toggle starts the two-second period
    }
    LayOutIndicator();
    LoadIndicatorIcons();
    ShowWindow(g_hIndicator, SW_HIDE);
    ToggleMute();
    return TRUE;
}

// WM_CLOSE and WM_DESTROY may both arrive: each resource goes once.
void CleanUpIndicator(void)
{
    if (g_hSharedBlock) {
        CloseHandle(g_hSharedBlock);
        g_hSharedBlock = nullptr;
    }
    ReleaseEndpointVolume();
}

}  // namespace

INT_PTR CALLBACK IndicatorDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        g_hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
        g_hIndicator = hwnd;
        return InitIndicator();
    case WM_TOGGLE_MUTE:
        ToggleMute();
        return FALSE;
    case WM_TIMER:
        if (wParam == CLOSE_TIMER_ID) {
            KillTimer(hwnd, CLOSE_TIMER_ID);
            DestroyWindow(hwnd);
        }
        return FALSE;
    case WM_CLOSE:
    case WM_DESTROY:
        CleanUpIndicator();
        PostQuitMessage(0);
        return FALSE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return FALSE;
    }
    default:
        return FALSE;
    }
}
