// The "Buttons" page: rows, captions, icons, help, Restore Defaults and saving. The program
// lists themselves live in ProgramList.cpp.
#include "GPButtonPage.h"

#include <algorithm>

#include "DataExchange.h"
#include "PageUtil.h"

const CRuntimeClass CGPButtonPage::classCGPButtonPage(
    "CGPButtonPage", &CRuntimeClass::Create<CGPButtonPage>, &CPropertyPage::classCPropertyPage);

const CButtonSlotItems g_buttonSlots[CGPButtonPage::SLOT_COUNT] = {
    {IDC_BUTTON0_LIST, IDC_BUTTON0_CAPTION, IDC_BUTTON0_ICON},
    {IDC_BUTTON1_LIST, IDC_BUTTON1_CAPTION, IDC_BUTTON1_ICON},
    {IDC_BUTTON2_LIST, IDC_BUTTON2_CAPTION, IDC_BUTTON2_ICON},
    {IDC_BUTTON3_LIST, IDC_BUTTON3_CAPTION, IDC_BUTTON3_ICON},
    {IDC_BUTTON4_LIST, IDC_BUTTON4_CAPTION, IDC_BUTTON4_ICON},
};

namespace {

const UINT HELP_ID_RESTORE = 49191;

struct BitmapOfIcon {
    int nIconId;
    UINT nBitmapId;
};
const BitmapOfIcon kBitmaps[] = {
    {1, IDB_BUTTON_BROWSER},       {2, IDB_BUTTON_MAIL},          {5, IDB_BUTTON_TVOUT},
    {100, IDB_BUTTON_ASSIST},      {101, IDB_BUTTON_HELVANE},     {102, IDB_BUTTON_ZOOM_OUT},
    {103, IDB_BUTTON_ZOOM_IN},     {104, IDB_BUTTON_REC},         {105, IDB_BUTTON_BRIGHTNESS},
    {106, IDB_BUTTON_MONITOR_IN},  {107, IDB_BUTTON_CDDVD},       {109, IDB_BUTTON_BRIGHT_DOWN},
    {110, IDB_BUTTON_BRIGHT_UP},   {111, IDB_BUTTON_PRESEN_DIFF}, {112, IDB_BUTTON_PRESEN_800},
    {113, IDB_BUTTON_PRESEN_1024}, {114, IDB_BUTTON_PRESEN_1280}, {115, IDB_BUTTON_PRESEN_1600},
    {116, IDB_BUTTON_DISPLAY},     {117, IDB_BUTTON_DOLBY},       {118, IDB_BUTTON_BACKLIGHT},
    {119, IDB_BUTTON_ILLUMINATION}, {120, IDB_BUTTON_MUTE},
};

// The first kind test that holds names the button's help topic.
struct HelpOfKind {
    BOOL (CButtonInfo::*pfnTest)() const;
    UINT nHelpId;
};
const HelpOfKind kHelpIds[] = {
    {&CButtonInfo::IsAmbrelButton, 49189},     {&CButtonInfo::IsInternetButton, 49186},
    {&CButtonInfo::IsMailButton, 49187},       {&CButtonInfo::IsCustomAppButton, 49188},
    {&CButtonInfo::IsCustomApp2Button, 49225}, {&CButtonInfo::IsPresenButton, 49208},
    {&CButtonInfo::IsTVOutButton, 49207},      {&CButtonInfo::IsHelvaneBtn, 49206},
    {&CButtonInfo::IsZoomOutButton, 49209},    {&CButtonInfo::IsZoomInButton, 49210},
    {&CButtonInfo::IsRecButton, 49211},        {&CButtonInfo::IsBrightButton, 49212},
    {&CButtonInfo::IsMonitorButton, 49213},    {&CButtonInfo::IsCDDVDButton, 49214},
    {&CButtonInfo::IsOneNoteButton, 49215},    {&CButtonInfo::IsBrightDownButton, 49217},
    {&CButtonInfo::IsBrightUpButton, 49216},   {&CButtonInfo::IsPresenDiffButton, 49218},
    {&CButtonInfo::IsPresenSI86Button, 49218}, {&CButtonInfo::IsPresenSI17Button, 49218},
    {&CButtonInfo::IsPresenSI21Button, 49218}, {&CButtonInfo::IsPresenSI62Button, 49218},
    {&CButtonInfo::IsDisplayButton, 49223},    {&CButtonInfo::IsDolbyButton, 49224},
    {&CButtonInfo::IsBacklightButton, 49226},
};

}  // namespace

// ---- CGPButtonList --------------------------------------------------------------------

CGPButtonList::CGPButtonList() : m_nCount(0) {}

CGPButtonList::~CGPButtonList()
{
    m_ppButtons.reset();
    m_pIcons.reset();
}

