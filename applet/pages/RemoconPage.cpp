#include "RemoconPage.h"

#include "DataExchange.h"
#include "Mirrend.h"
#include "PageUtil.h"
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

CRemoconPage::CRemoconPage() : CPallumPage(PAGE_REMOCON, kRemoconHelpIds), m_bReadOnly(0), m_bExtReceiver(1) {}

CRemoconPage::~CRemoconPage() = default;

BOOL CRemoconPage::ReadSettings()
{
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
    static const int kChangers[] = {IDC_REMOCON_EXT_RECEIVER, IDC_REMOCON_RESET};
    m_bReadOnly = DisableIfReadOnly(kChangers);
    return TRUE;
}

BOOL CRemoconPage::SaveSettings()
{
    if (m_bReadOnly || !m_pGeneral)
        return TRUE;
    m_pGeneral->m_nExtReceiver = m_bExtReceiver;
    const BOOL bResult = CRegManager::WriteSettingGeneralSettingManager(*m_pGeneral);
    CPropertyPage::OnApply();
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
