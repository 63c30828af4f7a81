// Drives modal windows the way a user would: the modal loop runs on the test's thread, a
// helper thread waits for the window (with a timeout) and sends it messages. Work on C++
// objects goes back to the test's thread through OnUi, so assertions run there too.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

class CModalDriver {
public:
    CModalDriver();
    ~CModalDriver();
    CModalDriver(const CModalDriver&) = delete;
    CModalDriver& operator=(const CModalDriver&) = delete;

    // Runs modal() here and drive() on a helper thread; returns modal()'s result once both
    // are done. If drive() leaves the last window it found open, that window is cancelled.
    INT_PTR Run(const std::function<INT_PTR()>& modal, const std::function<void(CModalDriver&)>& drive);

    // The same, with drive() called only once a visible window titled pszTitle exists.
    INT_PTR RunWindow(const std::function<INT_PTR()>& modal, const char* pszTitle,
                      const std::function<void(CModalDriver&, HWND)>& drive);

    // Runs fn on the test's thread and returns when it is done.
    void OnUi(const std::function<void()>& fn);
    // A visible top-level window titled pszTitle (any process), or null after dwTimeout ms.
    HWND WaitWindow(const char* pszTitle, DWORD dwTimeout = 10000);
    // Waits until hWnd is gone; false after dwTimeout ms.
    bool WaitGone(HWND hWnd, DWORD dwTimeout = 10000);
    // Presses a property sheet button (PSBTN_...) and nudges the modal loop.
    void PressSheetButton(HWND hSheet, int nButton);
    // Clicks a button control of a window (synchronously, through its parent).
    void Click(HWND hParent, int nID);

    bool ModalDone() const { return m_bModalDone; }

private:
    static DWORD WINAPI DriveThread(LPVOID pParam);
    static LRESULT CALLBACK UiProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hUi;
    DWORD m_dwUiThread;
    std::atomic<bool> m_bModalDone;
    std::atomic<HWND> m_hLastWindow;
    const std::function<void(CModalDriver&)>* m_pDrive;
};

// Pumps this thread's pending messages (posted ones included) until none is left.
void PumpMessages();
