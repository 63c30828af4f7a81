// The About box (template 5207): "KELVORA Controls" and the settings library's version.
#pragma once

#include "CString.h"
#include "Dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);

    CString m_strVersion;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
