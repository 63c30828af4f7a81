// Data exchange between a dialog's members and its controls (UpdateData, DoDataExchange).
//
// DoDataExchange lists one DDX_/DDV_ call per control. When loading (m_bSaveAndValidate
// FALSE) members go to the controls; when saving, controls go to the members and DDV_
// checks them. The first failure tells the user (a message box owned by the dialog), puts
// the focus on the failing control and marks the exchange failed; every later DDX_/DDV_ call
// of that exchange does nothing, and UpdateData returns FALSE. Members exchanged before the
// failure keep their new values.
//
// A control id that the dialog lacks leaves the member unchanged.
#pragma once

#include <windows.h>

#include "CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The dialog's control nIDC (null if missing); it becomes the control that DDV_ calls
    // and Fail refer to.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focus the last prepared control (selecting an edit's text) and mark the exchange failed.
    void Fail();
    // Shows a validation prompt owned by the dialog (caption AfxGetAppName, OK, exclamation),
    // then fails.
    void FailWithPrompt(const char* pszPrompt);
    BOOL HasFailed() const { return m_bFailed; }

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;

private:
    BOOL m_bFailed;
};

// Check box state: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Edit or static text.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Decimal integer; on save a text that is not one is refused with the prompt
// "Please enter an integer.".
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// Radio group starting at nIDC (which carries WS_GROUP) and ending before the next window
// with WS_GROUP; only radio buttons count. value is the index of the checked button, -1
// for none; loading -1 or an index out of range unchecks them all.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control by rControl the first time (when rControl has no window yet).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Follows the DDX_Text of an edit: loading limits the edit to nChars bytes (EM_LIMITTEXT);
// saving refuses a longer value with "Please enter no more than <nChars> characters.".
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
