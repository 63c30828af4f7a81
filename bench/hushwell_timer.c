/* Times, N times each and interleaved, a later start of Hushwell that hands its request to the
 * running instance (start to exit), a do-nothing program's start to exit (kernel32 only) and
 * that of a program that links user32 and posts one message, the least a hand-over needs.
 *
 *   hushwell_timer.exe HUSHWELL.EXE NOOP.EXE POST.EXE N
 *
 * Prints one line per kind (median, min and max in milliseconds) and the medians' ratios.
 * Exit code 1 when a later start did not behave like one (it became the first instance or did
 * not end with 0). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static LARGE_INTEGER frequency;

static int Compare(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static HANDLE Start(const wchar_t *exe)
{
    wchar_t command[MAX_PATH + 3];
    STARTUPINFOW si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    _snwprintf(command, MAX_PATH + 2, L"\"%ls\"", exe);
    command[MAX_PATH + 2] = 0;
    if (!CreateProcessW(exe, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return NULL;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

/* Start to exit in ms; negative when the program could not start or end in time. */
static double TimeRun(const wchar_t *exe, DWORD *code)
{
    LARGE_INTEGER t0, t1;
    HANDLE process;
    QueryPerformanceCounter(&t0);
    process = Start(exe);
    if (!process)
        return -1;
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        CloseHandle(process);
        return -1;
    }
    QueryPerformanceCounter(&t1);
    GetExitCodeProcess(process, code);
    CloseHandle(process);
    return (double)(t1.QuadPart - t0.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

/* The first instance while it still runs, else null (and its handle closed). */
static HANDLE StillRunning(HANDLE first)
{
    if (first && WaitForSingleObject(first, 0) == WAIT_TIMEOUT)
        return first;
    if (first)
        CloseHandle(first);
    return NULL;
}

/* The indicator shows once the shared block holds its handle. */
static int WaitForIndicator(DWORD pid)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        HWND hwnd = NULL;
        while ((hwnd = FindWindowExW(NULL, hwnd, L"#32770", NULL)) != NULL) {
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == pid && IsWindowVisible(hwnd))
                return 1;
        }
        Sleep(10);
    }
    return 0;
}

static double Report(const char *what, double *ms, int n)
{
    double median;
    qsort(ms, n, sizeof *ms, Compare);
    median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    printf("%-40s median %7.1f ms   min %7.1f   max %7.1f   (n=%d)\n", what, median, ms[0],
           ms[n - 1], n);
    return median;
}

int wmain(int argc, wchar_t **argv)
{
    int n, i, bad = 0;
    double *later, *noop, *post, mLater, mNoop, mPost;
    HANDLE first = NULL;
    if (argc != 5 || (n = _wtoi(argv[4])) <= 0) {
        fprintf(stderr, "usage: hushwell_timer HUSHWELL.EXE NOOP.EXE POST.EXE N\n");
        return 2;
    }
    QueryPerformanceFrequency(&frequency);
    later = calloc(n, sizeof *later);
    noop = calloc(n, sizeof *noop);
    post = calloc(n, sizeof *post);
    for (i = 0; i < n; ++i) {
        DWORD code = 0;
        first = StillRunning(first);
        if (!first) {
            first = Start(argv[1]);
            if (!first || !WaitForIndicator(GetProcessId(first))) {
                fprintf(stderr, "the first instance did not show its indicator\n");
                return 1;
            }
        }
        later[i] = TimeRun(argv[1], &code);
        if (later[i] < 0 || code != 0 || WaitForSingleObject(first, 0) != WAIT_TIMEOUT)
            ++bad;
        noop[i] = TimeRun(argv[2], &code);
        post[i] = TimeRun(argv[3], &code);
        if (noop[i] < 0 || post[i] < 0)
            ++bad;
    }
    mLater = Report("later Hushwell start (hand-over)", later, n);
    mNoop = Report("do-nothing program (kernel32)", noop, n);
    mPost = Report("user32 program posting one message", post, n);
    printf("ratio to the do-nothing program %.2fx, to the user32 program %.2fx\n", mLater / mNoop,
           mLater / mPost);
    if (first) {
        WaitForSingleObject(first, 10000);
        CloseHandle(first);
    }
    if (bad)
        fprintf(stderr, "%d runs misbehaved\n", bad);
    return bad ? 1 : 0;
}
