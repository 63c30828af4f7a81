#include "RemoconPage.h"

#include "PageUtil.h"
#include "PallumSheet.h"
#include "resource.h"

namespace {

const DWORD kRemoconHelpIds[] = {
    IDC_REMOCON_EXT_RECEIVER, 49204,
    IDC_REMOCON_RESET, 49191,
    0, 0,
};

}  // namespace

const CRuntimeClass CRemoconPage::classCRemoconPage(
    "CRemoconPage", &CRuntimeClass::Create<CRemoconPage>, &CPropertyPage::classCPropertyPage);

CRemoconPage::CRemoconPage()
    : CPallumPage(IDD_REMOCON_PAGE),
      m_bReadOnly(0),
      m_bExtReceiver(1),
      m_pGeneral(nullptr),
      m_pSheet(nullptr)
{
}

CRemoconPage::~CRemoconPage() = default;

BOOL CRemoconPage::Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral)
{
    if (!KeepContext(pSheet, pGeneral, m_pSheet, m_pGeneral))
        return FALSE;
    m_bExtReceiver = m_pGeneral->m_nExtReceiver;
    return TRUE;
}

void CRemoconPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_REMOCON_EXT_RECEIVER, m_bExtReceiver);
}

BOOL CRemoconPage::OnInitDialog()
{
    CPallumPage::OnInitDialog();
    m_bReadOnly = IsSettingReadOnly();
    if (m_bReadOnly) {
        SetDlgItemState(m_hWnd, IDC_REMOCON_EXT_RECEIVER, FALSE, ITEM_UNCHANGED);
        SetDlgItemState(m_hWnd, IDC_REMOCON_RESET, FALSE, ITEM_UNCHANGED);
    }
    return TRUE;
}

BOOL CRemoconPage::OnApply()
{
    return ApplyAllPagesFrom(m_pSheet);
}

BOOL CRemoconPage::SaveSettings()
{
    if (m_bReadOnly || !m_pGeneral)
        return TRUE;
    m_pGeneral->m_nExtReceiver = m_bExtReceiver;
    const BOOL bResult = CRegManager::WriteSettingGeneralSettingManager(*m_pGeneral);
    CPallumPage::OnApply();
    return bResult;
}

BOOL CRemoconPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    static const CCommandEntry<CRemoconPage> kCommands[] = {
        {IDC_REMOCON_RESET, BN_CLICKED, &CRemoconPage::OnResetClicked},
        {IDC_REMOCON_EXT_RECEIVER, BN_CLICKED, &CRemoconPage::OnReceiverClicked},
    };
    return DispatchCommand(this, kCommands, wParam) || CPallumPage::OnCommand(wParam, lParam);
}

void CRemoconPage::OnResetClicked()
{
    m_bExtReceiver = 1;
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CRemoconPage::OnReceiverClicked()
{
    UpdateData(TRUE);
    SetModified(TRUE);
}

BOOL CRemoconPage::OnHelpInfo(HELPINFO* pHelpInfo)
{
    ShowControlHelp(pHelpInfo, kRemoconHelpIds);
    return FALSE;
}
