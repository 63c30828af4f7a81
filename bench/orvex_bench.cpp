// Measures Orvex under Wine: how long a volume key takes to bring up the display, next to a
// bare posted-message round trip between two processes, and Orvex's CPU time while idle.
// CPU time is summed over the process's threads (GetThreadTimes): this Wine's GetProcessTimes
// reads 0 for another process whatever it does. A control process that spins first shows, in
// the same run, that the reading moves.
//   orvex_bench.exe PATH\Orvex.exe     the measurements (Orvex.dll must lie beside it)
//   orvex_bench.exe --echo HWND        the echo process of the round trip (started by the above)
//   orvex_bench.exe --spin MS          the control: spins MS ms of CPU time, then idles until ended
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

static const int SAMPLES = 20;
static const UINT WM_BENCH_PING = WM_APP + 1;
static const UINT WM_BENCH_PONG = WM_APP + 2;
static const UINT WM_BENCH_READY = WM_APP + 3;

static double g_dTicksPerMs;

static double NowMs()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / g_dTicksPerMs;
}

static double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

static void Report(const char *pszName, const std::vector<double> &v)
{
    printf("%s: median %.3f ms, min %.3f ms, max %.3f ms (%u samples)\n", pszName, Median(v),
           *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end()),
           (unsigned)v.size());
}

// Waits for a message to this thread, up to a time limit; false when none came.
static bool WaitMessage(MSG *pMsg, UINT uMessage, DWORD dwTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    for (;;) {
        while (PeekMessageA(pMsg, NULL, 0, 0, PM_REMOVE)) {
            if (pMsg->message == uMessage)
                return true;
            DispatchMessageA(pMsg);
        }
        DWORD dwSpent = GetTickCount() - dwStart;
        if (dwSpent >= dwTimeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwTimeoutMs - dwSpent, QS_ALLINPUT);
    }
}


// ---- The echo process --------------------------------------------------------------------

