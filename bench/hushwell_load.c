/* Hushwell under load, for bench/hushwell-load.sh: N starts one after another as fast as they
 * end, then M starts at the same moment. Every process must end with 0 within 10 s of its own
 * start, and afterwards no Hushwell process and neither named object may remain.
 *
 *   hushwell_load.exe HUSHWELL.EXE [N [M]]      N defaults to 100, M to 20 (each at most 200)
 *
 * Prints figures; exit code 1 when something misbehaved (named on stderr). */
#include <windows.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <stdlib.h>

#define MAX_STARTS 200
#define END_LIMIT_MS 10000

static LARGE_INTEGER frequency;
static int bad;

static double NowMs(void)
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

static void Bad(const char *what, int index)
{
    fprintf(stderr, "MISBEHAVED: %s (start %d)\n", what, index);
    ++bad;
}

static int Compare(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static void Report(const char *what, double *ms, int n)
{
    qsort(ms, n, sizeof *ms, Compare);
    printf("%-44s median %7.1f ms   max %7.1f ms   (n=%d)\n", what, ms[n / 2], ms[n - 1], n);
}

static BOOL Start(const wchar_t *exe, DWORD flags, PROCESS_INFORMATION *pi)
{
    wchar_t command[MAX_PATH + 3];
    STARTUPINFOW si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    _snwprintf(command, MAX_PATH + 2, L"\"%ls\"", exe);
    command[MAX_PATH + 2] = 0;
    return CreateProcessW(exe, command, NULL, NULL, FALSE, flags, NULL, NULL, &si, pi);
}

/* Waits for the process until END_LIMIT_MS after startedMs; its start-to-exit time, or -1
 * (the process terminated) when it did not end in time or ended with another code. */
static double Finish(HANDLE process, double startedMs, int index)
{
    double left = END_LIMIT_MS - (NowMs() - startedMs);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, left > 0 ? (DWORD)left : 0) != WAIT_OBJECT_0) {
        Bad("did not end within 10 s", index);
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        return -1;
    }
    double ms = NowMs() - startedMs;
    GetExitCodeProcess(process, &code);
    if (code != 0)
        Bad("ended with a code other than 0", index);
    return ms;
}

/* Hushwell processes still running in this Wine prefix. */
static int CountHushwells(void)
{
    int n = 0;
    PROCESSENTRY32W entry;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (lstrcmpiW(entry.szExeFile, L"Hushwell.exe") == 0)
            ++n;
    CloseHandle(snapshot);
    return n;
}

static void CheckNothingLeft(const char *phase)
{
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"Local\\Hushwell");
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, L"Local\\HushwellFile");
    int processes = CountHushwells();
    printf("after %s: %d Hushwell processes, mutex %s, shared block %s\n", phase, processes,
           mutex ? "STILL THERE" : "gone", block ? "STILL THERE" : "gone");
    if (processes != 0 || mutex || block)
        Bad("something was left behind", -1);
    if (mutex)
        CloseHandle(mutex);
    if (block)
        CloseHandle(block);
}

int wmain(int argc, wchar_t **argv)
{
    static double ms[MAX_STARTS];
    static PROCESS_INFORMATION pis[MAX_STARTS];
    static double started[MAX_STARTS];
    int n = argc > 2 ? _wtoi(argv[2]) : 100, m = argc > 3 ? _wtoi(argv[3]) : 20, i, count;
    double firstMs = -1, t0;
    if (argc < 2 || n < 2 || n > MAX_STARTS || m < 1 || m > MAX_STARTS) {
        fprintf(stderr, "usage: hushwell_load HUSHWELL.EXE [N [M]]   (2 <= N <= 200, 1 <= M <= 200)\n");
        return 2;
    }
    QueryPerformanceFrequency(&frequency);
    CheckNothingLeft("nothing yet");

    /* One after another: the first start stays while the later ones hand over and end. */
    t0 = NowMs();
    if (!Start(argv[1], 0, &pis[0])) {
        Bad("could not start", 0);
        return 1;
    }
    started[0] = t0;
    for (i = 1, count = 0; i < n; ++i) {
        double s = NowMs();
        if (!Start(argv[1], 0, &pis[i])) {
            Bad("could not start", i);
            continue;
        }
        ms[count] = Finish(pis[i].hProcess, s, i);
        if (ms[count] >= 0)
            ++count;
        CloseHandle(pis[i].hThread);
        CloseHandle(pis[i].hProcess);
    }
    {
        double lastStart = NowMs();
        /* The first instance ends two seconds after the last toggle; its own limit counts from there. */
        firstMs = Finish(pis[0].hProcess, lastStart, 0);
        CloseHandle(pis[0].hThread);
        CloseHandle(pis[0].hProcess);
        if (count)
            Report("later start to exit, one after another", ms, count);
        printf("%d starts in %.1f ms; the first instance ended %.1f ms after the last start\n", n,
               lastStart - t0, firstMs);
    }
    CheckNothingLeft("one after another");

    /* All at once: created suspended, then let go together. */
    for (i = 0; i < m; ++i)
        if (!Start(argv[1], CREATE_SUSPENDED, &pis[i])) {
            Bad("could not start", i);
            m = i;
            break;
        }
    t0 = NowMs();
    for (i = 0; i < m; ++i) {
        started[i] = t0;
        ResumeThread(pis[i].hThread);
    }
    for (i = 0, count = 0; i < m; ++i) {
        ms[count] = Finish(pis[i].hProcess, started[i], i);
        if (ms[count] >= 0)
            ++count;
        CloseHandle(pis[i].hThread);
        CloseHandle(pis[i].hProcess);
    }
    if (count) {
        char what[64];
        sprintf(what, "%d starts at once, start to exit", m);
        Report(what, ms, count);
    }
    CheckNothingLeft("all at once");
    return bad ? 1 : 0;
}
