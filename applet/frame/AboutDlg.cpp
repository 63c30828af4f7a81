#include "AboutDlg.h"

#include "DataExchange.h"
#include "Mirrend.h"
#include "PageUtil.h"
#include "resource.h"

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CGeneralSettingManager general;
    CRegManager::ReadSettingGeneralSettingManager(general);
    m_strVersion = LoadResString(IDS_ABOUT_PRODUCT) + " " + general.GetVersion();
    UpdateData(FALSE);
    return TRUE;
}
