#include "PallumSheet.h"

#include "AboutDlg.h"
#include "Banner.h"
#include "PageUtil.h"
#include "PallumApp.h"
#include "resource.h"

namespace {

// Context help of the sheet's own buttons.
const DWORD kSheetHelpIds[] = {
    IDOK, 0xC010,
    IDCANCEL, 0xC011,
    IDC_SHEET_APPLY, 0xC012,
    0, 0,
};

const char* const kButtonProgramTitles[] = {"Quorlat", "Wendrap"};

}  // namespace

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

CPallumPage* CPallumSheet::* const CPallumSheet::kPageMembers[PAGE_COUNT] = {
    &CPallumSheet::m_pButtonsPage, &CPallumSheet::m_pMediaPage, &CPallumSheet::m_pSubLcdPage,
    &CPallumSheet::m_pAppModePage, &CPallumSheet::m_pRemoconPage,
};

CPallumPage* CPallumSheet::GetPallumPage(PallumPageId nPage) const
{
    return nPage >= 0 && nPage < PAGE_COUNT ? this->*kPageMembers[nPage] : nullptr;
}

CPallumPage* CPallumSheet::CreatePage(PallumPageId nPage)
{
    return CreatePallumPage(nPage);
}

void CPallumSheet::DeletePages()
{
    for (CPallumPage* CPallumSheet::* pMember : kPageMembers) {
        CPallumPage*& pPage = this->*pMember;
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
            continue;
        this->*kPageMembers[nPage] = pPage;
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

void CPallumSheet::ApplyAllPages(CPropertyPage* pCaller)
{
    // Every page with a window gets OnApply; the save runs once, for the active page.
    if (!pCaller || pCaller != GetActivePage())
        return;
    // A refused write is never taken for a saved one: one warning, whichever pages failed;
    // their choices stay in the pages for the next Apply.
    bool bRefused = false;
    for (CPallumPage* CPallumSheet::* pMember : kPageMembers) {
        CPallumPage* pPage = this->*pMember;
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
