// applet_probe: watches top-level windows from inside the Wine prefix, where the X side sees
// only the virtual desktop. Used by tools/run and bench/applet-open.sh.
//
//   applet_probe wait TITLE [TIMEOUT_MS]     exit 0 once a visible window titled TITLE exists
//   applet_probe close TITLE [TIMEOUT_MS]    cancel/close that window and wait until it is gone
//   applet_probe select TITLE INDEX          show the page at INDEX of the property sheet TITLE
//   applet_probe settle TITLE                repaint that window and its children now and
//                                            return once its thread has drawn everything
//   applet_probe time COMMAND [TITLE]        start COMMAND, print the milliseconds until its
//                                            first visible top-level window (titled TITLE if
//                                            given) appears and the tick count then (seconds,
//                                            the clock of Wine's +timestamp), then close it
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Search {
    DWORD dwProcessId;     // 0: any process
    const char* pszTitle;  // null: any title
    HWND hFound;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = reinterpret_cast<Search*>(lParam);
    if (!IsWindowVisible(hWnd))
        return TRUE;
    if (pSearch->dwProcessId) {
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hWnd, &dwPid);
        if (dwPid != pSearch->dwProcessId)
            return TRUE;
    }
    if (pSearch->pszTitle) {
        char szTitle[256] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        if (strcmp(szTitle, pSearch->pszTitle) != 0)
            return TRUE;
    }
    pSearch->hFound = hWnd;
    return FALSE;
}

HWND FindVisible(DWORD dwProcessId, const char* pszTitle)
{
    Search search = {dwProcessId, pszTitle, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

HWND WaitVisible(DWORD dwProcessId, const char* pszTitle, DWORD dwTimeout)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (HWND hWnd = FindVisible(dwProcessId, pszTitle))
            return hWnd;
        if (GetTickCount64() - start > dwTimeout)
            return nullptr;
        Sleep(2);
    }
}

// A dialog or property sheet takes IDCANCEL as "close without saving"; other windows WM_CLOSE.
bool CloseAndWait(HWND hWnd, DWORD dwTimeout)
{
    PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    const ULONGLONG start = GetTickCount64();
    bool bSentClose = false;
    while (IsWindow(hWnd)) {
        const ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed > dwTimeout)
            return false;
        if (!bSentClose && elapsed > 1000) {
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
            bSentClose = true;
        }
        Sleep(10);
    }
    return true;
}

DWORD TimeoutArg(int argc, char** argv, int index)
{
    return argc > index ? static_cast<DWORD>(strtoul(argv[index], nullptr, 10)) : 30000;
}

int TimeCommand(const char* pszCommand, const char* pszTitle)
{
    std::string command(pszCommand);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi)) {
        fprintf(stderr, "applet_probe: cannot start %s (%lu)\n", pszCommand, GetLastError());
        return 2;
    }
    HWND hWnd = WaitVisible(pi.dwProcessId, pszTitle, 60000);
    QueryPerformanceCounter(&t1);
    const DWORD dwTick = GetTickCount();
    int result = 0;
    if (hWnd) {
        printf("%.1f %lu.%03lu\n", (t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart, dwTick / 1000,
               dwTick % 1000);
        fflush(stdout);
        CloseAndWait(hWnd, 10000);
    } else {
        fprintf(stderr, "applet_probe: no window from %s\n", pszCommand);
        result = 1;
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 3);
        result = result ? result : 3;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "wait") == 0)
        return WaitVisible(0, argv[2], TimeoutArg(argc, argv, 3)) ? 0 : 1;
    if (argc >= 3 && strcmp(argv[1], "close") == 0) {
        HWND hWnd = WaitVisible(0, argv[2], TimeoutArg(argc, argv, 3));
        return hWnd && CloseAndWait(hWnd, TimeoutArg(argc, argv, 3)) ? 0 : 1;
    }
    if (argc >= 4 && strcmp(argv[1], "select") == 0) {
        HWND hSheet = WaitVisible(0, argv[2], 30000);
        return hSheet && SendMessageA(hSheet, PSM_SETCURSEL, strtoul(argv[3], nullptr, 10), 0) ? 0 : 1;
    }
    if (argc >= 3 && strcmp(argv[1], "settle") == 0) {
        // A window that has just become visible may not have painted its children yet (the
        // tab strip comes last): paint synchronously, then let the thread drain its queue.
        HWND hWnd = WaitVisible(0, argv[2], 30000);
        if (!hWnd)
            return 1;
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        DWORD_PTR dwResult = 0;
        return SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &dwResult) ? 0 : 1;
    }
    if (argc >= 3 && strcmp(argv[1], "time") == 0)
        return TimeCommand(argv[2], argc > 3 ? argv[3] : nullptr);
    fprintf(stderr, "usage: applet_probe wait|close TITLE [TIMEOUT_MS] | select TITLE INDEX | settle TITLE | time COMMAND [TITLE]\n");
    return 2;
}
