// The five pages: one table (tab order, page-set value, dialog template, class), and what the
// sheet asks of every page class, written once in CPallumPage.
#pragma once

#include "PropertySheet.h"

class CPallumSheet;
class CGeneralSettingManager;

// The sheet's pages, in tab order (which is also the order of saving); indices into
// g_pallumPages.
enum PallumPageId {
    PAGE_BUTTONS,     // "Buttons" tab
    PAGE_MEDIA,       // "Media Apps" tab
    PAGE_SUBLCD,      // "Sub LCD" tab: class CModePanelPage, page-set value "ModePanel"
    PAGE_APPMODE,     // "Application mode" tab
    PAGE_REMOCON,     // "RC" tab
    PAGE_COUNT
};

struct CPallumPageRow {
    const char* pszValueName;         // the page-set value that switches the page on
    UINT nDialogId;                   // its dialog template
    const CRuntimeClass* pClass;      // its class, created by this record
};
// The pages in tab order (PageTable.cpp).
extern const CPallumPageRow g_pallumPages[PAGE_COUNT];

class CPallumPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;
    // A page of the table on its template; pHelpIds is its context-help table ((control id,
    // help context id) pairs ended by 0, 0), null when the page answers help itself.
    CPallumPage(PallumPageId nPage, const DWORD* pHelpIds);

    // Keeps pGeneral, then pSheet (neither owned; FALSE at the first null), then reads the
    // page's own settings (ReadSettings). FALSE: the sheet is not shown.
    virtual BOOL Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral);
    // Writes the page's settings; called only once the page has a window. FALSE when a write
    // was refused (TRUE when read-only: nothing to write); the sheet then warns once for all.
    virtual BOOL SaveSettings() = 0;

    // The sheet saves all pages in one pass (ApplyAllPages); a page never refuses.
    BOOL OnApply() override;
    // Help on a control of the page's table; FALSE in every case.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override;

    CGeneralSettingManager* m_pGeneral = nullptr;
    CPallumSheet* m_pSheet = nullptr;

protected:
    // The page's own part of Init, with both pointers kept.
    virtual BOOL ReadSettings() { return TRUE; }
    // Disables the items nIds (show state unchanged) when the settings are read-only; the
    // result is IsSettingReadOnly's. Each page says when it asks.
    template <size_t N>
    BOOL DisableIfReadOnly(const int (&nIds)[N]) { return DisableIfReadOnly(nIds, N); }
    BOOL DisableIfReadOnly(const int* pIds, size_t nCount);

private:
    const DWORD* m_pHelpIds = nullptr;
};

// A new page object of the given kind (its row's class); null for an id outside the table.
CPallumPage* CreatePallumPage(PallumPageId nPage);
