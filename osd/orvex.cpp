// Start-up, the hidden "Voldlg" window and its decisions, the hide timer and the orderly end.
#include "orvex.h"

HINSTANCE g_hInstance = NULL;
HANDLE g_hExitEvent = NULL;
HMODULE g_hHookLibrary = NULL;
HHOOK g_hShellHook = NULL;
HWND g_hOrvexWindow = NULL;
int g_nShowPending = 0;

// The exit event is set by WM_DESTROY; after the loop the window is already gone, so this
// bound only matters if something has gone badly wrong.
static const DWORD EXIT_WAIT_MS = 5000;

// Outside 0..65535: a volume that was not read reaches neither end of the range.
static const DWORD VOLUME_UNREAD = 0xFFFFFFFF;

static void RemoveShellHook(void)
{
    if (g_hShellHook)
        UnhookWindowsHookEx(g_hShellHook);
    g_hShellHook = NULL;
}

// Nothing waits on the event once the program is past its final wait; a handle left in the
// global would be signalled by the next "Voldlg" window destroyed in this process.
static void CloseExitEvent(void)
{
    if (g_hExitEvent)
        CloseHandle(g_hExitEvent);
    g_hExitEvent = NULL;
}

static void ShowNow(HWND hWnd)
{
    // Restarting the timer keeps the display up two seconds after the last change.
    SetTimer(hWnd, IDT_HIDE_DISPLAY, HIDE_DELAY_MS, NULL);
    if (g_hVolumeDisplay)
        InvalidateRect(g_hVolumeDisplay, NULL, FALSE);
    ShowVolumeDisplay(true);
}

static void OnVolumeKey(HWND hWnd, short nCommand)
{
    OpenMixer(hWnd);
    DWORD dwVolume = VOLUME_UNREAD;
    BYTE bMute = 0;
    ReadVolumeAndMute(&dwVolume, &bMute);

    // At the end of the range the key changes nothing and no notification will come.
    if ((nCommand == APPCOMMAND_VOLUME_DOWN && dwVolume == VOLUME_BOTTOM) ||
        (nCommand == APPCOMMAND_VOLUME_UP && dwVolume == VOLUME_TOP))
        ShowNow(hWnd);
    else
        g_nShowPending = 1;
}

static void OnMixerControlChange(HWND hWnd, DWORD dwControlID)
{
    // Only a change caused by a key press seen here shows the display; the first
    // notification after the press decides.
    if (g_nShowPending != 1)
        return;
    if (dwControlID != NO_CONTROL &&
        (dwControlID == g_dwMuteControlID || dwControlID == g_dwVolumeControlID))
        ShowNow(hWnd);
    g_nShowPending = 0;
}

LRESULT CALLBACK OrvexWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        OpenMixer(hWnd);
        CreateVolumeDisplay(hWnd);
        return 1;
    case WM_DESTROY:
        RemoveShellHook();
        DestroyVolumeDisplay();
        if (hWnd == g_hOrvexWindow)
            g_hOrvexWindow = NULL;
        PostQuitMessage(0);
        if (g_hExitEvent)
            SetEvent(g_hExitEvent);
        return 1;
    case WM_TIMER:
        ShowVolumeDisplay(false);
        KillTimer(hWnd, IDT_HIDE_DISPLAY);
        return 1;
    case WM_APPCOMMAND: {
        // Device bits stay in: only commands from the keyboard match.
        short nCommand = (short)HIWORD(lParam);
        if (nCommand == APPCOMMAND_VOLUME_MUTE)
            g_nShowPending = 0;
        else if (nCommand == APPCOMMAND_VOLUME_DOWN || nCommand == APPCOMMAND_VOLUME_UP)
            OnVolumeKey(hWnd, nCommand);
        return 1;
    }
    case MM_MIXM_CONTROL_CHANGE:
        OnMixerControlChange(hWnd, (DWORD)lParam);
        return 1;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

