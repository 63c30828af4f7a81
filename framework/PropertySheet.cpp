#include "PropertySheet.h"

#include <algorithm>
#include <utility>

#include "AppModule.h"
#include "DialogTemplate.h"
#include "WndBinder.h"

const CRuntimeClass CPropertyPage::classCPropertyPage("CPropertyPage", nullptr, &CDialog::classCDialog);
const CRuntimeClass CPropertySheet::classCPropertySheet("CPropertySheet", nullptr, &CWnd::classCWnd);

namespace {

// The page template pszTemplate of hResource in the sheet's font, in *pCopy. False when it
// cannot be found or parsed: the system then loads it as it is, by id.
bool CopyPageTemplate(HINSTANCE hResource, LPCSTR pszTemplate, std::vector<DWORD>* pCopy)
{
    HRSRC hFound = FindResourceA(hResource, pszTemplate, RT_DIALOG);
    HGLOBAL hLoaded = hFound ? LoadResource(hResource, hFound) : nullptr;
    const void* pTemplate = hLoaded ? LockResource(hLoaded) : nullptr;
    if (!pTemplate)
        return false;
    *pCopy = CopyDialogTemplateWithFont(pTemplate, SizeofResource(hResource, hFound), CPropertySheet::kPageFontFace,
                                        CPropertySheet::kPageFontPointSize);
    return !pCopy->empty();
}

// A sheet needs one page to be closable at all (the system ignores Cancel while no page is
// active), so a sheet without pages shows this blank one: a template without controls.
struct BlankPageTemplate {
    DLGTEMPLATE dlg;
    WORD wMenu;
    WORD wClass;
    WORD wTitle;
};
const BlankPageTemplate kBlankPage __attribute__((aligned(4))) = {
    {WS_CHILD | WS_DISABLED | WS_CAPTION | DS_CONTROL, 0, 0, 0, 0, 212, 114}, 0, 0, 0};

// The blank page has no object: it only reports whether OK was pressed.
INT_PTR CALLBACK BlankPageProc(HWND hWnd, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
        if (reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam)
            CPropertySheet::OnOkApplied(::GetParent(hWnd), TRUE);
        SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

// CPropertyPage

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate, nullptr), m_psp(), m_bModified(FALSE), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = MAKEINTRESOURCEA(nIDTemplate);
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    // The sheet owns the page's window; never destroy it from here.
    if (m_hWnd)
        UnsubclassWindow();
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (!m_hWnd)
        return;
    ::SendMessageA(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    // A page's WM_INITDIALOG carries the page description; its lParam is the page object.
    if (message != WM_INITDIALOG)
        return FALSE;
    const PROPSHEETPAGEA* pDesc = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    CPropertyPage* pPage = pDesc ? reinterpret_cast<CPropertyPage*>(pDesc->lParam) : nullptr;
    return pPage ? pPage->BindAndInitialise(hWnd) : FALSE;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    m_bModified = FALSE;
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // OK and Cancel are the sheet's; skip CDialog's handling of them.
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (!pHeader || pHeader->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pHeader->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    case PSN_APPLY: {
        const BOOL bApplied = OnApply();
        *pResult = bApplied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        if (reinterpret_cast<const PSHNOTIFY*>(pHeader)->lParam)
            CPropertySheet::OnOkApplied(pHeader->hwndFrom, bApplied);
        return TRUE;
    }
    case PSN_RESET:
        CPropertySheet::OnOkApplied(pHeader->hwndFrom, FALSE);
        OnReset();
        *pResult = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = OnQueryCancel() ? FALSE : TRUE;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

void CPropertyPage::PostNcDestroy()
{
    // A later run of the sheet creates the window anew.
    m_bFirstSetActive = TRUE;
    CDialog::PostNcDestroy();
}

// CPropertySheet

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption)
{
    CommonConstruct(pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = PROPSHEETHEADERA();
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_nModalResult = IDCANCEL;
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage && GetPageIndex(pPage) < 0)
        m_pages.push_back(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    if (m_hWnd)
        return;
    m_pages.erase(std::remove(m_pages.begin(), m_pages.end(), pPage), m_pages.end());
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[static_cast<size_t>(i)] == pPage)
            return i;
    }
    return -1;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    HINSTANCE hResource = AfxGetResourceHandle();
    m_pageDescs.clear();
    m_pageTemplates.clear();
    m_pageTemplates.reserve(m_pages.size());
    for (CPropertyPage* pPage : m_pages) {
        PROPSHEETPAGEA desc = pPage->m_psp;
        desc.hInstance = hResource;
        std::vector<DWORD> copy;
        if (!(desc.dwFlags & PSP_DLGINDIRECT) && CopyPageTemplate(hResource, desc.pszTemplate, &copy)) {
            m_pageTemplates.push_back(std::move(copy));
            desc.dwFlags |= PSP_DLGINDIRECT;
            desc.pResource = reinterpret_cast<LPCDLGTEMPLATEA>(m_pageTemplates.back().data());
        }
        desc.pfnDlgProc = &CPropertyPage::PageDialogProc;
        desc.lParam = reinterpret_cast<LPARAM>(pPage);
        if (!pPage->m_strCaption.IsEmpty()) {
            desc.dwFlags |= PSP_USETITLE;
            desc.pszTitle = pPage->m_strCaption;
        }
        m_pageDescs.push_back(desc);
    }
    if (m_pageDescs.empty()) {
        PROPSHEETPAGEA desc = {};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = PSP_DLGINDIRECT;
        desc.pResource = &kBlankPage.dlg;
        desc.pfnDlgProc = &BlankPageProc;
        m_pageDescs.push_back(desc);
    }
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_MODELESS | PSH_USEPSTARTPAGE);
    m_psh.hwndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    m_psh.hInstance = hResource;
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = static_cast<UINT>(m_pageDescs.size());
    m_psh.ppsp = m_pageDescs.empty() ? nullptr : m_pageDescs.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
    m_nModalResult = IDCANCEL;

