#include "Controls.h"

const CRuntimeClass CStatic::classCStatic("CStatic", &CRuntimeClass::Create<CStatic>, &CWnd::classCWnd);
const CRuntimeClass CComboBox::classCComboBox("CComboBox", &CRuntimeClass::Create<CComboBox>, &CWnd::classCWnd);

int CComboBox::AddString(const char* pszString)
{
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszString ? pszString : "")));
}

void CComboBox::ResetContent()
{
    SendMessage(CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessage(CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessage(CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

CString CComboBox::GetLBText(int nIndex) const
{
    CString strText;
    const int nLength = static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0));
    if (nLength <= 0)
        return strText;
    const LRESULT nCopied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                                        reinterpret_cast<LPARAM>(strText.GetBuffer(nLength)));
    strText.ReleaseBuffer(nCopied > 0 ? static_cast<int>(nCopied) : 0);
    return strText;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
