// Orvex under load and at racing starts, under Wine. Prints figures; every wait is bounded.
//   orvex_load.exe race PATH\Orvex.exe [TRIALS]   two starts at the same moment, TRIALS times:
//                                                  how many stay resident
//   orvex_load.exe burst PATH\Orvex.exe            1,000 volume keys mixed with stray mixer
//                                                  notifications and timer ids, then the figures
// Exit code 1 when something misbehaved (named on stderr), else 0.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const char *const CLASS_NAME = "Voldlg";
static const char *const WINDOW_TITLE = "Orvex Window";
static const UINT MM_CONTROL_CHANGE = 0x03D1;  // MM_MIXM_CONTROL_CHANGE

static double g_dTicksPerMs;
static int g_nBad;

static double NowMs()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / g_dTicksPerMs;
}

static void Bad(const char *pszWhat)
{
    fprintf(stderr, "MISBEHAVED: %s\n", pszWhat);
    ++g_nBad;
}

static HANDLE Start(const std::string &strExe)
{
    std::string cmd = "\"" + strExe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(strExe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

static int CountWindows()
{
    int n = 0;
    HWND h = NULL;
    while ((h = FindWindowExA(NULL, h, CLASS_NAME, WINDOW_TITLE)) != NULL)
        ++n;
    return n;
}

static HWND WaitWindow(DWORD dwMs)
{
    DWORD dwStart = GetTickCount();
    while (GetTickCount() - dwStart < dwMs) {
        if (HWND h = FindWindowA(CLASS_NAME, WINDOW_TITLE))
            return h;
        Sleep(5);
    }
    return NULL;
}

static void CloseAll(const std::vector<HANDLE> &processes)
{
    for (int round = 0; round < 50 && CountWindows() > 0; ++round) {
        HWND h = NULL;
        while ((h = FindWindowExA(NULL, h, CLASS_NAME, WINDOW_TITLE)) != NULL)
            PostMessageA(h, WM_CLOSE, 0, 0);
        Sleep(100);
    }
    for (HANDLE p : processes) {
        if (WaitForSingleObject(p, 5000) != WAIT_OBJECT_0) {
            Bad("an Orvex did not end after WM_CLOSE; terminated");
            TerminateProcess(p, 99);
        }
    }
}

// ---- Two starts at the same moment ----------------------------------------------------------

struct Suspended {
    HANDLE hProcess;
    HANDLE hThread;
};

static bool StartSuspended(const std::string &strExe, Suspended *pOut)
{
    std::string cmd = "\"" + strExe + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(strExe.c_str(), &cmd[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, NULL, &si, &pi))
        return false;
    pOut->hProcess = pi.hProcess;
    pOut->hThread = pi.hThread;
    return true;
}

static int Race(const std::string &strExe, int nTrials)
{
    int nDouble = 0, nSecondZero = 0, nFirstOne = 0;
    double dWorstSettle = 0;
    for (int t = 0; t < nTrials; ++t) {
        Suspended a, b;
        if (!StartSuspended(strExe, &a) || !StartSuspended(strExe, &b)) {
            Bad("could not start Orvex");
            return 1;
        }
        double t0 = NowMs();
        ResumeThread(a.hThread);
        ResumeThread(b.hThread);
        // Settled: one of the two has ended, or 3 s have passed with both running.
        HANDLE both[2] = {a.hProcess, b.hProcess};
        DWORD w = WaitForMultipleObjects(2, both, FALSE, 3000);
        double dSettle = NowMs() - t0;
        if (w != WAIT_TIMEOUT && dSettle > dWorstSettle)
            dWorstSettle = dSettle;
        WaitWindow(3000);
        Sleep(300);  // a window of the second, if it got one, is up by now
        int nResident = (WaitForSingleObject(a.hProcess, 0) == WAIT_TIMEOUT) +
                        (WaitForSingleObject(b.hProcess, 0) == WAIT_TIMEOUT);
        int nWindows = CountWindows();
        if (nResident > 1 || nWindows > 1)
            ++nDouble;
        DWORD ca = STILL_ACTIVE, cb = STILL_ACTIVE;
        GetExitCodeProcess(a.hProcess, &ca);
        GetExitCodeProcess(b.hProcess, &cb);
        if (ca == 0 || cb == 0)
            ++nSecondZero;
        CloseAll({a.hProcess, b.hProcess});
        GetExitCodeProcess(a.hProcess, &ca);
        GetExitCodeProcess(b.hProcess, &cb);
        if (ca == 1 || cb == 1)
            ++nFirstOne;
        for (HANDLE h : {a.hProcess, a.hThread, b.hProcess, b.hThread})
            CloseHandle(h);
    }
    printf("two starts at once: %d of %d trials left two resident; the second ended with 0 in %d; "
           "the resident one ended with 1 after WM_CLOSE in %d; slowest second start %.1f ms\n",
           nDouble, nTrials, nSecondZero, nFirstOne, dWorstSettle);
    if (nDouble)
        Bad("two instances stayed resident");
    return g_nBad ? 1 : 0;
}

// ---- A burst of keys --------------------------------------------------------------------------

struct Found {
    DWORD dwPid;
    HWND hDisplay;
};

static BOOL CALLBACK FindDisplay(HWND h, LPARAM lParam)
{
    Found *pFound = (Found *)lParam;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(h, &dwPid);
    char szClass[16] = "";
    GetClassNameA(h, szClass, sizeof(szClass));
    if (dwPid == pFound->dwPid && strcmp(szClass, "#32770") == 0) {
        pFound->hDisplay = h;
        return FALSE;
    }
    return TRUE;
}

static bool Visible(HWND h) { return IsWindowVisible(h) != FALSE; }

// Waits until the display is hidden and stays so for dwStableMs; the time it went hidden, or
// a negative number when that did not happen within dwLimitMs.
static double WaitHidden(HWND hDisplay, DWORD dwStableMs, DWORD dwLimitMs)
{
    double t0 = NowMs(), dHiddenAt = -1;
    while (NowMs() - t0 < dwLimitMs) {
        if (Visible(hDisplay)) {
            dHiddenAt = -1;
        } else {
            if (dHiddenAt < 0)
                dHiddenAt = NowMs();
            if (NowMs() - dHiddenAt >= dwStableMs)
                return dHiddenAt;
        }
        Sleep(2);
    }
    return -1;
}

static LPARAM Command(int nCommand) { return MAKELPARAM(0, nCommand); }

static int CountMixerOpens();

static int Burst(const std::string &strExe, int nKeys)
{
    HANDLE hOrvex = Start(strExe);
    HWND hWnd = hOrvex ? WaitWindow(10000) : NULL;
    if (!hWnd) {
        Bad("Orvex did not come up");
        return 1;
    }
    Found found = {GetProcessId(hOrvex), NULL};
    for (int i = 0; i < 200 && !found.hDisplay; ++i) {
        EnumWindows(FindDisplay, (LPARAM)&found);
        if (!found.hDisplay)
            Sleep(10);
    }
    if (!found.hDisplay) {
        Bad("no display window");
        CloseAll({hOrvex});
        return 1;
    }

    // Fixed seed: the same mix every run. Keys up (shown at once: the volume stays at the top),
    // keys down (pending), mute, stray notifications and timer ids.
    srand(13);
    int nKinds[5] = {}, nPosted = 0;
    double t0 = NowMs();
    while (nKinds[0] + nKinds[1] + nKinds[2] < nKeys) {
        int r = rand() % 10, k;
        if (r < 4) {
            k = 0;
            PostMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, Command(APPCOMMAND_VOLUME_UP));
        } else if (r < 7) {
            k = 1;
            PostMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, Command(APPCOMMAND_VOLUME_DOWN));
        } else if (r < 8) {
            k = 2;
            PostMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, Command(APPCOMMAND_VOLUME_MUTE));
        } else if (r < 9) {
            k = 3;
            PostMessageA(hWnd, MM_CONTROL_CHANGE, 0, (LPARAM)(rand() * 7919u));
        } else {
            k = 4;
            PostMessageA(hWnd, WM_TIMER, (WPARAM)(rand() % 5000), 0);
        }
        ++nKinds[k];
        ++nPosted;
    }
    double dPosted = NowMs() - t0;

    // A sent message is taken between posted ones: the answer while the burst drains.
    DWORD_PTR dwResult = 0;
    double t1 = NowMs();
    BOOL bAnswered = SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &dwResult) != 0;
    double dAnswer = NowMs() - t1;
    int nDuring = CountWindows();

    // Drained once a final hide (the last thing posted) holds.
    for (int i = 0; i < 20; ++i)
        PostMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, Command(APPCOMMAND_VOLUME_UP));
    PostMessageA(hWnd, WM_TIMER, 2000, 0);
    double dHidden = WaitHidden(found.hDisplay, 500, 30000);
    double dDrained = dHidden < 0 ? -1 : dHidden - t0;

    // One last shown event, posted like the keys (the hook posts them): timed from the moment
    // the display is seen up.
    double t2 = NowMs();
    PostMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd, Command(APPCOMMAND_VOLUME_UP));
    bool bShown = false;
    while (!(bShown = Visible(found.hDisplay)) && NowMs() - t2 < 3000)
        Sleep(1);
    double dShownAt = NowMs();
    double dHiddenAfter = bShown ? WaitHidden(found.hDisplay, 200, 10000) : -1;
    double dShownFor = dHiddenAfter < 0 ? -1 : dHiddenAfter - dShownAt;
    int nAfter = CountWindows();

    double t3 = NowMs();
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    DWORD dwCode = STILL_ACTIVE;
    bool bEnded = WaitForSingleObject(hOrvex, 10000) == WAIT_OBJECT_0;
    double dClose = NowMs() - t3;
    if (!bEnded)
        TerminateProcess(hOrvex, 99);
    GetExitCodeProcess(hOrvex, &dwCode);
    CloseHandle(hOrvex);

    printf("burst of %d keys: %d messages posted in %.1f ms (up %d, down %d, mute %d, stray notifications %d, "
           "timer ids %d)\n", nKeys, nPosted, dPosted, nKinds[0], nKinds[1], nKinds[2], nKinds[3], nKinds[4]);
    printf("answer to a sent WM_NULL right after the burst: %s in %.1f ms\n", bAnswered ? "answered" : "NO ANSWER",
           dAnswer);
    printf("burst drained (final hide held) %.1f ms after the first post\n", dDrained);
    printf("instances: %d during the burst, %d after it\n", nDuring, nAfter);
    printf("last shown event: display %s %.1f ms after the post, hidden again %.1f ms after it showed\n",
           bShown ? "shown" : "NOT SHOWN", dShownAt - t2, dShownFor);
    printf("WM_CLOSE: ended in %.1f ms with exit code %lu\n", dClose, (unsigned long)dwCode);

    if (!bAnswered || dAnswer > 1000)
        Bad("no answer within 1 s");
    if (nDuring != 1 || nAfter != 1)
        Bad("not exactly one instance");
    // Orvex opens the mixer at its start and for each volume key: past the opens the system
    // allows a process, the mixer is not read and no key shows the display any more.
    const int nOpens = 1 + nKinds[0] + nKinds[1] + 1, nAllowed = CountMixerOpens();
    if (nOpens > nAllowed)
        printf("  (not judged: Orvex opened the mixer %d times, more than the %d this system allows a process)\n",
               nOpens, nAllowed);
    else if (!bShown || dShownFor < 1800 || dShownFor > 3000)
        Bad("display not hidden about 2 s after the last shown event");
    if (!bEnded || dwCode != 1)
        Bad("WM_CLOSE did not end it with exit code 1");
    return g_nBad ? 1 : 0;
}

