// CDialog: a dialog from a template in the current resource module (AfxGetResourceHandle
// when it is created).
//
// The object is bound to its window when the dialog initialises: OnInitDialog is the first
// handler it sees (no WM_CREATE). The base OnInitDialog loads the members into the
// controls (UpdateData(FALSE)) and returns TRUE (focus to the first control).
// OK (IDOK) runs OnOK: UpdateData(TRUE) and, if that succeeded, EndDialog(IDOK).
// Cancel, Esc and the close box run OnCancel: EndDialog(IDCANCEL).
#pragma once

#include <windows.h>

#include "Wnd.h"

class CDialog : public CWnd {
public:
    static const CRuntimeClass classCDialog;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCDialog; }

    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A modeless dialog still open is destroyed.
    ~CDialog() override;

    // Modal: returns the EndDialog result, -1 if the dialog could not be created. Without a
    // parent, the thread's active top-level window owns it and is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Modeless: FALSE if the dialog could not be created. The caller's message loop should
    // pass messages through IsDialogMessageA for keyboard navigation.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Modal: ends the modal loop with nResult. Modeless: destroys the window.
    void EndDialog(int nResult);

    BOOL OnInitDialog() override;
    virtual void OnOK();
    virtual void OnCancel();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    // Framework dialog procedure: binds the object at WM_INITDIALOG (lParam is the object,
    // or for a property page its PROPSHEETPAGE whose lParam is the object).
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL BindAndInitialise(HWND hWnd);

    BOOL m_bModal;
};