HWND CreateOrvexWindow(HINSTANCE hInstance)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = OrvexWndProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = ORVEX_CLASS_NAME;
    if (!RegisterClassA(&wc))
        return NULL;

    g_hOrvexWindow = CreateWindowExA(0, ORVEX_CLASS_NAME, ORVEX_WINDOW_TITLE, WS_OVERLAPPEDWINDOW,
                                     600, 500, 0, 0, NULL, NULL, hInstance, NULL);
    if (!g_hOrvexWindow) {
        UnregisterClassA(ORVEX_CLASS_NAME, hInstance);
        return NULL;
    }
    ShowWindow(g_hOrvexWindow, SW_HIDE);
    UpdateWindow(g_hOrvexWindow);
    return g_hOrvexWindow;
}

static int RunInstance(HINSTANCE hInstance);

int RunOrvex(HINSTANCE hInstance)
{
    g_hInstance = hInstance;

    // Two starts at the same moment both miss the window the other has yet to create: the
    // mutex, taken first, lets only one of them stay. Without a mutex the window decides alone.
    HANDLE hInstanceMutex = CreateMutexA(NULL, FALSE, ORVEX_MUTEX_NAME);
    const bool bOtherStarted = hInstanceMutex && GetLastError() == ERROR_ALREADY_EXISTS;
    HWND hRunning = FindWindowA(ORVEX_CLASS_NAME, ORVEX_WINDOW_TITLE);
    int nExitCode = 0;
    if (hRunning)
        SetForegroundWindow(hRunning);
    else if (!bOtherStarted)
        nExitCode = RunInstance(hInstance);
    if (hInstanceMutex)
        CloseHandle(hInstanceMutex);
    return nExitCode;
}

// The hook library from Orvex's own folder, else the system folder; never by the search order,
// which takes in the current folder and PATH: a library found there would be injected into
// every program on the desktop.
static HMODULE LoadHookLibrary(void)
{
    char szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char *pszSlash = (cch && cch < MAX_PATH) ? strrchr(szPath, '\\') : NULL;
    if (pszSlash && (size_t)(pszSlash + 1 - szPath) + sizeof(HOOK_LIBRARY_NAME) <= MAX_PATH) {
        lstrcpyA(pszSlash + 1, HOOK_LIBRARY_NAME);
        HMODULE hLibrary = LoadLibraryA(szPath);
        if (hLibrary)
            return hLibrary;
    }
    UINT cchSystem = GetSystemDirectoryA(szPath, MAX_PATH);
    if (!cchSystem || cchSystem + 1 + sizeof(HOOK_LIBRARY_NAME) > MAX_PATH)
        return NULL;
    lstrcatA(szPath, "\\" HOOK_LIBRARY_NAME);
    return LoadLibraryA(szPath);
}

static int RunInstance(HINSTANCE hInstance)
{
    g_hExitEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (!g_hExitEvent)
        return 0;

    // Never freed: a thread of this process may still be inside HookProc when the hook is
    // taken back, and the library goes with the process anyway.
    g_hHookLibrary = LoadHookLibrary();
    if (!g_hHookLibrary) {
        CloseExitEvent();
        return 0;
    }
    HOOKPROC pfnHook = (HOOKPROC)(void *)GetProcAddress(g_hHookLibrary, HOOK_PROC_NAME);
    g_hShellHook = pfnHook ? SetWindowsHookExA(WH_SHELL, pfnHook, g_hHookLibrary, 0) : NULL;

    // Without the window nothing would ever set the exit event: take the hook back and end
    // as the other start-up failures do.
    if (!CreateOrvexWindow(hInstance)) {
        RemoveShellHook();
        CloseExitEvent();
        return 0;
    }

    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        if (IsWindow(g_hVolumeDisplay) && IsDialogMessageA(g_hVolumeDisplay, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }

    // A WM_QUIT from elsewhere leaves the window up and the event unset: end in order here.
    if (IsWindow(g_hOrvexWindow))
        DestroyWindow(g_hOrvexWindow);
    UnregisterClassA(ORVEX_CLASS_NAME, hInstance);
    WaitForSingleObject(g_hExitEvent, EXIT_WAIT_MS);
    CloseExitEvent();
    return 1;
}
