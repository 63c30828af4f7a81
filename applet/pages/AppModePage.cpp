#include "AppModePage.h"

#include "DataExchange.h"
#include "PageUtil.h"
#include "resource.h"

namespace {

// The rows' items, switched on and off together, in this order.
const int kRowGroup[] = {
    IDC_APPMODE_GROUP,
    IDC_APPMODE_PLAYPAUSE_NAME, IDC_APPMODE_PLAYPAUSE_APP, IDC_APPMODE_SELECT_PLAYPAUSE,
    IDC_APPMODE_STOP_NAME, IDC_APPMODE_STOP_APP, IDC_APPMODE_SELECT_STOP,
    IDC_APPMODE_NEXT_NAME, IDC_APPMODE_NEXT_APP, IDC_APPMODE_SELECT_NEXT,
    IDC_APPMODE_PREVIOUS_NAME, IDC_APPMODE_PREVIOUS_APP, IDC_APPMODE_SELECT_PREVIOUS,
};

// What a read-only page may not touch.
const int kChangers[] = {
    IDC_APPMODE_USE, IDC_APPMODE_SELECT_PLAYPAUSE, IDC_APPMODE_SELECT_STOP,
    IDC_APPMODE_SELECT_NEXT, IDC_APPMODE_SELECT_PREVIOUS, IDC_RESTORE_DEFAULTS,
};

const DWORD kAppModeHelpIds[] = {
    IDC_APPMODE_USE, 49205,
    IDC_APPMODE_SELECT_PLAYPAUSE, 49180,
    IDC_APPMODE_SELECT_STOP, 49180,
    IDC_APPMODE_SELECT_NEXT, 49180,
    IDC_APPMODE_SELECT_PREVIOUS, 49180,
    IDC_RESTORE_DEFAULTS, 49191,
    0, 0,
};

// The row string of each library index.
CString CAppModePage::* const kRowStrings[CAppModePage::BUTTON_COUNT] = {
    &CAppModePage::m_strPrevious, &CAppModePage::m_strNext,
    &CAppModePage::m_strPlayPause, &CAppModePage::m_strStop,
};

}  // namespace

const CRuntimeClass CAppModePage::classCAppModePage(
    "CAppModePage", &CRuntimeClass::Create<CAppModePage>, &CPropertyPage::classCPropertyPage);

CAppModePage::CAppModePage()
    : CPallumPage(PAGE_APPMODE, kAppModeHelpIds), m_bReadOnly(0), m_bUseAppMode(0)
{
}

CAppModePage::~CAppModePage() = default;

BOOL CAppModePage::ReadSettings()
{
    m_bUseAppMode = m_pGeneral->m_nAppMode;

    if (!CRegManager::ReadSettingAppButtonInfo(m_manager) || m_manager.m_nBtnCount != BUTTON_COUNT)
        return FALSE;
    for (int nIndex = 0; nIndex < BUTTON_COUNT; ++nIndex) {
        const CButtonInfo* pButton = m_manager.GetBtnInfoPtr(nIndex);
        if (pButton == nullptr)
            return FALSE;
        this->*kRowStrings[nIndex] = GetRowText(*pButton);
    }
    return TRUE;
}

void CAppModePage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_APPMODE_USE, m_bUseAppMode);
    DDX_Text(pDX, IDC_APPMODE_NEXT_APP, m_strNext);
    DDX_Text(pDX, IDC_APPMODE_PLAYPAUSE_APP, m_strPlayPause);
    DDX_Text(pDX, IDC_APPMODE_PREVIOUS_APP, m_strPrevious);
    DDX_Text(pDX, IDC_APPMODE_STOP_APP, m_strStop);
}

BOOL CAppModePage::OnInitDialog()
{
    CPallumPage::OnInitDialog();
    if (m_bUseAppMode)
        EnableRowGroup(TRUE);
    m_bReadOnly = DisableIfReadOnly(kChangers);
    return TRUE;
}

BOOL CAppModePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    static const CCommandEntry<CAppModePage> kCommands[] = {
        {IDC_APPMODE_USE, BN_CLICKED, &CAppModePage::OnUseAppModeClicked},
        {IDC_APPMODE_SELECT_NEXT, BN_CLICKED, &CAppModePage::OnSelectNext},
        {IDC_APPMODE_SELECT_PLAYPAUSE, BN_CLICKED, &CAppModePage::OnSelectPlayPause},
        {IDC_APPMODE_SELECT_PREVIOUS, BN_CLICKED, &CAppModePage::OnSelectPrevious},
        {IDC_APPMODE_SELECT_STOP, BN_CLICKED, &CAppModePage::OnSelectStop},
        {IDC_RESTORE_DEFAULTS, BN_CLICKED, &CAppModePage::OnRestoreDefaults},
    };
    return DispatchCommand(this, kCommands, wParam) || CPallumPage::OnCommand(wParam, lParam);
}

BOOL CAppModePage::SaveSettings()
{
    if (m_bReadOnly || m_pGeneral == nullptr)
        return TRUE;
    m_pGeneral->m_nAppMode = m_bUseAppMode;
    const BOOL bGeneral = CRegManager::WriteSettingGeneralSettingManager(*m_pGeneral);
    const BOOL bButtons = CRegManager::WriteSettingAppButtonInfo(m_manager);
    CPropertyPage::OnApply();
    return bGeneral && bButtons;
}

void CAppModePage::SelectAppForButton(int nIndex, CString& strRow)
{
    UpdateData(TRUE);
    CButtonInfo* pButton = m_manager.GetBtnInfoPtr(nIndex);
    if (pButton == nullptr || !EditCustomApp(*pButton))
        return;
    strRow = GetRowText(*pButton);
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CAppModePage::OnUseAppModeClicked()
{
    UpdateData(TRUE);
    EnableRowGroup(m_bUseAppMode ? TRUE : FALSE);
    SetModified(TRUE);
}

void CAppModePage::OnSelectPrevious() { SelectAppForButton(0, m_strPrevious); }
void CAppModePage::OnSelectNext() { SelectAppForButton(1, m_strNext); }
void CAppModePage::OnSelectPlayPause() { SelectAppForButton(2, m_strPlayPause); }
void CAppModePage::OnSelectStop() { SelectAppForButton(3, m_strStop); }

void CAppModePage::OnRestoreDefaults()
{
    m_manager.RestoreDefaultSetting();
    m_bUseAppMode = 0;
    const CString strNone = LoadResString(IDS_NO_SELECTION);
    for (CString CAppModePage::* pRow : kRowStrings)
        this->*pRow = strNone;
    UpdateData(FALSE);
    EnableRowGroup(FALSE);
    SetModified(TRUE);
}

CString CAppModePage::GetRowText(const CButtonInfo& button)
{
    return button.IsRegistCustomApp() ? button.GetAppName() : LoadResString(IDS_NO_SELECTION);
}

void CAppModePage::EnableRowGroup(BOOL bEnable)
{
    for (int nId : kRowGroup)
        SetDlgItemState(m_hWnd, nId, bEnable, ITEM_UNCHANGED);
}