static LRESULT CALLBACK EchoProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_BENCH_PING) {
        PostMessageA((HWND)lParam, WM_BENCH_PONG, 0, 0);
        return 0;
    }
    if (uMsg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

static int RunEcho(HWND hHost)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = EchoProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "OrvexBenchEcho";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                wc.hInstance, NULL);
    PostMessageA(hHost, WM_BENCH_READY, 0, (LPARAM)hWnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

// ---- Round trip between two processes ------------------------------------------------------

static bool MeasureRoundTrip(std::vector<double> *pSamples)
{
    HWND hHost = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    std::string cmd = std::string("\"") + szExe + "\" --echo " + std::to_string((UINT_PTR)hHost);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(szExe, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    MSG msg;
    bool bOk = WaitMessage(&msg, WM_BENCH_READY, 10000);
    HWND hEcho = (HWND)msg.lParam;
    for (int i = -1; bOk && i < SAMPLES; ++i) {  // one round to warm up
        double t0 = NowMs();
        PostMessageA(hEcho, WM_BENCH_PING, 0, (LPARAM)hHost);
        bOk = WaitMessage(&msg, WM_BENCH_PONG, 5000);
        if (i >= 0)
            pSamples->push_back(NowMs() - t0);
    }
    PostMessageA(hEcho, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    DestroyWindow(hHost);
    return bOk;
}

// ---- Orvex ---------------------------------------------------------------------------------

struct Sender {
    HANDLE hGo;
    HANDLE hDone;
    volatile double dSentMs;
    volatile bool bStop;
};

// Its window is made after Orvex installed its hook: a thread keeps the hooks it saw first.
static DWORD WINAPI SenderThread(LPVOID pParam)
{
    Sender *pSender = (Sender *)pParam;
    HWND hWnd = CreateWindowExA(0, "STATIC", "sender", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                GetModuleHandleA(NULL), NULL);
    for (;;) {
        WaitForSingleObject(pSender->hGo, INFINITE);
        if (pSender->bStop)
            break;
        pSender->dSentMs = NowMs();
        SendMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, MAKELPARAM(0, APPCOMMAND_VOLUME_UP));
        SetEvent(pSender->hDone);
    }
    DestroyWindow(hWnd);
    return 0;
}

static BOOL CALLBACK FindOwned(HWND hWnd, LPARAM lParam)
{
    HWND *ph = (HWND *)lParam;
    if (GetWindow(hWnd, GW_OWNER) == ph[0]) {
        ph[1] = hWnd;
        return FALSE;
    }
    return TRUE;
}

static bool WaitWhile(bool bVisible, HWND hWnd, DWORD dwTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    while ((IsWindowVisible(hWnd) != FALSE) == bVisible) {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        SwitchToThread();
    }
    return true;
}

static double FileTimeMs(const FILETIME &ftKernel, const FILETIME &ftUser)
{
    ULONGLONG k = ((ULONGLONG)ftKernel.dwHighDateTime << 32) | ftKernel.dwLowDateTime;
    ULONGLONG u = ((ULONGLONG)ftUser.dwHighDateTime << 32) | ftUser.dwLowDateTime;
    return (double)(k + u) / 10000.0;
}

// The process's CPU time as GetProcessTimes reports it.
static double ProcessCpuMs(HANDLE hProcess)
{
    FILETIME ftCreate, ftExit, ftKernel, ftUser;
    if (!GetProcessTimes(hProcess, &ftCreate, &ftExit, &ftKernel, &ftUser))
        return -1;
    return FileTimeMs(ftKernel, ftUser);
}

// The CPU time of the process's living threads, summed.
static double ThreadsCpuMs(DWORD dwPid)
{
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnap == INVALID_HANDLE_VALUE)
        return -1;
    double dMs = 0;
    THREADENTRY32 te;
    te.dwSize = sizeof(te);
    for (BOOL b = Thread32First(hSnap, &te); b; b = Thread32Next(hSnap, &te)) {
        if (te.th32OwnerProcessID != dwPid)
            continue;
        HANDLE hThread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, te.th32ThreadID);
        if (!hThread)
            continue;
        FILETIME ftCreate, ftExit, ftKernel, ftUser;
        if (GetThreadTimes(hThread, &ftCreate, &ftExit, &ftKernel, &ftUser))
            dMs += FileTimeMs(ftKernel, ftUser);
        CloseHandle(hThread);
    }
    CloseHandle(hSnap);
    return dMs;
}

// Spins until this thread has used dwMs of CPU time (at most 20 s by the clock), then idles.
static int RunSpin(DWORD dwMs)
{
    DWORD dwStart = GetTickCount();
    volatile unsigned n = 0;
    for (;;) {
        for (int i = 0; i < 100000; ++i)
            ++n;
        FILETIME ftCreate, ftExit, ftKernel, ftUser;
        GetThreadTimes(GetCurrentThread(), &ftCreate, &ftExit, &ftKernel, &ftUser);
        if (FileTimeMs(ftKernel, ftUser) >= dwMs || GetTickCount() - dwStart > 20000)
            break;
    }
    Sleep(INFINITE);
    return 0;
}

// Starts the control, lets it spin 400 ms and idle, and prints both readings of its CPU time.
static void MeasureControl()
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    std::string cmd = std::string("\"") + szExe + "\" --spin 400";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(szExe, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "cannot start the control process\n");
        return;
    }
    // Its threads' reading should reach 400 ms; what GetProcessTimes says is printed beside it.
    DWORD dwStart = GetTickCount();
    double dThreads = 0;
    while ((dThreads = ThreadsCpuMs(pi.dwProcessId)) < 400 && GetTickCount() - dwStart < 20000)
        Sleep(50);
    printf("control process that spun 400 ms of CPU: threads' CPU time %.1f ms, GetProcessTimes %.1f ms\n",
           dThreads, ProcessCpuMs(pi.hProcess));
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

