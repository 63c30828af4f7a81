#include "PallumApp.h"

#include <commctrl.h>

#include "PageUtil.h"
#include "PallumSheet.h"
#include "resource.h"

UINT g_nServicesMessage = 0;
BOOL (*g_pfnBindSettingsLibrary)() = nullptr;

CPallumApp::CPallumApp()
{
    g_nServicesMessage = RegisterWindowMessageA("WM_KELVORA_SERVICES");
}

BOOL CPallumApp::InitInstance()
{
    InitCommonControls();
    return CWinApp::InitInstance();
}

void CPallumApp::ReadGeneralSettings()
{
    // Missing settings never fail the load: the library leaves its defaults.
    CRegManager::ReadSettingGeneralSettingManager(m_general);
}

BOOL IsStartPageCommandLine(const char* pszCommandLine)
{
    if (!pszCommandLine)
        return FALSE;
    const char* pszLastSlash = nullptr;
    for (const char* p = pszCommandLine; *p; p = CharNextA(p)) {
        if (*p == '/')
            pszLastSlash = p;
    }
    if (!pszLastSlash)
        return FALSE;
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, pszLastSlash, -1, "/s", -1) ==
           CSTR_EQUAL;
}

namespace {

// CPL_DBLCLK: brings an open "KELVORA Controls Properties" window to the front, or builds
// and runs the sheet (not shown when a page cannot read its settings).
void OpenPallumSheet(HWND hwndCPl)
{
    const CString strCaption = LoadResString(IDS_SHEET_CAPTION);
    // One sheet at a time, whichever process shows it.
    if (HWND hOpen = FindWindowA(nullptr, strCaption)) {
        SetForegroundWindow(hOpen);
        return;
    }
    CPallumSheet sheet(strCaption, CWnd::FromHandle(hwndCPl), 0);
    if (!sheet.PreparePages())
        return;
    if (IsStartPageCommandLine(GetCommandLineA()))
        sheet.SetStartPage(2);
    sheet.DoModal();
}

}  // namespace

extern "C" LONG APIENTRY CPlApplet(HWND hwndCPl, UINT uMsg, LPARAM /*lParam1*/, LPARAM lParam2)
{
    CModuleContext context(AfxGetStaticModuleHandle());
    switch (uMsg) {
    case CPL_INIT:
        if (g_pfnBindSettingsLibrary && !g_pfnBindSettingsLibrary())
            return 0;
        if (CPallumApp* pApp = static_cast<CPallumApp*>(AfxGetApp()))
            pApp->ReadGeneralSettings();
        return 1;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE:
        if (CPLINFO* pInfo = reinterpret_cast<CPLINFO*>(lParam2)) {
            pInfo->idIcon = IDI_PALLUM;
            pInfo->idName = IDS_APPLET_NAME;
            pInfo->idInfo = IDS_APPLET_INFO;
        }
        return 0;
    case CPL_DBLCLK:
        OpenPallumSheet(hwndCPl);
        return 0;
    case CPL_NEWINQUIRE:
        if (NEWCPLINFOA* pInfo = reinterpret_cast<NEWCPLINFOA*>(lParam2)) {
            HINSTANCE hRes = AfxGetResourceHandle();
            pInfo->dwSize = sizeof(NEWCPLINFOA);
            pInfo->dwFlags = 0;
            pInfo->dwHelpContext = 0;
            pInfo->lData = 0;
            pInfo->hIcon = LoadIconA(hRes, MAKEINTRESOURCEA(IDI_PALLUM));
            if (LoadStringA(hRes, IDS_APPLET_NAME, pInfo->szName, sizeof(pInfo->szName)) <= 0)
                pInfo->szName[0] = '\0';
            if (LoadStringA(hRes, IDS_APPLET_INFO, pInfo->szInfo, sizeof(pInfo->szInfo)) <= 0)
                pInfo->szInfo[0] = '\0';
            pInfo->szHelpFile[0] = '\0';
        }
        return 0;
    default:
        return 0;
    }
}
