#include "MediaAppsPage.h"

#include "DataExchange.h"
#include "PageUtil.h"
#include "Registry.h"
#include "resource.h"

const char HDDVD_MARKER_KEY[] = "Software\\KELVORA\\KELVORA Controls\\DefaultSetting\\Audio\\HDDVD";

namespace {

const DWORD kMediaHelpIds[] = {
    IDC_MEDIA_AUDIOVIDEO_TEXT, 49158,
    IDC_MEDIA_CD_TEXT, 49156,
    IDC_MEDIA_DVD_TEXT, 49157,
    IDC_MEDIA_RESTORE, 49181,
    IDC_MEDIA_PREVENT, 49203,
    0, 0,
};

const int kReadOnlyItems[] = {
    IDC_MEDIA_AUDIOVIDEO_LIST, IDC_MEDIA_CD_LIST, IDC_MEDIA_DVD_LIST,
    IDC_MEDIA_RESTORE, IDC_MEDIA_PREVENT, IDC_MEDIA_HDDVD_LIST,
};
const int kPreventItems[] = {
    IDC_MEDIA_PREVENT, IDC_MEDIA_PREVENT_GROUP, IDC_MEDIA_PREVENT_TEXT1, IDC_MEDIA_PREVENT_TEXT2,
};
const int kSelectTextItems[] = {IDC_MEDIA_SELECT_TEXT1, IDC_MEDIA_SELECT_TEXT2};

template <size_t N>
void SetItemsState(HWND hDlg, const int (&items)[N], int nEnable, int nShowCmd)
{
    for (int nID : items)
        SetDlgItemState(hDlg, nID, nEnable, nShowCmd);
}

BOOL HasHDDVDDrive()
{
    CRegKey marker;
    return marker.Open(HKEY_LOCAL_MACHINE, HDDVD_MARKER_KEY, KEY_READ) == ERROR_SUCCESS;
}

}  // namespace

const CRuntimeClass CMediaAppsPage::classCMediaAppsPage(
    "CMediaAppsPage", &CRuntimeClass::Create<CMediaAppsPage>, &CPropertyPage::classCPropertyPage);

CMediaAppsPage::CMediaAppsPage()
    : CPallumPage(PAGE_MEDIA, kMediaHelpIds),
      m_nAudioVideo(0),
      m_nCD(0),
      m_nDVD(0),
      m_bPrevent(0),
      m_nHDDVD(-1)
{
}

CMediaAppsPage::~CMediaAppsPage() = default;

BOOL CMediaAppsPage::ReadSettings()
{
    if (!CRegManager::ReadSettingPlayerInfoManager(m_playerManager))
        return FALSE;
    // A media list that cannot be read shows what the library left in it.
    CRegManager::ReadSettingCDMediaManager(m_cdMedia, m_playerManager);
    CRegManager::ReadSettingDVDMediaManager(m_dvdMedia, m_playerManager);
    CRegManager::ReadSettingMP3MediaManager(m_mp3Media, m_playerManager);
    return TRUE;
}

void CMediaAppsPage::DoDataExchange(CDataExchange* pDX)
{
    CPallumPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MEDIA_HDDVD_LIST, m_cbHDDVD);
    DDX_Control(pDX, IDC_MEDIA_AUDIOVIDEO_TEXT, m_stAudioVideo);
    DDX_Control(pDX, IDC_MEDIA_DVD_LIST, m_cbDVD);
    DDX_Control(pDX, IDC_MEDIA_CD_LIST, m_cbCD);
    DDX_Control(pDX, IDC_MEDIA_AUDIOVIDEO_LIST, m_cbAudioVideo);
    DDX_CBIndex(pDX, IDC_MEDIA_AUDIOVIDEO_LIST, m_nAudioVideo);
    DDX_CBIndex(pDX, IDC_MEDIA_CD_LIST, m_nCD);
    DDX_CBIndex(pDX, IDC_MEDIA_DVD_LIST, m_nDVD);
    DDX_Check(pDX, IDC_MEDIA_PREVENT, m_bPrevent);
    DDX_CBIndex(pDX, IDC_MEDIA_HDDVD_LIST, m_nHDDVD);
}

BOOL CMediaAppsPage::OnInitDialog()
{
    CPallumPage::OnInitDialog();
    FillPlayerList(m_mp3Media, m_cbAudioVideo);
    FillPlayerList(m_cdMedia, m_cbCD);
    FillPlayerList(m_dvdMedia, m_cbDVD);

    // Asked here for the controls and again at each save (SaveSettings).
    DisableIfReadOnly(kReadOnlyItems);

    // The check box and the two "Select the applications" lines share their place.
    if (m_pGeneral && m_pGeneral->m_nPreventSupport) {
        SetItemsState(m_hWnd, kSelectTextItems, ITEM_UNCHANGED, SW_HIDE);
        m_bPrevent = m_pGeneral->m_nPrevent ? 1 : 0;
        UpdateData(FALSE);
    } else {
        SetItemsState(m_hWnd, kPreventItems, ITEM_UNCHANGED, SW_HIDE);
    }

    if (!m_pGeneral || !m_pGeneral->m_nAudioVideoRow) {
        m_stAudioVideo.ShowWindow(SW_HIDE);
        m_cbAudioVideo.ShowWindow(SW_HIDE);
    }

    // Nothing is read from the key; that it opens says the machine has the drive.
    if (!HasHDDVDDrive()) {
        SetDlgItemState(m_hWnd, IDC_MEDIA_HDDVD_LIST, ITEM_UNCHANGED, SW_HIDE);
        SetDlgItemState(m_hWnd, IDC_MEDIA_HDDVD_TEXT, ITEM_UNCHANGED, SW_HIDE);
    }
    return TRUE;
}

