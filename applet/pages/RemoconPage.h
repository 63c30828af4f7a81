// The "RC" page: whether the external remote-control receiver is used (a flag of the
// general settings record).
#pragma once

#include "PallumPage.h"

class CRemoconPage : public CPallumPage {
public:
    static const CRuntimeClass classCRemoconPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCRemoconPage; }

    CRemoconPage();
    ~CRemoconPage() override;

    BOOL SaveSettings() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnResetClicked();
    void OnReceiverClicked();

    int m_bReadOnly;   // decided when the page is first shown
    int m_bExtReceiver;

protected:
    BOOL ReadSettings() override;
};
