// The "RC" page: whether the external remote-control receiver is used (a flag of the
// general settings record).
#pragma once

#include "Mirrend.h"
#include "PallumPage.h"

class CRemoconPage : public CPallumPage {
public:
    static const CRuntimeClass classCRemoconPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCRemoconPage; }

    CRemoconPage();
    ~CRemoconPage() override;

    BOOL Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral) override;
    BOOL SaveSettings() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override;

    void OnResetClicked();
    void OnReceiverClicked();

    int m_bReadOnly;
    int m_bExtReceiver;
    CGeneralSettingManager* m_pGeneral;
    CPallumSheet* m_pSheet;
};
