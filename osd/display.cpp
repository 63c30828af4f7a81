// The volume display: a small topmost dialog with the speaker picture and the level wedge.
#include "orvex.h"
#include "res/resource.h"

HWND g_hVolumeDisplay = NULL;
DWORD g_dwVolume = 0;
BYTE g_bMute = 0;
int g_nLevel = 0;

static HBRUSH g_hLevelBrush = NULL;
static HPEN g_hLevelPen = NULL;
static HBRUSH g_hMutedBrush = NULL;
static HPEN g_hMutedPen = NULL;

// Level i covers bound[i]..bound[i + 1]; a shared bound belongs to the lower level.
const DWORD g_dwLevelBound[LEVEL_COUNT + 1] = {
    0, 1, 329, 391, 464, 552, 656, 779, 926, 1101, 1308, 1554, 1847, 2196, 2609, 3101, 3686,
    4380, 5206, 6187, 7353, 8739, 10387, 12345, 14672, 17437, 20724, 24631, 29274, 34792,
    41350, 49415, 58408, 65535,
};

// Tip of the wedge for each level, on the ramp's upper edge in client coordinates.
const POINT g_ptLevelMarker[LEVEL_COUNT] = {
    {18, 66},  {22, 65},  {27, 63},  {31, 62},  {35, 60},  {39, 59},  {44, 57},  {48, 56},
    {53, 54},  {57, 53},  {62, 51},  {66, 50},  {71, 48},  {75, 47},  {80, 45},  {84, 44},
    {89, 42},  {93, 41},  {98, 39},  {102, 38}, {107, 37}, {111, 35}, {116, 33}, {120, 32},
    {125, 30}, {129, 29}, {134, 27}, {138, 25}, {143, 24}, {147, 23}, {152, 21}, {156, 20},
    {161, 19},
};

int LevelFromVolume(DWORD dwVolume)
{
    for (int i = 0; i < LEVEL_COUNT; ++i) {
        if (g_dwLevelBound[i] <= dwVolume && dwVolume <= g_dwLevelBound[i + 1])
            return i;
    }
    return LEVEL_COUNT - 1;  // only past the top of the scale
}

POINT VolumeDisplayPosition(const RECT &rcDesktop, int nDisplayHeight)
{
    POINT pt;
    pt.x = rcDesktop.right / 2 - DISPLAY_WIDTH / 2;
    pt.y = (rcDesktop.bottom - nDisplayHeight) / 2;
    return pt;
}

static void UpdateLevel(void)
{
    ReadVolumeAndMute(&g_dwVolume, &g_bMute);
    g_nLevel = LevelFromVolume(g_dwVolume);
}

static void DrawVolumeDisplay(HWND hDlg)
{
    // A DC over the whole client area with its origin at the client's corner. The picture
    // control's DC would serve on Windows (its class draws with the parent's clipping), but
    // Wine keeps its drawing inside the control's own small rectangle.
    HDC hdc = GetDC(hDlg);
    if (!hdc)
        return;

    HBITMAP hBitmap = LoadBitmapA(g_hInstance,
                                  MAKEINTRESOURCEA(g_bMute ? IDB_VOLUME_MUTED : IDB_VOLUME_ON));
    HDC hdcMem = CreateCompatibleDC(hdc);
    if (hBitmap && hdcMem) {
        HGDIOBJ hOldBitmap = SelectObject(hdcMem, hBitmap);
        BitBlt(hdc, 0, 0, BITMAP_WIDTH, BITMAP_HEIGHT, hdcMem, 0, 0, SRCCOPY);
        SelectObject(hdcMem, hOldBitmap);
    }
    if (hdcMem)
        DeleteDC(hdcMem);
    if (hBitmap)
        DeleteObject(hBitmap);

    const POINT &ptTip = g_ptLevelMarker[g_nLevel];
    POINT ptWedge[3] = {g_ptLevelMarker[0], {ptTip.x, g_ptLevelMarker[0].y}, ptTip};
    HGDIOBJ hOldBrush = SelectObject(hdc, g_bMute ? g_hMutedBrush : g_hLevelBrush);
    HGDIOBJ hOldPen = SelectObject(hdc, g_bMute ? g_hMutedPen : g_hLevelPen);
    Polygon(hdc, ptWedge, 3);
    SelectObject(hdc, hOldPen);
    SelectObject(hdc, hOldBrush);

    ReleaseDC(hDlg, hdc);
}

INT_PTR CALLBACK VolumeDisplayProc(HWND hDlg, UINT uMsg, WPARAM, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        g_nLevel = 0;
        g_bMute = 0;
        g_hLevelBrush = CreateSolidBrush(LEVEL_COLOR);
        g_hLevelPen = CreatePen(PS_SOLID, 1, LEVEL_COLOR);
        g_hMutedBrush = CreateSolidBrush(MUTED_COLOR);
        g_hMutedPen = CreatePen(PS_SOLID, 1, MUTED_COLOR);
        g_nShowPending = 0;
        return TRUE;
    case WM_PAINT: {
        UpdateLevel();
        PAINTSTRUCT ps;
        BeginPaint(hDlg, &ps);
        DrawVolumeDisplay(hDlg);
        EndPaint(hDlg, &ps);
        return FALSE;
    }
    }
    return FALSE;
}

void CreateVolumeDisplay(HWND hWndOwner)
{
    g_hVolumeDisplay = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_VOLUME_DISPLAY),
                                          hWndOwner, VolumeDisplayProc, 0);
    if (!g_hVolumeDisplay)
        return;

    RECT rcDesktop, rcDisplay;
    GetWindowRect(GetDesktopWindow(), &rcDesktop);
    GetWindowRect(g_hVolumeDisplay, &rcDisplay);
    POINT pt = VolumeDisplayPosition(rcDesktop, rcDisplay.bottom - rcDisplay.top);
    SetWindowPos(g_hVolumeDisplay, HWND_TOPMOST, pt.x, pt.y, DISPLAY_WIDTH, DISPLAY_HEIGHT,
                 SWP_FRAMECHANGED);
}

void ShowVolumeDisplay(bool bShow)
{
    if (!g_hVolumeDisplay)
        return;
    // Never over Media Center's full-screen renderer.
    if (bShow && !FindWindowA(EHOME_RENDER_CLASS, NULL))
        ShowWindow(g_hVolumeDisplay, SW_SHOWNOACTIVATE);
    else
        ShowWindow(g_hVolumeDisplay, SW_HIDE);
    UpdateWindow(g_hVolumeDisplay);
    SetWindowPos(g_hVolumeDisplay, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void DestroyVolumeDisplay(void)
{
    DeleteObject(g_hLevelBrush);
    DeleteObject(g_hLevelPen);
    DeleteObject(g_hMutedBrush);
    DeleteObject(g_hMutedPen);
    g_hLevelBrush = NULL;
    g_hLevelPen = NULL;
    g_hMutedBrush = NULL;
    g_hMutedPen = NULL;
    if (g_hVolumeDisplay)
        DestroyWindow(g_hVolumeDisplay);
    g_hVolumeDisplay = NULL;
}
