// Small helpers shared by Orvex's unit and end-to-end tests.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

// A path handed over in the environment by the build (KELVORA_<TARGET>), in Windows form.
inline std::string PathFromEnvironment(const char *pszName)
{
    const char *psz = getenv(pszName);
    std::string path = psz ? psz : "";
    for (char &c : path)
        if (c == '/')
            c = '\\';
    if (!path.empty() && path[0] == '\\')
        path = "Z:" + path;
    return path;
}

inline std::string DirectoryOf(const std::string &path)
{
    size_t n = path.find_last_of('\\');
    return n == std::string::npos ? std::string(".") : path.substr(0, n);
}

// Polls until the condition holds or the time is up, handling this thread's messages.
template <typename Condition>
bool WaitFor(Condition condition, DWORD dwTimeoutMs, DWORD dwPollMs = 10)
{
    DWORD dwStart = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - dwStart >= dwTimeoutMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, dwPollMs, QS_ALLINPUT);
    }
}

// Sends an application command to a window of a thread started now, after any hook was
// installed (a thread keeps the hooks it saw at its first window). The static control leaves
// the command unhandled, and DefWindowProc hands it to the shell hooks.
inline bool SendAppCommandFromNewThread(int nCommand)
{
    struct Sender {
        static DWORD WINAPI Run(LPVOID pParam)
        {
            HWND hWnd = CreateWindowExA(0, "STATIC", "sender", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                        GetModuleHandleA(NULL), NULL);
            if (!hWnd)
                return 0;
            SendMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd,
                           MAKELPARAM(0, (int)(INT_PTR)pParam | FAPPCOMMAND_KEY));
            DestroyWindow(hWnd);
            return 1;
        }
    };
    HANDLE hThread = CreateThread(NULL, 0, Sender::Run, (LPVOID)(INT_PTR)nCommand, 0, NULL);
    if (!hThread)
        return false;
    DWORD dwResult = 0;
    bool bDone = WaitForSingleObject(hThread, 5000) == WAIT_OBJECT_0 &&
                 GetExitCodeThread(hThread, &dwResult) && dwResult == 1;
    CloseHandle(hThread);
    return bDone;
}
