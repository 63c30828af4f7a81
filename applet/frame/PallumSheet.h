// CPallumSheet: the "KELVORA Controls Properties" window. Reads the page set, creates the
// pages in tab order, owns the general settings all pages share, saves every page in one
// pass on Apply/OK and then tells the maker's button program.
#pragma once

#include "CoInitialize.h"
#include "Mirrend.h"
#include "PageSet.h"
#include "PallumPage.h"

class CPallumSheet : public CPropertySheet {
public:
    static const CRuntimeClass classCPallumSheet;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCPallumSheet; }

    // Initialises COM for the calling thread until the sheet is destroyed.
    CPallumSheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage);
    // Deletes the pages in tab order, then ends COM.
    ~CPallumSheet() override;

    // Page set, general settings, pages. FALSE when a page could not read its settings: no
    // page is left and the sheet must not be shown.
    BOOL PreparePages();
    void SetStartPage(int nPage) { m_nStartPage = nPage; }

    // From every page's OnApply. Only the active page's call goes on: saves every page that
    // has a window, in tab order, then posts the services message to "Quorlat" or else
    // "Wendrap".
    void ApplyAllPages(CPropertyPage* pCaller);

    // Creates the pages whose flag is set and adds those whose Init succeeds; on the first
    // failed Init every page is deleted again and the result is FALSE.
    BOOL BuildPages();
    CPageSet& GetPageSet() { return m_pageSet; }
    CGeneralSettingManager& GetGeneral() { return m_general; }
    // The page object of a kind; null when absent.
    CPallumPage* GetPallumPage(PallumPageId nPage) const;
    HICON GetSheetIcon() const { return m_hIcon; }

    BOOL OnInitDialog() override;
    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override;
    void OnPaint() override;
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override;

protected:
    // The seam through which pages come to life; tests put their own pages in.
    virtual CPallumPage* CreatePage(PallumPageId nPage);

private:
    void DeletePages();
    // The member holding each row's page.
    static CPallumPage* CPallumSheet::* const kPageMembers[PAGE_COUNT];

    CPageSet m_pageSet;
    int m_nStartPage;
    // Pages by their place in the tab order; null when absent.
    CPallumPage* m_pButtonsPage;
    CPallumPage* m_pMediaPage;
    CPallumPage* m_pSubLcdPage;
    CPallumPage* m_pAppModePage;
    CPallumPage* m_pRemoconPage;
    CGeneralSettingManager m_general;
    HICON m_hIcon;
    CCoInitialize m_com;   // last: COM ends after the pages are gone
};
