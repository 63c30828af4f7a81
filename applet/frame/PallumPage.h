// What the sheet asks of every page class: construction without arguments (the class fixes
// its template), Init before the sheet runs, SaveSettings from the sheet's apply-all, and an
// OnApply override that returns ApplyAllPagesFrom(its sheet).
#pragma once

#include "Framework.h"

class CPallumSheet;
class CGeneralSettingManager;

class CPallumPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

    // Keeps both pointers (not owned) and reads the page's own settings. FALSE when either
    // pointer is null or the settings cannot be read: the sheet is then not shown.
    virtual BOOL Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral) = 0;
    // Writes the page's settings; called only once the page has a window. FALSE when a write
    // was refused (TRUE when read-only: nothing to write); the sheet then warns once for all.
    virtual BOOL SaveSettings() = 0;

protected:
    // Init's first steps on every page: keeps pGeneral, then pSheet; FALSE at the first null.
    static BOOL KeepContext(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral, CPallumSheet*& rpSheet,
                            CGeneralSettingManager*& rpGeneral)
    {
        if (!pGeneral)
            return FALSE;
        rpGeneral = pGeneral;
        if (!pSheet)
            return FALSE;
        rpSheet = pSheet;
        return TRUE;
    }
    // OnApply on every page: the sheet saves all pages in one pass; the page never refuses.
    BOOL ApplyAllPagesFrom(CPallumSheet* pSheet);
};

// The sheet's pages, in tab order (which is also the order of saving).
enum PallumPageId {
    PAGE_BUTTONS,     // "GPBtn", CGPButtonPage, 5210
    PAGE_MEDIA,       // "Media", CMediaAppsPage, 5211
    PAGE_SUBLCD,      // "ModePanel", CModePanelPage, 5212
    PAGE_APPMODE,     // "AppMode", CAppModePage, 5213
    PAGE_REMOCON,     // "Remocon", CRemoconPage, 3000
    PAGE_COUNT
};

// A new page object of the given kind, or null when that page class is not part of this
// build (its flag then adds no tab). See PageFactory.cpp.
CPallumPage* CreatePallumPage(PallumPageId nPage);