static int MeasureOrvex(const char *pszOrvex)
{
    if (FindWindowA("Voldlg", "Orvex Window")) {
        fprintf(stderr, "an Orvex is already running\n");
        return 1;
    }
    std::string dir = pszOrvex;
    dir = dir.substr(0, dir.find_last_of("\\/") == std::string::npos ? 0 : dir.find_last_of("\\/"));
    std::string cmd = std::string("\"") + pszOrvex + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(pszOrvex, &cmd[0], NULL, NULL, FALSE, 0, NULL,
                        dir.empty() ? NULL : dir.c_str(), &si, &pi)) {
        fprintf(stderr, "cannot start %s\n", pszOrvex);
        return 1;
    }
    HWND hOrvex = NULL, search[2] = {NULL, NULL};
    for (int i = 0; i < 1000 && !search[1]; ++i) {
        Sleep(10);
        hOrvex = FindWindowA("Voldlg", "Orvex Window");
        if (hOrvex) {
            search[0] = hOrvex;
            EnumThreadWindows(GetWindowThreadProcessId(hOrvex, NULL), FindOwned, (LPARAM)search);
        }
    }
    HWND hDisplay = search[1];
    if (!hDisplay) {
        fprintf(stderr, "Orvex's display did not appear\n");
        TerminateProcess(pi.hProcess, 1);
        return 1;
    }

    Sender sender = {CreateEventA(NULL, FALSE, FALSE, NULL), CreateEventA(NULL, FALSE, FALSE, NULL), 0, false};
    HANDLE hThread = CreateThread(NULL, 0, SenderThread, &sender, 0, NULL);
    std::vector<double> latency;
    bool bOk = true;
    for (int i = -1; bOk && i < SAMPLES; ++i) {  // one round to warm up
        SetEvent(sender.hGo);
        bOk = WaitWhile(false, hDisplay, 5000);
        double dShownMs = NowMs();
        WaitForSingleObject(sender.hDone, 5000);
        if (bOk && i >= 0)
            latency.push_back(dShownMs - sender.dSentMs);
        PostMessageA(hOrvex, WM_TIMER, 2000, 0);  // any timer hides it at once
        bOk = bOk && WaitWhile(true, hDisplay, 5000);
    }
    sender.bStop = true;
    SetEvent(sender.hGo);
    WaitForSingleObject(hThread, 5000);

    if (bOk) {
        Report("volume up -> display visible", latency);
        MeasureControl();
        Sleep(1000);
        double dCpu0 = ThreadsCpuMs(pi.dwProcessId), dProcess0 = ProcessCpuMs(pi.hProcess);
        Sleep(10000);
        double dCpu1 = ThreadsCpuMs(pi.dwProcessId), dProcess1 = ProcessCpuMs(pi.hProcess);
        printf("Orvex CPU time over 10 idle seconds: threads' %.1f ms (%.1f ms in all so far), "
               "GetProcessTimes %.1f ms\n", dCpu1 - dCpu0, dCpu1, dProcess1 - dProcess0);
    } else {
        fprintf(stderr, "the display did not come up or go away in time\n");
    }

    PostMessageA(hOrvex, WM_CLOSE, 0, 0);
    DWORD dwCode = 0;
    WaitForSingleObject(pi.hProcess, 10000);
    GetExitCodeProcess(pi.hProcess, &dwCode);
    printf("Orvex exit code after WM_CLOSE: %lu\n", dwCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return bOk ? 0 : 1;
}

int main(int argc, char **argv)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    g_dTicksPerMs = (double)f.QuadPart / 1000.0;
    if (argc == 3 && strcmp(argv[1], "--echo") == 0)
        return RunEcho((HWND)(UINT_PTR)strtoull(argv[2], NULL, 10));
    if (argc == 3 && strcmp(argv[1], "--spin") == 0)
        return RunSpin(strtoul(argv[2], NULL, 10));
    if (argc != 2) {
        fprintf(stderr, "usage: orvex_bench.exe PATH\\Orvex.exe\n");
        return 2;
    }
    std::vector<double> roundTrip;
    if (!MeasureRoundTrip(&roundTrip)) {
        fprintf(stderr, "the echo process did not answer\n");
        return 1;
    }
    int nResult = MeasureOrvex(argv[1]);
    Report("posted-message round trip between two processes", roundTrip);
    return nResult;
}
