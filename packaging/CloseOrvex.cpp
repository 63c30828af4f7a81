// CloseOrvex: the package's one custom action. Before files are removed or replaced, a
// running Orvex.exe is asked to end the way it ends by itself (WM_CLOSE to its hidden
// window: hook removed, display destroyed), so that its files are not in use.
#include <windows.h>

namespace {

const DWORD CLOSE_TIMEOUT_MS = 5000;

// One pass: close the first "Orvex Window" found; false when there is none (left).
bool CloseOne()
{
    HWND hWnd = FindWindowA("Voldlg", "Orvex Window");
    if (!hWnd)
        return false;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    HANDLE hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, dwPid);
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    if (!hProcess)
        return false;  // not ours to wait for (another user's); the installer copes with files in use
    // A program that does not end on WM_CLOSE would keep its files until a restart.
    if (WaitForSingleObject(hProcess, CLOSE_TIMEOUT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(hProcess, 0);
        WaitForSingleObject(hProcess, CLOSE_TIMEOUT_MS);
    }
    CloseHandle(hProcess);
    return true;
}

}  // namespace

// Immediate action, so it runs on the user's desktop where the window is. It never fails
// the installation: the worst case is a file in use, which the installer handles itself.
extern "C" __declspec(dllexport) UINT __stdcall CloseOrvex(ULONG /*hInstall*/)
{
    // One instance is the rule, but a second one (another start while the first hung)
    // must not keep its files either; bounded, so a window that keeps coming back cannot loop.
    for (int i = 0; i < 4 && CloseOne(); ++i) {
    }
    return ERROR_SUCCESS;
}