BOOL CMediaAppsPage::FillPlayerList(const CMediaManager& media, CComboBox& list)
{
    list.ResetContent();
    // One entry per index, even for a player without a record, so positions stay indices.
    for (int i = 0; i < media.GetPlayerCount(); ++i) {
        const CPlayer* pPlayer = media.GetPlayerPtr(i);
        list.AddString(pPlayer ? pPlayer->GetPlayerName() : CString());
    }
    if (media.GetPlayerCount() == 0) {
        list.EnableWindow(FALSE);
        return TRUE;
    }
    const int nCurrent = media.GetCurrentPlayerIndex();
    const BOOL bSelected = nCurrent != -1 && list.SetCurSel(nCurrent) != CB_ERR;
    // The index members follow the lists also when nothing is selected: a stale member
    // would be loaded back into the list as a selection the library does not hold, and
    // would make picking that entry look like no change.
    UpdateData(TRUE);
    return bSelected;
}

BOOL CMediaAppsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    static const CCommandEntry<CMediaAppsPage> kCommands[] = {
        {IDC_MEDIA_RESTORE, BN_CLICKED, &CMediaAppsPage::OnRestoreDefaults},
        {IDC_MEDIA_AUDIOVIDEO_LIST, CBN_SELCHANGE, &CMediaAppsPage::OnSelchangeAudioVideo},
        {IDC_MEDIA_CD_LIST, CBN_SELCHANGE, &CMediaAppsPage::OnSelchangeCD},
        {IDC_MEDIA_DVD_LIST, CBN_SELCHANGE, &CMediaAppsPage::OnSelchangeDVD},
        {IDC_MEDIA_HDDVD_LIST, CBN_SELCHANGE, &CMediaAppsPage::OnSelchangeHDDVD},
        {IDC_MEDIA_PREVENT, BN_CLICKED, &CMediaAppsPage::OnPreventClicked},
    };
    return DispatchCommand(this, kCommands, wParam) || CPallumPage::OnCommand(wParam, lParam);
}

void CMediaAppsPage::OnSelchange(int& nIndex, CMediaManager& media)
{
    const int nBefore = nIndex;
    UpdateData(TRUE);
    if (nIndex == nBefore)
        return;
    media.SetCurrentPlayerIndex(nIndex);
    SetModified(TRUE);
}

void CMediaAppsPage::OnSelchangeAudioVideo() { OnSelchange(m_nAudioVideo, m_mp3Media); }
void CMediaAppsPage::OnSelchangeCD() { OnSelchange(m_nCD, m_cdMedia); }
void CMediaAppsPage::OnSelchangeDVD() { OnSelchange(m_nDVD, m_dvdMedia); }

void CMediaAppsPage::OnSelchangeHDDVD()
{
    // Nothing is stored for the HD DVD list; a change only marks the page.
    const int nBefore = m_nHDDVD;
    UpdateData(TRUE);
    if (m_nHDDVD != nBefore)
        SetModified(TRUE);
}

void CMediaAppsPage::OnPreventClicked()
{
    UpdateData(TRUE);
    UpdateData(FALSE);
    SetModified(TRUE);
}

void CMediaAppsPage::OnRestoreDefaults()
{
    m_cdMedia.RestoreDefault();
    m_dvdMedia.RestoreDefault();
    m_mp3Media.RestoreDefault();
    FillPlayerList(m_mp3Media, m_cbAudioVideo);
    FillPlayerList(m_cdMedia, m_cbCD);
    FillPlayerList(m_dvdMedia, m_cbDVD);
    m_bPrevent = 0;
    UpdateData(FALSE);
    SetModified(TRUE);
}

BOOL CMediaAppsPage::SaveSettings()
{
    // Asked anew each time: the maker may lock the settings while the sheet is open.
    if (IsSettingReadOnly() || !m_pGeneral)
        return TRUE;
    UpdateData(TRUE);
    if (m_pGeneral->m_nPreventSupport)
        m_pGeneral->m_nPrevent = m_bPrevent ? 1 : 0;
    // Every record is written even after one failed; the result says whether all were.
    int nFailed = !CRegManager::WriteSettingCDMediaManager(m_cdMedia);
    nFailed += !CRegManager::WriteSettingDVDMediaManager(m_dvdMedia);
    nFailed += !CRegManager::WriteSettingMP3MediaManager(m_mp3Media);
    nFailed += !CRegManager::WriteSettingGeneralSettingManager(*m_pGeneral);
    CPropertyPage::OnApply();
    return nFailed == 0;
}
