// CWnd: a C++ object bound to one window.
//
// Two ways to bind:
// - Attach: the object only wraps the handle (no messages reach it).
// - Subclass: the object takes over the window procedure; every message goes to the virtual
//   WindowProc, which calls the named handlers below; what a handler does not take goes to
//   the window's previous procedure through Default() / DefWindowProc().
// Dialogs, property pages and the property sheet are subclassed by the framework when they
// are created; controls by SubclassWindow / SubclassDlgItem / DDX_Control.
//
// Message dispatch, readable at a glance:
// - WM_COMMAND goes to the virtual OnCommand. A class routes its commands with a plain table
//   of (control id, notification code, member function) rows:
//
//       BOOL CRemoconPage::OnCommand(WPARAM wParam, LPARAM lParam)
//       {
//           static const CCommandEntry<CRemoconPage> kCommands[] = {
//               { IDC_REMOCON_RESET, BN_CLICKED, &CRemoconPage::OnResetClicked },
//               { IDC_REMOCON_EXT_RECEIVER, BN_CLICKED, &CRemoconPage::OnReceiverClicked },
//           };
//           return DispatchCommand(this, kCommands, wParam) || CPropertyPage::OnCommand(wParam, lParam);
//       }
//
// - WM_NOTIFY goes to OnNotify; WM_HELP (with its HELPINFO) to OnHelpInfo; WM_CREATE,
//   WM_DESTROY, WM_PAINT, WM_SYSCOMMAND and WM_INITDIALOG to the handlers of
//   those names. Any other message: override WindowProc with a switch and call the base
//   class's WindowProc for the rest.
// - While UpdateData runs on a window, control notifications (WM_COMMAND from a control)
//   sent to it are ignored, so loading the controls does not look like user edits.
#pragma once

#include <windows.h>

#include <cstddef>

#include "CString.h"
#include "Object.h"

class CDataExchange;

class CWnd : public CObject {
public:
    static const CRuntimeClass classCWnd;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCWnd; }

    CWnd();
    // Gives the window back its previous procedure and lets go of the handle; never destroys
    // a window it did not create.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // The object bound to hWnd (subclassed or attached), or else a wrapper object that the
    // framework keeps while the window exists. Null only for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The object bound to hWnd, null if none.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Wrap a window without taking its messages. FALSE if hWnd is null, already bound, or
    // this object already has a window.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // Take over the window's messages. FALSE (nothing changed) on the same conditions as
    // Attach or when the procedure cannot be replaced.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window back its previous procedure and detaches; returns the handle.
    HWND UnsubclassWindow();

    // Plain window operations.
    CWnd* GetDlgItem(int nID) const;
    BOOL IsWindow() const;
    BOOL DestroyWindow();
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    void SetWindowText(const char* pszText);
    CString GetWindowText() const;
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void GetClientRect(RECT* pRect) const;
    void GetWindowRect(RECT* pRect) const;
    // pWndInsertAfter null: HWND_TOP (ignored with SWP_NOZORDER).
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    // Change the extended style bits; nFlags nonzero: SetWindowPos(SWP_NOSIZE | SWP_NOMOVE |
    // SWP_NOZORDER | SWP_NOACTIVATE | nFlags) so the frame follows.
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    HMENU GetSystemMenu(BOOL bRevert) const;

    // Data exchange between members and controls (DoDataExchange). bSaveAndValidate TRUE:
    // controls to members, with validation; FALSE: members to controls. FALSE when a
    // validation failed (the user was told and the control has the focus).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The dispatcher; see the top of this file.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled, passed to the previous window procedure.
    LRESULT Default();
    // Any message passed to the previous window procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Message handlers. TRUE from OnCommand / OnNotify means handled (for OnNotify the
    // message's result is *pResult); the bases return FALSE so the message goes on to
    // Default(). The other bases run Default() (OnSysCommand passes its own arguments).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnInitDialog();
    virtual int OnCreate(LPCREATESTRUCTA lpCreateStruct);
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    virtual void OnSysCommand(UINT nID, LPARAM lParam);
    // After the window's last message (WM_NCDESTROY); the object no longer has a window.
    virtual void PostNcDestroy();

private:
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper;        // previous window procedure; null when only attached
    CurrentMessage m_current;  // for Default()
    int m_nLockoutNotify;      // > 0 while UpdateData runs
};

// One row of a command table: control id, notification code, handler.
template <class T>
struct CCommandEntry {
    UINT nID;
    UINT nCode;
    void (T::*pfnHandler)();
};

// Runs the handler of the first row whose id and code match the WM_COMMAND's wParam.
// TRUE if one ran.
template <class T, std::size_t N>
BOOL DispatchCommand(T* pThis, const CCommandEntry<T> (&table)[N], WPARAM wParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    for (const CCommandEntry<T>& entry : table) {
        if (entry.nID == nID && entry.nCode == nCode) {
            (pThis->*entry.pfnHandler)();
            return TRUE;
        }
    }
    return FALSE;
}
