#include "PageUtil.h"

#include <cstring>

#include "AppModule.h"
#include "Mirrend.h"
#include "Registry.h"
#include "WinHelp.h"
#include "resource.h"

namespace {

// The help file of every Pallum window.
const char PALLUM_HELP_FILE[] = "PALLUM.HLP";

// Default values of HKEY_CLASSES_ROOT keys are read into the platform's path-sized buffer:
// 260 characters and the terminator. Anything longer, or not text, is unreadable.
const DWORD CLASSES_VALUE_BYTES = 261;

// The custom program dialog's texts: 261 characters, told to the dialog as their length.
const int CUSTOM_APP_TEXT_LEN = 261;

// A custom program text buffer: CUSTOM_APP_TEXT_LEN bytes and the terminator. A longer text
// is cut after its last whole character, never between a lead byte and its trail byte.
void CopyCustomAppText(char* pszDest, const CString& src)
{
    const char* psz = src.GetString();
    size_t cch = static_cast<size_t>(src.GetLength());
    if (cch > CUSTOM_APP_TEXT_LEN) {
        cch = 0;
        for (;;) {
            const size_t cchChar = IsDBCSLeadByte(static_cast<BYTE>(psz[cch])) ? 2 : 1;
            if (cch + cchChar > CUSTOM_APP_TEXT_LEN)
                break;
            cch += cchChar;
        }
    }
    std::memcpy(pszDest, psz, cch);
    pszDest[cch] = '\0';
}

BOOL ReadDefaultValue(HKEY hRoot, const char* pszKey, CString& rValue)
{
    CRegKey key;
    if (key.Open(hRoot, pszKey, KEY_READ) != ERROR_SUCCESS)
        return FALSE;
    return key.QueryStringValue(nullptr, rValue, CLASSES_VALUE_BYTES) == ERROR_SUCCESS;
}

}  // namespace

CBitmapStatic::CBitmapStatic() : m_nBitmapId(0) {}

CBitmapStatic::~CBitmapStatic() = default;

BOOL CBitmapStatic::SubclassBitmap(UINT nBitmapId, CWnd* pControl)
{
    if (!pControl || !SubclassWindow(pControl->GetSafeHwnd()))
        return FALSE;
    m_nBitmapId = nBitmapId;
    LoadMappedBitmap();
    InvalidateRect(nullptr, TRUE);
    return TRUE;
}

void CBitmapStatic::LoadMappedBitmap()
{
    m_bitmap.DeleteObject();
    COLORMAP map = {RGB(255, 0, 255), GetSysColor(COLOR_WINDOW)};
    m_bitmap.LoadMappedBitmap(m_nBitmapId, 0, &map, 1);
}

void CBitmapStatic::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bitmap.GetSafeHandle())
        return;
    CMemDC memDC(dc);
    if (!memDC.GetSafeHdc())
        return;
    CSelectObject select(memDC, m_bitmap.GetSafeHandle());
    BITMAP bm;
    if (select.Succeeded() && m_bitmap.GetBitmap(&bm))
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, memDC, 0, 0, SRCCOPY);
}

BOOL SetDlgItemState(HWND hDlg, int nID, int nEnable, int nShowCmd)
{
    HWND hItem = GetDlgItem(hDlg, nID);
    if (!hItem)
        return FALSE;
    if (nEnable != ITEM_UNCHANGED)
        EnableWindow(hItem, nEnable != 0);
    if (nShowCmd != ITEM_UNCHANGED)
        ShowWindow(hItem, nShowCmd);
    return TRUE;
}

void ShowWarningBox(HWND hOwner, UINT nStringId)
{
    const CString strText = LoadResString(nStringId);
    const CString strCaption = LoadResString(IDS_WARNING_CAPTION);
    MessageBoxA(hOwner, strText, strCaption, MB_OK | MB_ICONEXCLAMATION);
}

BOOL ReadClassesRootDefault(CString& rOut, const char* pszKey)
{
    CString strValue;
    if (!pszKey || !ReadDefaultValue(HKEY_CLASSES_ROOT, pszKey, strValue))
        return FALSE;
    rOut = strValue;
    return TRUE;
}

BOOL GetAssociatedProgram(CString& rOut, const char* pszType)
{
    if (!pszType)
        return FALSE;
    CString strClass;
    if (pszType[0] == '.')
        ReadClassesRootDefault(strClass, pszType);
    else
        strClass = pszType;
    // Without a class there is no command to look up (and "\shell\..." names no key).
    if (strClass.IsEmpty())
        return FALSE;
    CString strCommand;
    const CString strKey = strClass + "\\" + LoadResString(IDS_SHELL_OPEN_COMMAND);
    if (!ReadDefaultValue(HKEY_CLASSES_ROOT, strKey, strCommand))
        return FALSE;
    rOut = ExtractProgramPath(strCommand);
    return TRUE;
}

CString LoadResString(UINT nId)
{
    CString str;
    str.LoadString(nId);
    return str;
}

BOOL ShowControlHelp(const HELPINFO* pHelpInfo, const DWORD* pHelpIds)
{
    if (!pHelpInfo || !pHelpIds)
        return FALSE;
    for (const DWORD* p = pHelpIds; p[0] != 0 || p[1] != 0; p += 2) {
        if (static_cast<int>(p[0]) == pHelpInfo->iCtrlId) {
            FrameworkWinHelp(static_cast<HWND>(pHelpInfo->hItemHandle), PALLUM_HELP_FILE,
                             HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(pHelpIds));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL EditCustomApp(CButtonInfo& button)
{
    // Room for 261 characters and the terminator, which is set again after the dialog.
    char szName[CUSTOM_APP_TEXT_LEN + 1];
    char szTarget[CUSTOM_APP_TEXT_LEN + 1];
    char szOption[CUSTOM_APP_TEXT_LEN + 1];
    char szWorkDir[CUSTOM_APP_TEXT_LEN + 1];
    CopyCustomAppText(szName, button.GetAppName());
    CopyCustomAppText(szTarget, button.GetAppTarget());
    CopyCustomAppText(szOption, button.GetAppOption());
    CopyCustomAppText(szWorkDir, button.GetAppWorkDir());
    if (ShowCustomAppDialog(szName, szTarget, szOption, szWorkDir, CUSTOM_APP_TEXT_LEN) == 0)
        return FALSE;
    szName[CUSTOM_APP_TEXT_LEN] = szTarget[CUSTOM_APP_TEXT_LEN] = '\0';
    szOption[CUSTOM_APP_TEXT_LEN] = szWorkDir[CUSTOM_APP_TEXT_LEN] = '\0';
    button.SetStartupCustomizedApp(szName, szTarget, szOption, szWorkDir);
    return TRUE;
}
