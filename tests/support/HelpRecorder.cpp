#include "HelpRecorder.h"

#include "WinHelp.h"

namespace {

std::vector<HelpCall> g_helpCalls;

BOOL RecordHelp(HWND hWndMain, const char* pszHelp, UINT uCommand, ULONG_PTR dwData)
{
    HelpCall call = {hWndMain, pszHelp ? pszHelp : "", uCommand, {}};
    if (const DWORD* p = reinterpret_cast<const DWORD*>(dwData)) {
        for (;; p += 2) {
            call.table.push_back(p[0]);
            call.table.push_back(p[1]);
            if (p[0] == 0 && p[1] == 0)
                break;
        }
    }
    g_helpCalls.push_back(call);
    return TRUE;
}

}  // namespace

CHelpRecorder::CHelpRecorder()
{
    g_helpCalls.clear();
    SetWinHelpHook(RecordHelp);
}

CHelpRecorder::~CHelpRecorder()
{
    SetWinHelpHook(nullptr);
}

std::vector<HelpCall>& CHelpRecorder::Calls()
{
    return g_helpCalls;
}

LRESULT SendHelp(HWND hWnd, HWND hDlg, int nID)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = nID;
    info.hItemHandle = GetDlgItem(hDlg, nID);
    return SendMessageA(hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}
