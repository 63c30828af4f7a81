#include "Gdi.h"

#include <utility>

#include "AppModule.h"
#include "Wnd.h"

// CBitmap

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(static_cast<HBITMAP>(
        LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP pColorMap, int nMapSize)
{
    return Attach(CreateMappedBitmap(AfxGetResourceHandle(), static_cast<INT_PTR>(nIDBitmap), nFlags, pColorMap, nMapSize));
}

BOOL CBitmap::Attach(HBITMAP hBitmap)
{
    DeleteObject();
    m_hObject = hBitmap;
    return hBitmap != nullptr;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP hBitmap = m_hObject;
    m_hObject = nullptr;
    return hBitmap;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CBitmap::GetBitmap(BITMAP* pBitmap) const
{
    return m_hObject && pBitmap && ::GetObjectA(m_hObject, sizeof(BITMAP), pBitmap) == sizeof(BITMAP);
}

// CPaintDC

CPaintDC::CPaintDC(CWnd* pWnd)
    : m_ps(), m_hWnd(pWnd ? pWnd->m_hWnd : nullptr), m_hDC(m_hWnd ? BeginPaint(m_hWnd, &m_ps) : nullptr)
{
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd)
        EndPaint(m_hWnd, &m_ps);
}

// CMemDC

CMemDC::CMemDC(HDC hDC) : m_hDC(CreateCompatibleDC(hDC)) {}

CMemDC::~CMemDC()
{
    if (m_hDC)
        DeleteDC(m_hDC);
}

CMemDC::CMemDC(CMemDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}

CMemDC& CMemDC::operator=(CMemDC&& other) noexcept
{
    if (this != &other) {
        if (m_hDC)
            DeleteDC(m_hDC);
        m_hDC = std::exchange(other.m_hDC, nullptr);
    }
    return *this;
}

// CSelectObject

CSelectObject::CSelectObject(HDC hDC, HGDIOBJ hObject)
    : m_hDC(hDC), m_hPrevious(hDC && hObject ? SelectObject(hDC, hObject) : nullptr)
{
    if (m_hPrevious == HGDI_ERROR)
        m_hPrevious = nullptr;
}

CSelectObject::~CSelectObject()
{
    Restore();
}

CSelectObject::CSelectObject(CSelectObject&& other) noexcept
    : m_hDC(other.m_hDC), m_hPrevious(std::exchange(other.m_hPrevious, nullptr))
{
}

CSelectObject& CSelectObject::operator=(CSelectObject&& other) noexcept
{
    if (this != &other) {
        Restore();
        m_hDC = other.m_hDC;
        m_hPrevious = std::exchange(other.m_hPrevious, nullptr);
    }
    return *this;
}

void CSelectObject::Restore()
{
    if (m_hPrevious)
        SelectObject(m_hDC, std::exchange(m_hPrevious, nullptr));
}
