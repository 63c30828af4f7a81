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

// Top-level windows of class "Voldlg" titled "Orvex Window", in any process.
inline int CountOrvexWindows()
{
    struct Counter {
        static BOOL CALLBACK Count(HWND hWnd, LPARAM lParam)
        {
            char szClass[32] = "", szTitle[32] = "";
            GetClassNameA(hWnd, szClass, sizeof(szClass));
            GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
            if (lstrcmpA(szClass, "Voldlg") == 0 && lstrcmpA(szTitle, "Orvex Window") == 0)
                ++*(int *)lParam;
            return TRUE;
        }
    };
    int n = 0;
    EnumWindows(Counter::Count, (LPARAM)&n);
    return n;
}
