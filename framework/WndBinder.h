// Inside the framework: binds the next dialog window that this thread creates to a CWnd,
// from the window's very first message on (a thread-local CBT hook while the object lives).
#pragma once

#include <windows.h>

class CWnd;

class CWndBinder {
public:
    explicit CWndBinder(CWnd* pWnd);
    ~CWndBinder();
    CWndBinder(const CWndBinder&) = delete;
    CWndBinder& operator=(const CWndBinder&) = delete;

    bool Installed() const;

private:
    CWnd* m_pPrevWaiting;
    HHOOK m_hHook;
};
