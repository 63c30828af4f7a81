// Property sheet and pages over the system's property sheet (comctl32).
//
// A page's window is created by the sheet the first time the page is shown; until then its
// m_hWnd is null. The page object is bound at its WM_INITDIALOG (OnInitDialog; the base
// loads the members into the controls).
//
// Notifications a page gets, as virtual members:
// - OnSetActive: the page is about to be shown; the base reloads the controls from the
//   members (not on the first showing, which OnInitDialog did). FALSE refuses.
// - OnKillActive: the page is being left, or Apply/OK was pressed while it is active; the
//   base saves the controls into the members (UpdateData(TRUE)). FALSE (a failed exchange)
//   keeps the page: the page change, Apply or OK is refused.
// - OnApply: Apply or OK; every page that has a window gets it, the others do not. The base
//   runs OnOK, clears the modified state and returns TRUE. FALSE keeps the sheet open on
//   this page.
// - OnReset (Cancel or the close box; the base runs OnCancel), OnQueryCancel (FALSE
//   refuses the cancel; the base returns TRUE).
// SetModified(TRUE) enables the sheet's Apply button.
//
// The sheet window is bound to the CPropertySheet object while it is being created, so a
// derived sheet gets WM_CREATE (OnCreate), then WM_INITDIALOG (OnInitDialog: call the base
// first, it runs the system's initialisation, which creates the first page), and all later
// messages (OnPaint, OnSysCommand, OnHelpInfo, ...).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    static const CRuntimeClass classCPropertyPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCPropertyPage; }

    // nIDCaption 0: the tab shows the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    // The page's description for the system; adjust flags before the sheet runs.
    PROPSHEETPAGEA m_psp;

    // Enables (TRUE) or, if no page is modified any more, disables (FALSE) Apply.
    // Does nothing before the page has a window.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // Pages do not end: OK/Cancel belong to the sheet. Both do nothing in the base.
    void OnOK() override;
    void OnCancel() override;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    BOOL m_bModified;
    BOOL m_bFirstSetActive;
};

class CPropertySheet : public CWnd {
public:
    static const CRuntimeClass classCPropertySheet;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCPropertySheet; }

    // The system's property sheet font. The sheet measures the room for its pages from their
    // templates' dialog units in this font, so the pages run in it too: a page in its own
    // bigger font would come out larger than its room and be cut off.
    static constexpr const wchar_t* kPageFontFace = L"MS Shell Dlg";
    static constexpr WORD kPageFontPointSize = 8;

    // iSelectPage: the page shown first.
    explicit CPropertySheet(const char* pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    // Caption from string nIDCaption of the current resource module.
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    // Pages are not owned: the sheet never deletes them.
    ~CPropertySheet() override;

    // The sheet's description for the system. dwFlags starts as PSH_PROPSHEETPAGE |
    // PSH_HASHELP; clear PSH_HASHELP for no Help button, add PSH_NOAPPLYNOW for no Apply
    // button. The page array, parent, instance and start page are filled in by DoModal.
    PROPSHEETHEADERA m_psh;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);   // before the sheet runs only
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;   // -1 if not added

    // Runs the sheet modally, with the pages' templates looked up in the current resource
    // module. Every page runs in the sheet's font, whatever font its template declares (the
    // sheet sizes its page area from the templates' dialog units in its own font); a template
    // that cannot be read goes to the system as it is. IDOK when closed with OK, IDCANCEL when
    // cancelled or closed, -1 when the sheet could not be created. A sheet without pages shows
    // one blank page (the system's sheet cannot be closed without a page).
    virtual INT_PTR DoModal();

    // Before the sheet runs: the page shown first. While it runs: switches pages (the
    // active page may refuse to be left; the page already shown stays, without losing its
    // activation, laid out again in the tabs' display area). FALSE for an unknown page or a
    // refusal.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    // While it runs: the page shown; before: the page that will be shown first. -1 (null)
    // when the sheet has no pages.
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    // The sheet's tab control; null before the sheet runs.
    CWnd* GetTabControl() const;
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...
    void PressButton(int nButton);

    BOOL OnInitDialog() override;   // the system's initialisation; returns its result

    CWnd* m_pParentWnd;

    // For the pages: OK's apply went through on every page (TRUE) or not / the sheet was
    // cancelled (FALSE); decides what DoModal returns.
    static void OnOkApplied(HWND hSheet, BOOL bApplied);

private:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    void PlaceActivePage();

    CString m_strCaption;
    INT_PTR m_nModalResult;   // IDOK once OK's apply went through
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_pageDescs;
    // The pages' templates in the sheet's font; the system reads them while the sheet runs.
    std::vector<std::vector<DWORD>> m_pageTemplates;
};
