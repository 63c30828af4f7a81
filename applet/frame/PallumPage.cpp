#include "PallumPage.h"

#include "Mirrend.h"
#include "PageUtil.h"
#include "PallumSheet.h"

CPallumPage::CPallumPage(PallumPageId nPage, const DWORD* pHelpIds)
    : CPropertyPage(g_pallumPages[nPage].nDialogId), m_pHelpIds(pHelpIds)
{
}

BOOL CPallumPage::Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral)
{
    if (!pGeneral)
        return FALSE;
    m_pGeneral = pGeneral;
    if (!pSheet)
        return FALSE;
    m_pSheet = pSheet;
    return ReadSettings();
}

BOOL CPallumPage::OnApply()
{
    if (m_pSheet)
        m_pSheet->ApplyAllPages(this);
    return TRUE;
}

BOOL CPallumPage::OnHelpInfo(HELPINFO* pHelpInfo)
{
    if (m_pHelpIds)
        ShowControlHelp(pHelpInfo, m_pHelpIds);
    return FALSE;
}

BOOL CPallumPage::DisableIfReadOnly(const int* pIds, size_t nCount)
{
    if (!IsSettingReadOnly())
        return FALSE;
    for (size_t i = 0; i < nCount; ++i)
        SetDlgItemState(m_hWnd, pIds[i], FALSE, ITEM_UNCHANGED);
    return TRUE;
}
