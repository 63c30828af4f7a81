#include "PallumSheet.h"

#include "PageUtil.h"
#include "PallumApp.h"
#include "resource.h"

const char PALLUM_PAGES_KEY[] = "Software\\KELVORA\\KELVORA Controls\\DefaultSetting\\GeneralSetting\\Pages";

namespace {

const char* const kPageValueNames[PAGE_COUNT] = {"GPBtn", "Media", "ModePanel", "AppMode", "Remocon"};

// Context help of the sheet's own buttons.
const DWORD kSheetHelpIds[] = {
    IDOK, 0xC010,
    IDCANCEL, 0xC011,
    IDC_SHEET_APPLY, 0xC012,
    0, 0,
};

const char* const kButtonProgramTitles[] = {"Quorlat", "Wendrap"};

// A child's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

// ---- CPageSet ------------------------------------------------------------------------

BOOL CPageSet::ReadPageSet(HKEY hRoot, const char* pszSubKey)
{
    int* const flags[PAGE_COUNT] = {&m_nGPBtn, &m_nMedia, &m_nModePanel, &m_nAppMode, &m_nRemocon};
    CRegKeyEx key;
    if (RegOpenKeyExA(hRoot, pszSubKey, 0, KEY_QUERY_VALUE, &key.m_hKey) != ERROR_SUCCESS) {
        key.m_hKey = nullptr;
        for (int* pFlag : flags)
            *pFlag = 0;
        return FALSE;
    }
    BOOL bAllRead = TRUE;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (key.QueryValue(*flags[i], kPageValueNames[i]) != ERROR_SUCCESS) {
            *flags[i] = 0;
            bAllRead = FALSE;
        }
    }
    return bAllRead;
}

int CPageSet::GetFlag(PallumPageId nPage) const
{
    switch (nPage) {
    case PAGE_BUTTONS: return m_nGPBtn;
    case PAGE_MEDIA: return m_nMedia;
    case PAGE_SUBLCD: return m_nModePanel;
    case PAGE_APPMODE: return m_nAppMode;
    case PAGE_REMOCON: return m_nRemocon;
    default: return 0;
    }
}

// ---- CPallumSheet --------------------------------------------------------------------

const CRuntimeClass CPallumSheet::classCPallumSheet("CPallumSheet", nullptr,
                                                    &CPropertySheet::classCPropertySheet);

CPallumSheet::CPallumSheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage),
      m_nStartPage(0),
      m_pButtonsPage(nullptr),
      m_pMediaPage(nullptr),
      m_pSubLcdPage(nullptr),
      m_pAppModePage(nullptr),
      m_pRemoconPage(nullptr),
      m_hIcon(nullptr)
{
}

CPallumSheet::~CPallumSheet()
{
    DeletePages();
}

CPallumPage*& CPallumSheet::PageMember(PallumPageId nPage)
{
    switch (nPage) {
    case PAGE_BUTTONS: return m_pButtonsPage;
    case PAGE_MEDIA: return m_pMediaPage;
    case PAGE_SUBLCD: return m_pSubLcdPage;
    case PAGE_APPMODE: return m_pAppModePage;
    default: return m_pRemoconPage;
    }
}

CPallumPage* CPallumSheet::GetPallumPage(PallumPageId nPage) const
{
    return nPage >= 0 && nPage < PAGE_COUNT ? const_cast<CPallumSheet*>(this)->PageMember(nPage) : nullptr;
}

CPallumPage* CPallumSheet::CreatePage(PallumPageId nPage)
{
    return CreatePallumPage(nPage);
}

void CPallumSheet::DeletePages()
{
    for (int i = 0; i < PAGE_COUNT; ++i) {
        CPallumPage*& pPage = PageMember(static_cast<PallumPageId>(i));
        if (!pPage)
            continue;
        // The base sheet must not keep a page that is about to go.
        if (GetPageIndex(pPage) >= 0)
            RemovePage(pPage);
        delete pPage;
        pPage = nullptr;
    }
}

BOOL CPallumSheet::PreparePages()
{
    m_pageSet.ReadPageSet(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY);
    CRegManager::ReadSettingGeneralSettingManager(m_general);
    return BuildPages();
}

BOOL CPallumSheet::BuildPages()
{
    DeletePages();
    m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_PALLUM));
    m_psh.dwFlags &= ~PSH_HASHELP;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        const PallumPageId nPage = static_cast<PallumPageId>(i);
        if (!m_pageSet.GetFlag(nPage))
            continue;
        CPallumPage* pPage = CreatePage(nPage);
        if (!pPage)
            continue;   // that page class is not part of this build
        PageMember(nPage) = pPage;
        if (!pPage->Init(this, &m_general)) {
            DeletePages();
            return FALSE;
        }
        AddPage(pPage);
    }
    return TRUE;
}

BOOL CPallumSheet::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    LayoutForBanner(m_hWnd, GetBitmapHeight(IDB_BANNER_LEFT));
    // A start page past the page set leaves the system's first page shown: lay that one out.
    if (!SetActivePage(m_nStartPage))
        SetActivePage(GetActiveIndex());
    if (HMENU hSysMenu = GetSystemMenu(FALSE)) {
        const CString strAbout = LoadResString(IDS_ABOUT_MENU);
        AppendMenuA(hSysMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAbout);
    }
    return bResult;
}

