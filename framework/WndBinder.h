// Inside the framework: binds the next dialog window that this thread creates to a CWnd,
// from the window's very first message on (a thread-local CBT hook until that window is
// bound: a hook left in place would be called for every later window, focus and move).
#pragma once

#include <windows.h>

class CWnd;

class CWndBinder {
public:
    explicit CWndBinder(CWnd* pWnd);
    ~CWndBinder();
    CWndBinder(const CWndBinder&) = delete;
    CWndBinder& operator=(const CWndBinder&) = delete;

private:
    friend LRESULT CALLBACK BinderCbtProc(int nCode, WPARAM wParam, LPARAM lParam);
    void Unhook();

    CWnd* m_pWnd;
    CWndBinder* m_pPrevWaiting;
    HHOOK m_hHook;
};
