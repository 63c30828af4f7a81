#include "DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "AppModule.h"
#include "Wnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate),
      m_pDlgWnd(pDlgWnd),
      m_hWndLastControl(nullptr),
      m_bEditLastControl(FALSE),
      m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (!m_hWndLastControl)
        return;
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
}

void CDataExchange::FailWithPrompt(const char* pszPrompt)
{
    ::MessageBoxA(m_pDlgWnd ? m_pDlgWnd->m_hWnd : nullptr, pszPrompt, AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
    Fail();
}

namespace {

// A control state that one message reads and another writes (check state, selection).
void ExchangeState(CDataExchange* pDX, int nIDC, int& value, UINT nGetMessage, UINT nSetMessage)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWnd, nGetMessage, 0, 0));
    else
        ::SendMessageA(hWnd, nSetMessage, static_cast<WPARAM>(value), 0);
}

}  // namespace

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeState(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (pDX->m_bSaveAndValidate)
        value = CWnd::FromHandle(hWnd)->GetWindowText();
    else
        ::SetWindowTextA(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!hWnd)
        return;
    if (!pDX->m_bSaveAndValidate) {
        CString strText;
        strText.Format("%d", value);
        ::SetWindowTextA(hWnd, strText);
        return;
    }
    CString strText = CWnd::FromHandle(hWnd)->GetWindowText();
    strText.Trim();
    char* pszEnd = nullptr;
    errno = 0;
    const long long nParsed = std::strtoll(strText, &pszEnd, 10);
    const bool bWhole = !strText.IsEmpty() && pszEnd && *pszEnd == '\0';
    if (!bWhole || errno == ERANGE || nParsed < INT_MIN || nParsed > INT_MAX) {
        pDX->FailWithPrompt("Please enter an integer.");
        return;
    }
    value = static_cast<int>(nParsed);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeState(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->HasFailed())
        return;
    HWND hFirst = pDX->PrepareCtrl(nIDC);
    if (!hFirst)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nButton = 0;
    for (HWND hWnd = hFirst; hWnd; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hFirst && (GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if (!(::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                value = nButton;
        } else {
            ::SendMessageA(hWnd, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nButton;
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->HasFailed() || rControl.m_hWnd)
        return;
    if (HWND hWnd = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(hWnd);
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->HasFailed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() > nChars) {
        CString strPrompt;
        strPrompt.Format("Please enter no more than %d characters.", nChars);
        pDX->FailWithPrompt(strPrompt);
    }
}
