#include "Dialog.h"

#include "AppModule.h"

const CRuntimeClass CDialog::classCDialog("CDialog", nullptr, &CWnd::classCWnd);

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_bModal(FALSE)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && !m_bModal)
        DestroyWindow();
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    // Without a parent the thread's active window owns the dialog, so it is disabled while
    // the dialog runs (the About box over the sheet).
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : GetActiveWindow();
    if (hOwner)
        hOwner = GetLastActivePopup(GetAncestor(hOwner, GA_ROOT));
    m_bModal = TRUE;
    const INT_PTR nResult = DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), hOwner,
                                            &DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = FALSE;
    return nResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = FALSE;
    HWND hWnd = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDTemplate),
                                   pParentWnd ? pParentWnd->m_hWnd : nullptr, &DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        DestroyWindow();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOK();
            return TRUE;
        case IDCANCEL:
            OnCancel();
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM /*wParam*/, LPARAM lParam)
{
    // Everything after WM_INITDIALOG reaches the object through its window procedure first;
    // what it passes on arrives here and gets the dialog's default handling.
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
    return pDialog ? pDialog->BindAndInitialise(hWnd) : FALSE;
}

BOOL CDialog::BindAndInitialise(HWND hWnd)
{
    if (!SubclassWindow(hWnd))
        return TRUE;
    return OnInitDialog();
}
