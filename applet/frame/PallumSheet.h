// CPallumSheet: the "KELVORA Controls Properties" window. Reads the page set, creates the
// pages in tab order, owns the general settings all pages share, saves every page in one
// pass on Apply/OK and then tells the maker's button program.
#pragma once

#include "Framework.h"
#include "Mirrend.h"
#include "PallumPage.h"

// Registry key (under HKEY_LOCAL_MACHINE) whose 32-bit values switch the pages on.
extern const char PALLUM_PAGES_KEY[];

// Which pages are shown: one flag per page, nonzero = shown; all 0 after construction.
class CPageSet {
public:
    CPageSet() = default;
    virtual ~CPageSet() = default;

    // Reads "GPBtn", "Media", "ModePanel", "AppMode", "Remocon" of hRoot\pszSubKey. A value
    // that is missing, not a 32-bit number or unreadable leaves its flag 0. TRUE only if all
    // five were read.
    BOOL ReadPageSet(HKEY hRoot, const char* pszSubKey);

    int GetGPBtn() const { return m_nGPBtn; }
    int GetMedia() const { return m_nMedia; }
    int GetModePanel() const { return m_nModePanel; }
    int GetAppMode() const { return m_nAppMode; }
    int GetRemocon() const { return m_nRemocon; }
    // The flag of a page by its place in the tab order.
    int GetFlag(PallumPageId nPage) const;

private:
    int m_nGPBtn = 0;
    int m_nMedia = 0;
    int m_nModePanel = 0;
    int m_nAppMode = 0;
    int m_nRemocon = 0;
};

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

    // Moves the tab control and the OK, Cancel and Apply buttons down by nHeight pixels and
    // makes the sheet that much taller. FALSE (nothing changed) when there is no tab control.
    static BOOL LayoutForBanner(HWND hSheet, int nHeight);
    // Height of a bitmap of the current resource module; 0 if it cannot be loaded.
    static int GetBitmapHeight(UINT nBitmapId);
    // The banner across the top of a client area whose right edge is nRight.
    static void DrawBanner(HDC hDC, int nRight);
    // One banner part at (x, 0); *pNextX = x + its width. FALSE, drawing nothing, when the
    // bitmap cannot be loaded, described or selected.
    static BOOL DrawBannerBitmap(HDC hDC, UINT nBitmapId, int x, int* pNextX);

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
    CPallumPage*& PageMember(PallumPageId nPage);

    CPageSet m_pageSet;
    int m_nStartPage;
    // Pages by their place in the tab order; null when absent. Typed by the page interface
    // so that the sheet does not depend on which page classes are built.
    CPallumPage* m_pButtonsPage;
    CPallumPage* m_pMediaPage;
    CPallumPage* m_pSubLcdPage;
    CPallumPage* m_pAppModePage;
    CPallumPage* m_pRemoconPage;
    CGeneralSettingManager m_general;
    HICON m_hIcon;
    CCoInitialize m_com;   // last: COM ends after the pages are gone
};

// The About box (template 5207): "KELVORA Controls" and the settings library's version.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);

    CString m_strVersion;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
