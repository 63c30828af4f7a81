// The "Application mode" page: the application mode switch (a flag of the general settings
// record) and a program of the user's own for each of the buttons Previous, Next,
// Play/Pause and Stop (the settings library's application-mode button records).
#pragma once

#include "Mirrend.h"
#include "PallumPage.h"

class CAppModePage : public CPallumPage {
public:
    static const CRuntimeClass classCAppModePage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCAppModePage; }

    enum { BUTTON_COUNT = 4 };   // Previous, Next, Play/Pause, Stop: the library's indices 0 to 3

    CAppModePage();
    ~CAppModePage() override;

    BOOL SaveSettings() override;

    // Opens the custom program dialog on the record of nIndex; a confirmed dialog stores the
    // texts and shows the program's name (or "<No selection>") in strRow.
    void SelectAppForButton(int nIndex, CString& strRow);

    // Handlers.
    void OnUseAppModeClicked();
    void OnSelectNext();
    void OnSelectPlayPause();
    void OnSelectPrevious();
    void OnSelectStop();
    void OnRestoreDefaults();

    CButtonInfoManager m_manager;
    int m_bReadOnly;   // decided when the page is first shown
    int m_bUseAppMode;
    CString m_strNext;
    CString m_strPlayPause;
    CString m_strPrevious;
    CString m_strStop;

protected:
    // Also fails when the library's collection does not hold exactly the four records.
    BOOL ReadSettings() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The row text of a record: its custom program's name, or "<No selection>".
    static CString GetRowText(const CButtonInfo& button);
    // Enables (nonzero) or disables the thirteen items of the rows together.
    void EnableRowGroup(BOOL bEnable);
};