    INT_PTR nResult;
    {
        CWndBinder binder(this);
        nResult = PropertySheetA(&m_psh);
    }
    if (m_hWnd)
        UnsubclassWindow();
    m_pageTemplates.clear();
    return nResult < 0 ? -1 : m_nModalResult;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    // The system would have the shown page lose and regain activation, so a page whose
    // controls do not validate would refuse a switch that goes nowhere. The page is only
    // laid out again: it was placed before the sheet's owner may have moved the tabs.
    if (nPage == GetActiveIndex()) {
        PlaceActivePage();
        return TRUE;
    }
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_pages.empty())
        return -1;
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND hCurrent = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    for (int i = 0; i < GetPageCount(); ++i) {
        if (hCurrent && m_pages[static_cast<size_t>(i)]->m_hWnd == hCurrent)
            return i;
    }
    HWND hTab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    return hTab ? static_cast<int>(::SendMessageA(hTab, TCM_GETCURSEL, 0, 0)) : -1;
}

// Where the system lays every page: the tab control's display area.
void CPropertySheet::PlaceActivePage()
{
    CPropertyPage* pPage = GetActivePage();
    CWnd* pTab = GetTabControl();
    if (!pPage || !pPage->m_hWnd || !pTab || !pTab->m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(pTab->m_hWnd, &rc);
    TabCtrl_AdjustRect(pTab->m_hWnd, FALSE, &rc);
    ::MapWindowPoints(pTab->m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    ::SetWindowPos(pPage->m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

CWnd* CPropertySheet::GetTabControl() const
{
    if (!m_hWnd)
        return nullptr;
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)));
}

void CPropertySheet::PressButton(int nButton)
{
    if (m_hWnd)
        SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(nButton), 0);
}

void CPropertySheet::OnOkApplied(HWND hSheet, BOOL bApplied)
{
    if (CPropertySheet* pSheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(hSheet)))
        pSheet->m_nModalResult = bApplied ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::OnInitDialog()
{
    return static_cast<BOOL>(Default());
}