// How many open-and-close cycles of mixer device 0 one process gets (bounded): Orvex reopens
// the mixer for every volume key.
static int CountMixerOpens()
{
    HWND hWnd = CreateWindowExA(0, "STATIC", "mixer", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    const int LIMIT = 2000;
    int i = 0;
    for (; i < LIMIT; ++i) {
        HMIXER h = NULL;
        if (mixerOpen(&h, 0, (DWORD_PTR)hWnd, 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
            break;
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        MMRESULT r = mixerGetLineInfoA((HMIXEROBJ)h, &line, MIXER_GETLINEINFOF_COMPONENTTYPE);
        mixerClose(h);
        if (r != MMSYSERR_NOERROR)
            break;
    }
    DestroyWindow(hWnd);
    return i;
}

static int MixerOpens()
{
    int n = CountMixerOpens();
    if (n < 2000)
        printf("mixer device 0: the speaker line is found through the first %d opens of a process, not after\n", n);
    else
        printf("mixer device 0: %d opens of one process, every one usable\n", n);
    return 0;
}

int main(int argc, char **argv)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    g_dTicksPerMs = (double)f.QuadPart / 1000.0;
    if (argc >= 3 && strcmp(argv[1], "race") == 0)
        return Race(argv[2], argc >= 4 ? atoi(argv[3]) : 10);
    if (argc >= 2 && strcmp(argv[1], "mixeropens") == 0)
        return MixerOpens();
    if (argc >= 3 && strcmp(argv[1], "burst") == 0)
        return Burst(argv[2], argc >= 4 ? atoi(argv[3]) : 1000);
    fprintf(stderr, "usage: orvex_load race PATH\\Orvex.exe [TRIALS] | burst PATH\\Orvex.exe [KEYS] | mixeropens\n");
    return 2;
}
