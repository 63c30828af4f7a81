// Which of the five pages are shown: one 32-bit flag per row of the page table, nonzero =
// shown, read from the machine's Pages key.
#pragma once

#include <windows.h>

#include "PallumPage.h"

// Registry key (under HKEY_LOCAL_MACHINE) whose 32-bit values switch the pages on.
extern const char PALLUM_PAGES_KEY[];

class CPageSet {
public:
    CPageSet() = default;
    virtual ~CPageSet() = default;

    // Reads each row's value ("GPBtn", "Media", "ModePanel", "AppMode", "Remocon") of
    // hRoot\pszSubKey. A value that is missing, not a 32-bit number or unreadable leaves its
    // flag 0. TRUE only if all five were read.
    BOOL ReadPageSet(HKEY hRoot, const char* pszSubKey);

    int GetGPBtn() const { return m_nFlags[PAGE_BUTTONS]; }
    int GetMedia() const { return m_nFlags[PAGE_MEDIA]; }
    int GetModePanel() const { return m_nFlags[PAGE_SUBLCD]; }
    int GetAppMode() const { return m_nFlags[PAGE_APPMODE]; }
    int GetRemocon() const { return m_nFlags[PAGE_REMOCON]; }
    // The flag of a page by its place in the tab order; 0 outside the table.
    int GetFlag(PallumPageId nPage) const { return nPage >= 0 && nPage < PAGE_COUNT ? m_nFlags[nPage] : 0; }

private:
    int m_nFlags[PAGE_COUNT] = {};
};