int CPallumSheet::GetBitmapHeight(UINT nBitmapId)
{
    CBitmap bitmap;
    BITMAP bm;
    if (!bitmap.LoadBitmap(nBitmapId) || !bitmap.GetBitmap(&bm))
        return 0;
    return bm.bmHeight;
}

BOOL CPallumSheet::LayoutForBanner(HWND hSheet, int nHeight)
{
    HWND hTab = reinterpret_cast<HWND>(::SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    if (!hTab)
        return FALSE;
    const RECT rcSheet = ChildRect(hSheet, hSheet);
    ::SetWindowPos(hSheet, nullptr, 0, 0, rcSheet.right - rcSheet.left,
                 rcSheet.bottom - rcSheet.top + nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND hMoved[] = {hTab, ::GetDlgItem(hSheet, IDOK), ::GetDlgItem(hSheet, IDCANCEL),
                           ::GetDlgItem(hSheet, IDC_SHEET_APPLY)};
    for (HWND hChild : hMoved) {
        if (!hChild)
            continue;
        const RECT rc = ChildRect(hSheet, hChild);
        ::SetWindowPos(hChild, nullptr, rc.left, rc.top + nHeight, rc.right - rc.left,
                     rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CPallumSheet::DrawBannerBitmap(HDC hDC, UINT nBitmapId, int x, int* pNextX)
{
    CBitmap bitmap;
    BITMAP bm;
    if (!bitmap.LoadBitmap(nBitmapId) || !bitmap.GetBitmap(&bm))
        return FALSE;
    CMemDC memDC(hDC);
    if (!memDC.GetSafeHdc())
        return FALSE;
    CSelectObject select(memDC, bitmap.GetSafeHandle());
    if (!select.Succeeded())
        return FALSE;
    BitBlt(hDC, x, 0, bm.bmWidth, bm.bmHeight, memDC, 0, 0, SRCCOPY);
    *pNextX = x + bm.bmWidth;
    return TRUE;
}

void CPallumSheet::DrawBanner(HDC hDC, int nRight)
{
    CBitmap right;
    BITMAP bm;
    if (!right.LoadBitmap(IDB_BANNER_RIGHT) || !right.GetBitmap(&bm))
        return;
    const int nRightWidth = bm.bmWidth;
    int nNextX = 0;
    if (!DrawBannerBitmap(hDC, IDB_BANNER_LEFT, 0, &nNextX))
        return;
    while (nNextX < nRight - nRightWidth && nNextX < nRight) {
        if (!DrawBannerBitmap(hDC, IDB_BANNER_MIDDLE, nNextX, &nNextX))
            return;
    }
    DrawBannerBitmap(hDC, IDB_BANNER_RIGHT, nRight - nRightWidth, &nNextX);
}

void CPallumSheet::OnPaint()
{
    CPaintDC dc(this);
    RECT rc;
    GetClientRect(&rc);
    DrawBanner(dc, rc.right);
}

int CPallumSheet::OnCreate(LPCREATESTRUCTA lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return 0;
}

void CPallumSheet::OnSysCommand(UINT nID, LPARAM lParam)
{
    // The exact id: the platform's own commands keep their low bits for internal use.
    if (nID == IDM_ABOUTBOX) {
        // Owned by the sheet, so the sheet cannot be closed under the box's modal loop.
        CAboutDlg about(this);
        about.DoModal();
        return;
    }
    CPropertySheet::OnSysCommand(nID, lParam);
}

BOOL CPallumSheet::OnHelpInfo(HELPINFO* pHelpInfo)
{
    ShowControlHelp(pHelpInfo, kSheetHelpIds);
    return FALSE;
}

BOOL CPallumPage::ApplyAllPagesFrom(CPallumSheet* pSheet)
{
    if (pSheet)
        pSheet->ApplyAllPages(this);
    return TRUE;
}

void CPallumSheet::ApplyAllPages(CPropertyPage* pCaller)
{
    // Every page with a window gets OnApply; the save runs once, for the active page.
    if (!pCaller || pCaller != GetActivePage())
        return;
    // A refused write is never taken for a saved one: one warning, whichever pages failed;
    // their choices stay in the pages for the next Apply.
    bool bRefused = false;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        CPallumPage* pPage = PageMember(static_cast<PallumPageId>(i));
        if (pPage && pPage->GetSafeHwnd() && ::IsWindow(pPage->GetSafeHwnd()))
            bRefused = !pPage->SaveSettings() || bRefused;
    }
    if (bRefused)
        ShowWarningBox(m_hWnd, IDS_ERR_REGISTRY_WRITE);
    for (const char* pszTitle : kButtonProgramTitles) {
        if (HWND hProgram = FindWindowA(nullptr, pszTitle)) {
            ::PostMessageA(hProgram, g_nServicesMessage, 0, 0);
            break;
        }
    }
}

// ---- CAboutDlg -----------------------------------------------------------------------

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
