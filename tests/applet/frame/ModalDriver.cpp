#include "ModalDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

namespace {

const UINT WM_RUN_ON_UI = WM_APP + 0x41;
const char kUiClass[] = "KelvoraTestDriverUi";

} // namespace

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

CModalDriver::CModalDriver()
    : m_hUi(nullptr)
    , m_dwUiThread(GetCurrentThreadId())
    , m_bModalDone(false)
    , m_hLastWindow(nullptr)
    , m_pDrive(nullptr)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = UiProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kUiClass;
    RegisterClassA(&wc); // a second registration fails harmlessly
    m_hUi = CreateWindowA(kUiClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

CModalDriver::~CModalDriver()
{
    if (m_hUi)
        DestroyWindow(m_hUi);
}

LRESULT CALLBACK CModalDriver::UiProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RUN_ON_UI) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void CModalDriver::OnUi(const std::function<void()>& fn)
{
    if (GetCurrentThreadId() == m_dwUiThread)
        fn();
    else
        SendMessageA(m_hUi, WM_RUN_ON_UI, 0, reinterpret_cast<LPARAM>(&fn));
}

HWND CModalDriver::WaitWindow(const char* pszTitle, DWORD dwTimeout)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        HWND hWnd = FindWindowA(nullptr, pszTitle);
        if (hWnd && IsWindowVisible(hWnd)) {
            m_hLastWindow = hWnd;
            return hWnd;
        }
        if (GetTickCount64() - start > dwTimeout || (m_bModalDone && !hWnd))
            return nullptr;
        Sleep(10);
    }
}

bool CModalDriver::WaitGone(HWND hWnd, DWORD dwTimeout)
{
    const ULONGLONG start = GetTickCount64();
    while (IsWindow(hWnd)) {
        if (GetTickCount64() - start > dwTimeout)
            return false;
        Sleep(10);
    }
    return true;
}

void CModalDriver::PressSheetButton(HWND hSheet, int nButton)
{
    SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
    PostMessageA(hSheet, WM_NULL, 0, 0);
}

void CModalDriver::Click(HWND hParent, int nID)
{
    HWND hButton = GetDlgItem(hParent, nID);
    SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
}

DWORD WINAPI CModalDriver::DriveThread(LPVOID pParam)
{
    CModalDriver* pThis = static_cast<CModalDriver*>(pParam);
    (*pThis->m_pDrive)(*pThis);
    // A window the drive left open would keep the test waiting: cancel it.
    const ULONGLONG start = GetTickCount64();
    while (!pThis->m_bModalDone && GetTickCount64() - start < 5000)
        Sleep(10);
    if (!pThis->m_bModalDone) {
        if (HWND hWnd = pThis->m_hLastWindow) {
            PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
        }
        PostThreadMessageA(pThis->m_dwUiThread, WM_NULL, 0, 0);
    }
    return 0;
}

INT_PTR CModalDriver::Run(
    const std::function<INT_PTR()>& modal, const std::function<void(CModalDriver&)>& drive)
{
    m_bModalDone = false;
    m_hLastWindow = nullptr;
    m_pDrive = &drive;
    HANDLE hThread = CreateThread(nullptr, 0, DriveThread, this, 0, nullptr);
    const INT_PTR nResult = modal();
    m_bModalDone = true;
    // The drive may still send work here: keep serving it until the thread ends.
    while (MsgWaitForMultipleObjects(1, &hThread, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        PumpMessages();
    CloseHandle(hThread);
    PumpMessages();
    return nResult;
}

INT_PTR CModalDriver::RunWindow(const std::function<INT_PTR()>& modal, const char* pszTitle,
    const std::function<void(CModalDriver&, HWND)>& drive)
{
    return Run(modal, [&](CModalDriver& d) {
        HWND hWnd = d.WaitWindow(pszTitle);
        if (hWnd)
            drive(d, hWnd);
        else
            ADD_FAILURE() << "no window \"" << pszTitle << "\"";
    });
}
