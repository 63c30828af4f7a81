#include "UiScript.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <map>

namespace {

std::map<UINT_PTR, UiScript*>& Scripts()
{
    static std::map<UINT_PTR, UiScript*> s_scripts;
    return s_scripts;
}

// Wine and Windows give a message box's text the id 0xFFFF.
const int MESSAGE_BOX_TEXT_ID = 0xFFFF;

bool IsDialogClass(HWND hWnd)
{
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpA(szClass, "#32770") == 0;
}

BOOL CALLBACK CloseDialog(HWND hWnd, LPARAM)
{
    if (IsDialogClass(hWnd))
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK FindMessageBoxProc(HWND hWnd, LPARAM lParam)
{
    if (IsDialogClass(hWnd) && IsWindowVisible(hWnd) && GetDlgItem(hWnd, MESSAGE_BOX_TEXT_ID)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

UiScript::UiScript(DWORD nTimeoutMs)
    : m_nNext(0), m_nRunning(0), m_nTimeoutMs(nTimeoutMs), m_nStart(0), m_bTimedOut(false), m_nTimer(0)
{
}

UiScript::~UiScript()
{
    if (m_nTimer) {
        KillTimer(nullptr, m_nTimer);
        Scripts().erase(m_nTimer);
    }
}

UiScript& UiScript::Then(Step step)
{
    m_steps.push_back(std::move(step));
    m_busy.push_back(false);
    return *this;
}

void UiScript::Start()
{
    m_nStart = GetTickCount();
    m_nTimer = SetTimer(nullptr, 0, 30, &TimerProc);
    Scripts()[m_nTimer] = this;
}

void CALLBACK UiScript::TimerProc(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    auto it = Scripts().find(nIDEvent);
    if (it != Scripts().end())
        it->second->Tick();
}

void UiScript::Tick()
{
    const DWORD nElapsed = GetTickCount() - m_nStart;
    if (nElapsed > m_nTimeoutMs) {
        m_bTimedOut = true;
        if (nElapsed > m_nTimeoutMs + 5000) {
            // Closing did not end the modal loop: end the run rather than hang it.
            std::fprintf(stderr, "UiScript: the modal loop did not end after the timeout; aborting\n");
            std::fflush(stderr);
            ExitProcess(3);
        }
        CloseEverything();
        return;
    }
    const size_t i = m_nNext;
    if (i >= m_steps.size() || m_busy[i])
        return;
    m_busy[i] = true;
    m_nNext = i + 1;
    ++m_nRunning;
    const bool bDone = m_steps[i]();
    --m_nRunning;
    m_busy[i] = false;
    if (!bDone && m_nNext == i + 1)
        m_nNext = i;
}

void UiScript::CloseEverything()
{
    EnumThreadWindows(GetCurrentThreadId(), &CloseDialog, 0);
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

HWND FindMessageBox()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMessageBoxProc, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

std::string MessageBoxText(HWND hBox)
{
    char szText[512] = {};
    GetDlgItemTextA(hBox, MESSAGE_BOX_TEXT_ID, szText, sizeof(szText));
    return szText;
}

void CloseMessageBox(HWND hBox)
{
    PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

UiScript::Step AnswerMessageBox(std::string* pText)
{
    return [pText] {
        HWND hBox = FindMessageBox();
        if (!hBox)
            return false;
        *pText = MessageBoxText(hBox);
        CloseMessageBox(hBox);
        return true;
    };
}

UiScript::Step Do(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

UiScript::Step OnWindow(const char* pszTitle, std::function<void(HWND)> action)
{
    const std::string strTitle = pszTitle;
    return [strTitle, action] {
        HWND hWnd = FindWindowA(nullptr, strTitle.c_str());
        if (!hWnd || !IsWindowVisible(hWnd) || GetWindowThreadProcessId(hWnd, nullptr) != GetCurrentThreadId())
            return false;
        action(hWnd);
        return true;
    };
}

std::vector<std::string> AnswerMessageBoxes(const std::function<void()>& action, DWORD nTimeoutMs)
{
    std::vector<std::string> boxes;
    bool bDone = false;
    UiScript script(nTimeoutMs);
    script.Then([&] {
        while (HWND hBox = FindMessageBox()) {
            char szCaption[128] = {};
            GetWindowTextA(hBox, szCaption, sizeof(szCaption));
            boxes.push_back(std::string(szCaption) + "|" + MessageBoxText(hBox));
            // Hidden at once, so that it is not found again while it closes.
            ShowWindow(hBox, SW_HIDE);
            CloseMessageBox(hBox);
        }
        return bDone;
    });
    script.Start();
    action();
    bDone = true;
    if (script.TimedOut())
        boxes.push_back("(timed out)");
    return boxes;
}

void Click(HWND hDialog, int nID)
{
    SendMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nID)));
}

void PostClick(HWND hDialog, int nID)
{
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nID)));
    PostMessageA(hDialog, WM_NULL, 0, 0);
}

void PressItem(HWND hDialog, int nID)
{
    SendMessageA(GetDlgItem(hDialog, nID), BM_CLICK, 0, 0);
}

void PressSheetButton(HWND hSheet, int nButton)
{
    SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
    PostMessageA(hSheet, WM_NULL, 0, 0);
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& pred, DWORD nTimeoutMs)
{
    const DWORD nStart = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - nStart > nTimeoutMs)
            return false;
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}
