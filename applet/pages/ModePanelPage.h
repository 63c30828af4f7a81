// The "Sub LCD" page: the secondary display's backlight and what it shows (a 24-hour or
// 12-hour clock, or the owner string), all fields of the general settings record. The
// receive-mail box and the schedule applet's button stay hidden, but receive mail is still
// loaded, reset and saved.
#pragma once

#include "CString.h"
#include "PallumPage.h"

class CModePanelPage : public CPallumPage {
public:
    static const CRuntimeClass classCModePanelPage;
    const CRuntimeClass* GetRuntimeClass() const override { return &classCModePanelPage; }

    // The owner string's limit in bytes of the system code page.
    enum { OWNER_STRING_BYTES = 32 };
    // m_nMode
    enum { MODE_CLOCK24 = 0, MODE_CLOCK12 = 1, MODE_OWNER_STRING = 2 };

    CModePanelPage();
    ~CModePanelPage() override;

    BOOL SaveSettings() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnModeClicked();
    void OnReceiveMailClicked();
    void OnChanged();
    void OnRestoreDefaults();
    // Starts the schedule applet Nolvic through the shell: the file named by the Control
    // Panel's "Nolvic" entry, else "Nolvic.cpl" by name.
    void OpenScheduleApplet();

    // No byte of strText is a lead byte of the system code page.
    static BOOL IsSingleByteString(const CString& strText);

    int m_bReadOnly;   // decided when the page is first shown
    int m_bBacklight;
    int m_bReceiveMail;
    int m_nMode;
    CString m_strOwner;

protected:
    BOOL ReadSettings() override;
};
