#include "ModePanelPage.h"

#include <shellapi.h>

#include "DataExchange.h"
#include "Mirrend.h"
#include "PageUtil.h"
#include "Registry.h"
#include "resource.h"

namespace {

// Where the Control Panel lists its applets; the "Nolvic" value names the schedule applet.
const char CPLS_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\cpls";
const char NOLVIC_VALUE[] = "Nolvic";
const char NOLVIC_FILE[] = "Nolvic.cpl";
// A path-sized buffer. A longer value, or one that fills it without a terminator, is no path.
const DWORD NOLVIC_PATH_BYTES = 260;

const DWORD kModePanelHelpIds[] = {
    IDC_SUBLCD_BACKLIGHT, 49171,
    IDC_SUBLCD_CLOCK24, 49192,
    IDC_SUBLCD_CLOCK12, 49193,
    IDC_SUBLCD_OWNER_MODE, 49194,
    IDC_SUBLCD_OWNER, 49173,
    IDC_SUBLCD_RECEIVE_MAIL, 49195,
    IDC_SUBLCD_SCHEDULE, 49172,
    IDC_RESTORE_DEFAULTS, 49191,
    0, 0,
};

// Disabled by read-only settings.
const int kAllControls[] = {
    IDC_SUBLCD_CLOCK24, IDC_SUBLCD_CLOCK12, IDC_SUBLCD_OWNER_MODE, IDC_SUBLCD_OWNER,
    IDC_SUBLCD_RECEIVE_MAIL, IDC_SUBLCD_SCHEDULE_TEXT, IDC_SUBLCD_SCHEDULE, IDC_RESTORE_DEFAULTS,
    IDC_SUBLCD_BACKLIGHT,
};

}  // namespace

const CRuntimeClass CModePanelPage::classCModePanelPage(
    "CModePanelPage", &CRuntimeClass::Create<CModePanelPage>, &CPropertyPage::classCPropertyPage);

CModePanelPage::CModePanelPage()
    : CPallumPage(PAGE_SUBLCD, kModePanelHelpIds),
      m_bReadOnly(0),
      m_bBacklight(0),
      m_bReceiveMail(0),
      m_nMode(-1)
{
}

CModePanelPage::~CModePanelPage() = default;

BOOL CModePanelPage::ReadSettings()
{
    m_bReceiveMail = m_pGeneral->m_nReceiveMail;
    m_bBacklight = m_pGeneral->m_nBacklightOn;
    m_nMode = m_pGeneral->m_nSubLcdMode;
    m_strOwner = m_pGeneral->GetOwnerStringSetting();
    return TRUE;
}

void CModePanelPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SUBLCD_BACKLIGHT, m_bBacklight);
    DDX_Check(pDX, IDC_SUBLCD_RECEIVE_MAIL, m_bReceiveMail);
    DDX_Radio(pDX, IDC_SUBLCD_CLOCK24, m_nMode);
    DDX_Text(pDX, IDC_SUBLCD_OWNER, m_strOwner);
    // A read-only page writes nothing, so nothing of it may hold the user on it.
    if (!m_bReadOnly)
        DDV_MaxChars(pDX, m_strOwner, OWNER_STRING_BYTES);
}

BOOL CModePanelPage::OnInitDialog()
{
    CPallumPage::OnInitDialog();
    if (m_nMode == MODE_OWNER_STRING)
        SetDlgItemState(m_hWnd, IDC_SUBLCD_OWNER, TRUE, ITEM_UNCHANGED);
    // The template leaves the schedule items enabled: they follow receive mail either way.
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE_TEXT, m_bReceiveMail != 0, ITEM_UNCHANGED);
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE, m_bReceiveMail != 0, ITEM_UNCHANGED);
    m_bReadOnly = DisableIfReadOnly(kAllControls);
    return TRUE;
}