BOOL CGPButtonList::Load()
{
    CRegManager::ReadSettingGPButtonInfo(m_manager);

    CButtonInfo* present[CButtonInfoManager::MAX_BUTTONS];
    int nCount = 0;
    for (int nIndex = 0; nIndex < CButtonInfoManager::MAX_BUTTONS; ++nIndex) {
        if (CButtonInfo* pButton = m_manager.GetBtnInfoPtr(nIndex))
            present[nCount++] = pButton;
    }

    m_ppButtons.reset();
    m_pIcons.reset();
    m_nCount = nCount;
    if (nCount == 0)
        return FALSE;
    m_ppButtons.reset(new CButtonInfo*[nCount]);
    std::copy(present, present + nCount, m_ppButtons.get());
    m_pIcons.reset(new CBitmapStatic[nCount]);
    return TRUE;
}

CButtonInfo* CGPButtonList::GetAt(int nSlot) const
{
    if (nSlot < 0 || nSlot >= m_nCount || !m_ppButtons)
        return nullptr;
    return m_ppButtons[nSlot];
}

CBitmapStatic* CGPButtonList::GetIcon(int nSlot) const
{
    if (nSlot < 0 || nSlot >= m_nCount || !m_pIcons)
        return nullptr;
    return &m_pIcons[nSlot];
}

void CGPButtonList::RestoreAllDefaults()
{
    for (int nSlot = 0; nSlot < m_nCount; ++nSlot)
        m_ppButtons[nSlot]->RestoreDefaultSetting();
}

// ---- CGPButtonPage --------------------------------------------------------------------

CGPButtonPage::CGPButtonPage() : CPallumPage(PAGE_BUTTONS, nullptr) {}

CGPButtonPage::~CGPButtonPage() = default;

BOOL CGPButtonPage::ReadSettings()
{
    return CRegManager::ReadSettingGPButtonInfo(m_buttons.m_manager) ? TRUE : FALSE;
}

void CGPButtonPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BUTTON3_LIST, m_cbButton3);
    DDX_Control(pDX, IDC_BUTTON2_LIST, m_cbButton2);
    DDX_Control(pDX, IDC_BUTTON0_LIST, m_cbButton0);
    DDX_Control(pDX, IDC_BUTTON4_LIST, m_cbButton4);
    DDX_Control(pDX, IDC_BUTTON1_LIST, m_cbButton1);
}

BOOL CGPButtonPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_buttons.Load();
    FillAllProgramLists();
    SetupButtonRows();
    return TRUE;
}

BOOL CGPButtonPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    static const CCommandEntry<CGPButtonPage> kCommands[] = {
        {IDC_BUTTONS_RESTORE, BN_CLICKED, &CGPButtonPage::OnRestoreDefaults},
        {IDC_BUTTON0_LIST, CBN_SELENDOK, &CGPButtonPage::OnSelendokButton0},
        {IDC_BUTTON2_LIST, CBN_SELENDOK, &CGPButtonPage::OnSelendokButton2},
        {IDC_BUTTON3_LIST, CBN_SELENDOK, &CGPButtonPage::OnSelendokButton3},
        {IDC_BUTTON4_LIST, CBN_SELENDOK, &CGPButtonPage::OnSelendokButton4},
        {IDC_BUTTON1_LIST, CBN_SELENDOK, &CGPButtonPage::OnSelendokButton1},
    };
    return DispatchCommand(this, kCommands, wParam) || CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CGPButtonPage::SaveSettings()
{
    // Asked anew each time: the maker may lock the settings while the sheet is open.
    if (IsSettingReadOnly())
        return TRUE;
    // A refusal is told once for all pages, by the sheet.
    const BOOL bResult = CRegManager::WriteSettingGPButtonInfo(m_buttons.m_manager);
    CPropertyPage::OnApply();
    return bResult;
}

CComboBox& CGPButtonPage::GetSlotList(int nSlot)
{
    switch (nSlot) {
    case 1: return m_cbButton1;
    case 2: return m_cbButton2;
    case 3: return m_cbButton3;
    case 4: return m_cbButton4;
    default: return m_cbButton0;
    }
}

