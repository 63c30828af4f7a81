#include "Banner.h"

#include "Gdi.h"
#include "resource.h"

namespace {

// A child's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND hParent, HWND hChild)
{
    RECT rc;
    GetWindowRect(hChild, &rc);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

int GetBitmapHeight(UINT nBitmapId)
{
    CBitmap bitmap;
    BITMAP bm;
    if (!bitmap.LoadBitmap(nBitmapId) || !bitmap.GetBitmap(&bm))
        return 0;
    return bm.bmHeight;
}

BOOL LayoutForBanner(HWND hSheet, int nHeight)
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

BOOL DrawBannerBitmap(HDC hDC, UINT nBitmapId, int x, int* pNextX)
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

void DrawBanner(HDC hDC, int nRight)
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
