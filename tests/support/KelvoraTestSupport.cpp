#include "KelvoraTestSupport.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <cstring>

std::string BuildPath(const char* pszVariable)
{
    const char* psz = std::getenv(pszVariable);
    std::string path = psz ? psz : "";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return path;
}

CProcess::CProcess(const std::string& commandLine, const std::string& directory)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::string line = commandLine;   // CreateProcessA may write into it
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &si, &m_pi))
        m_pi = PROCESS_INFORMATION();
}

CProcess::~CProcess()
{
    if (!m_pi.hProcess)
        return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

long CProcess::Wait(DWORD dwTimeoutMs)
{
    if (!m_pi.hProcess || WaitForSingleObject(m_pi.hProcess, dwTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return static_cast<long>(dwCode);
}

namespace {

struct WindowQuery {
    const char* pszClass;
    const char* pszTitle;
    bool bVisible;
    HWND hExcept;
    HWND hFirst;
    int nCount;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    WindowQuery* pQuery = reinterpret_cast<WindowQuery*>(lParam);
    char szClass[256] = "", szTitle[256] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if ((pQuery->pszClass && strcmp(szClass, pQuery->pszClass) != 0)
        || (pQuery->pszTitle && strcmp(szTitle, pQuery->pszTitle) != 0)
        || (pQuery->bVisible && !IsWindowVisible(hWnd)) || hWnd == pQuery->hExcept)
        return TRUE;
    if (!pQuery->hFirst)
        pQuery->hFirst = hWnd;
    ++pQuery->nCount;
    return TRUE;
}

WindowQuery FindWindows(const char* pszClass, const char* pszTitle, bool bVisible, HWND hExcept = nullptr)
{
    WindowQuery query = { pszClass, pszTitle, bVisible, hExcept, nullptr, 0 };
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query;
}

} // namespace

HWND WaitForWindow(const char* pszClass, const char* pszTitle, DWORD dwTimeoutMs, bool bVisible, HWND hExcept)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (HWND hWnd = FindWindows(pszClass, pszTitle, bVisible, hExcept).hFirst)
            return hWnd;
        if (GetTickCount64() - start > dwTimeoutMs)
            return nullptr;
        Sleep(20);
    }
}

int CountWindows(const char* pszClass, const char* pszTitle, bool bVisible)
{
    return FindWindows(pszClass, pszTitle, bVisible).nCount;
}

std::vector<std::string> TabTitles(HWND hSheet)
{
    std::vector<std::string> titles;
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    const int nCount = hTab ? static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < nCount; ++i) {
        char szText[128] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = sizeof(szText);
        SendMessageA(hTab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        titles.push_back(szText);
    }
    return titles;
}

std::string ItemText(HWND hDlg, int nID)
{
    char szText[512] = "";
    GetDlgItemTextA(hDlg, nID, szText, sizeof(szText));
    return szText;
}
