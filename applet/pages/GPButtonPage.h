// The "Buttons" page: one row per programmable button (icon, caption, program list) and the
// button records it reads and writes through the settings library.
#pragma once

#include <windows.h>

#include <memory>

#include "Controls.h"
#include "Mirrend.h"
#include "PallumPage.h"
#include "resource.h"

class CBitmapStatic;

// The page's buttons: the library's collection, its present records packed into slots, and a
// picture control per slot.
class CGPButtonList {
public:
    CGPButtonList();
    virtual ~CGPButtonList();
    CGPButtonList(const CGPButtonList&) = delete;
    CGPButtonList& operator=(const CGPButtonList&) = delete;

    // Reads the records again and packs the present ones; FALSE when there is none.
    BOOL Load();
    int GetCount() const { return m_nCount; }
    CButtonInfo* GetAt(int nSlot) const;         // null outside 0 .. GetCount() - 1
    CBitmapStatic* GetIcon(int nSlot) const;     // the same rule
    void RestoreAllDefaults();

    CButtonInfoManager m_manager;

private:
    std::unique_ptr<CButtonInfo*[]> m_ppButtons;   // the records belong to m_manager
    std::unique_ptr<CBitmapStatic[]> m_pIcons;
    int m_nCount;
};

class CGPButtonPage : public CPallumPage {
public:
    static const CRuntimeClass classCGPButtonPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCGPButtonPage; }

    enum { SLOT_COUNT = 5 };

    CGPButtonPage();
    ~CGPButtonPage() override;

    BOOL SaveSettings() override;

    // Rows.
    void SetupButtonRows();
    CString GetButtonCaption(int nSlot) const;
    UINT GetButtonBitmapId(int nSlot) const;
    UINT GetButtonHelpId(int nSlot) const;

    // Program lists (ProgramList.cpp).
    void FillProgramList(CComboBox& list, int nCaptionId, int nSlot);
    BOOL FillAllProgramLists();
    void OnProgramSelected(CComboBox& list, int nCaptionId, int nSlot);
    CString GetDefaultBrowserName() const;
    CString GetDefaultMailName() const;

    // Handlers.
    void OnRestoreDefaults();
    void OnSelendokButton0();
    void OnSelendokButton1();
    void OnSelendokButton2();
    void OnSelendokButton3();
    void OnSelendokButton4();
    // Help names the topic of the button in the asking row, not a fixed table.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override;

    // The list control of a slot (0 to 4).
    CComboBox& GetSlotList(int nSlot);

    CComboBox m_cbButton3;
    CComboBox m_cbButton2;
    CComboBox m_cbButton0;
    CComboBox m_cbButton1;
    CComboBox m_cbButton4;
    CGPButtonList m_buttons;

protected:
    BOOL ReadSettings() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    BOOL IsProgramOffered(int nEntry, const CButtonInfo& button) const;
    CString GetProgramText(int nEntry, const CButtonInfo& button) const;
    void OnSelendokSlot(int nSlot);

    // While FillAllProgramLists runs, what every row asks the registry alike (the display
    // list, the default browser's and e-mail program's names) is read once, for all rows.
    struct CListFacts;
    CListFacts* m_pListFacts = nullptr;
    BOOL IsListed(int nProgram) const;
};

// Dialog items of a row.
struct CButtonSlotItems {
    int nList;
    int nCaption;
    int nIcon;
};
extern const CButtonSlotItems g_buttonSlots[CGPButtonPage::SLOT_COUNT];