BOOL CModePanelPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    static const CCommandEntry<CModePanelPage> kCommands[] = {
        {IDC_SUBLCD_BACKLIGHT, BN_CLICKED, &CModePanelPage::OnChanged},
        {IDC_SUBLCD_OWNER_MODE, BN_CLICKED, &CModePanelPage::OnModeClicked},
        {IDC_SUBLCD_CLOCK24, BN_CLICKED, &CModePanelPage::OnModeClicked},
        {IDC_SUBLCD_CLOCK12, BN_CLICKED, &CModePanelPage::OnModeClicked},
        {IDC_SUBLCD_RECEIVE_MAIL, BN_CLICKED, &CModePanelPage::OnReceiveMailClicked},
        {IDC_SUBLCD_OWNER, EN_CHANGE, &CModePanelPage::OnChanged},
        {IDC_SUBLCD_SCHEDULE, BN_CLICKED, &CModePanelPage::OpenScheduleApplet},
        {IDC_RESTORE_DEFAULTS, BN_CLICKED, &CModePanelPage::OnRestoreDefaults},
    };
    return DispatchCommand(this, kCommands, wParam) || CPallumPage::OnCommand(wParam, lParam);
}

void CModePanelPage::OnModeClicked()
{
    UpdateData(TRUE);
    SetDlgItemState(m_hWnd, IDC_SUBLCD_OWNER, m_nMode == MODE_OWNER_STRING, ITEM_UNCHANGED);
    SetModified(TRUE);
}

void CModePanelPage::OnReceiveMailClicked()
{
    UpdateData(TRUE);
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE_TEXT, m_bReceiveMail != 0, ITEM_UNCHANGED);
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE, m_bReceiveMail != 0, ITEM_UNCHANGED);
    SetModified(TRUE);
}

void CModePanelPage::OnChanged()
{
    SetModified(TRUE);
}

void CModePanelPage::OnRestoreDefaults()
{
    m_bBacklight = 0;
    m_nMode = MODE_CLOCK24;
    m_strOwner.Empty();
    SetDlgItemState(m_hWnd, IDC_SUBLCD_OWNER, FALSE, ITEM_UNCHANGED);
    m_bReceiveMail = 0;
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE_TEXT, FALSE, ITEM_UNCHANGED);
    SetDlgItemState(m_hWnd, IDC_SUBLCD_SCHEDULE, FALSE, ITEM_UNCHANGED);
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CModePanelPage::OpenScheduleApplet()
{
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, CPLS_KEY, KEY_READ) != ERROR_SUCCESS) {
        ShellExecuteA(nullptr, nullptr, NOLVIC_FILE, nullptr, nullptr, SW_SHOWNORMAL);
        return;
    }
    // Only text names a file; an empty entry names none.
    CString strPath;
    if (key.QueryStringValue(NOLVIC_VALUE, strPath, NOLVIC_PATH_BYTES) == ERROR_SUCCESS && !strPath.IsEmpty())
        ShellExecuteA(m_hWnd, nullptr, strPath, nullptr, nullptr, SW_SHOWNORMAL);
    else
        ShellExecuteA(nullptr, nullptr, NOLVIC_FILE, nullptr, nullptr, SW_SHOWNORMAL);
}

BOOL CModePanelPage::IsSingleByteString(const CString& strText)
{
    const char* psz = strText;
    for (int i = 0; i < strText.GetLength(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(psz[i])))
            return FALSE;
    }
    return TRUE;
}

BOOL CModePanelPage::SaveSettings()
{
    if (m_bReadOnly || !m_pGeneral)
        return TRUE;
    m_pGeneral->m_nReceiveMail = m_bReceiveMail;
    m_pGeneral->m_nBacklightOn = m_bBacklight;
    m_pGeneral->m_nSubLcdMode = m_nMode;
    // The secondary display of double-byte models shows single-byte characters only.
    if (GetLocaleKind() == 1 && !IsSingleByteString(m_strOwner))
        ShowWarningBox(m_hWnd, IDS_ERR_CORSAL_OWNERSTRING);
    else
        m_pGeneral->m_strOwnerString = m_strOwner;
    const BOOL bResult = CRegManager::WriteSettingGeneralSettingManager(*m_pGeneral);
    CPropertyPage::OnApply();
    return bResult;
}