void CGPButtonPage::SetupButtonRows()
{
    for (int nSlot = 0; nSlot < SLOT_COUNT && nSlot < m_buttons.GetCount(); ++nSlot) {
        const CButtonSlotItems& items = g_buttonSlots[nSlot];
        if (CWnd* pCaption = GetDlgItem(items.nCaption))
            pCaption->SetWindowText(GetButtonCaption(nSlot));
        CWnd* pIconItem = GetDlgItem(items.nIcon);
        CBitmapStatic* pIcon = m_buttons.GetIcon(nSlot);
        if (pIconItem != nullptr && pIcon != nullptr)
            pIcon->SubclassBitmap(GetButtonBitmapId(nSlot), pIconItem);
        SetDlgItemState(m_hWnd, items.nIcon, TRUE, SW_SHOW);
        // FillProgramList has already greyed or enabled the caption.
        SetDlgItemState(m_hWnd, items.nCaption, ITEM_UNCHANGED, SW_SHOW);
        SetDlgItemState(m_hWnd, items.nList, TRUE, SW_SHOW);
    }
    // Asked here for the controls and again at each save (SaveSettings).
    static const int kChangers[] = {IDC_BUTTON0_LIST, IDC_BUTTON1_LIST, IDC_BUTTON2_LIST,
                                    IDC_BUTTON3_LIST, IDC_BUTTON4_LIST, IDC_BUTTONS_RESTORE};
    DisableIfReadOnly(kChangers);
}

CString CGPButtonPage::GetButtonCaption(int nSlot) const
{
    const CButtonInfo* pButton = m_buttons.GetAt(nSlot);
    if (pButton == nullptr)
        return CString();
    const CString strWord = LoadResString(IDS_BUTTON_WORD);
    const CString strName = pButton->GetBtnName();
    const CString strRawKey = pButton->GetAccessKey();
    CString strKey = strRawKey;
    strKey.Trim();
    strKey.MakeUpper();

    // One character of the code page: a double-byte access key is a key too.
    if (strKey.GetCharCount() != 1)
        return strName + " " + strWord;
    if (GetLocaleKind() == 2) {
        // Mark the key inside the name when the name has it; searches match whole characters,
        // so a single-byte key never matches a double-byte character's trail byte.
        CString strUpperName = strName;
        strUpperName.MakeUpper();
        const int nPos = strUpperName.Find(strKey);
        if (nPos >= 0)
            return strName.Left(nPos) + "&" + strName.Mid(nPos) + " " + strWord;
    }
    return strName + " " + strWord + " (&" + strRawKey + ")";
}

UINT CGPButtonPage::GetButtonBitmapId(int nSlot) const
{
    const CButtonInfo* pButton = m_buttons.GetAt(nSlot);
    if (pButton == nullptr)
        return 0;
    const int nIconId = pButton->GetIconID();
    for (const BitmapOfIcon& entry : kBitmaps) {
        if (entry.nIconId == nIconId)
            return entry.nBitmapId;
    }
    return IDB_BUTTON_OTHER;
}

UINT CGPButtonPage::GetButtonHelpId(int nSlot) const
{
    const CButtonInfo* pButton = m_buttons.GetAt(nSlot);
    if (pButton == nullptr)
        return 0;
    for (const HelpOfKind& entry : kHelpIds) {
        if ((pButton->*entry.pfnTest)())
            return entry.nHelpId;
    }
    return 0;
}

BOOL CGPButtonPage::OnHelpInfo(HELPINFO* pHelpInfo)
{
    if (pHelpInfo == nullptr)
        return FALSE;
    const int nId = pHelpInfo->iCtrlId;
    UINT nHelpId = HELP_ID_RESTORE;
    if (nId != IDC_BUTTONS_RESTORE) {
        const CButtonSlotItems* pEnd = g_buttonSlots + SLOT_COUNT;
        const CButtonSlotItems* pSlot = std::find_if(
            g_buttonSlots, pEnd, [nId](const CButtonSlotItems& items) { return items.nList == nId; });
        if (pSlot == pEnd)
            return FALSE;
        nHelpId = GetButtonHelpId(static_cast<int>(pSlot - g_buttonSlots));
    }
    // The table holds only the asking control's pair.
    const DWORD helpIds[] = {static_cast<DWORD>(nId), nHelpId, 0, 0};
    return ShowControlHelp(pHelpInfo, helpIds);
}

void CGPButtonPage::OnRestoreDefaults()
{
    m_buttons.RestoreAllDefaults();
    SetModified(TRUE);
    FillAllProgramLists();
}

void CGPButtonPage::OnSelendokSlot(int nSlot)
{
    OnProgramSelected(GetSlotList(nSlot), g_buttonSlots[nSlot].nCaption, nSlot);
    SetModified(TRUE);
}

void CGPButtonPage::OnSelendokButton0() { OnSelendokSlot(0); }
void CGPButtonPage::OnSelendokButton1() { OnSelendokSlot(1); }
void CGPButtonPage::OnSelendokButton2() { OnSelendokSlot(2); }
void CGPButtonPage::OnSelendokButton3() { OnSelendokSlot(3); }
void CGPButtonPage::OnSelendokButton4() { OnSelendokSlot(4); }
