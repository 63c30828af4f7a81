// Owners of GDI resources. Each releases what it holds exactly once; they move, never copy.
#pragma once

#include <windows.h>
#include <commctrl.h>

class CWnd;

// An owned bitmap.
class CBitmap {
public:
    CBitmap() : m_hObject(nullptr) {}
    explicit CBitmap(HBITMAP hBitmap) : m_hObject(hBitmap) {}
    ~CBitmap() { DeleteObject(); }
    CBitmap(CBitmap&& other) noexcept : m_hObject(other.Detach()) {}
    CBitmap& operator=(CBitmap&& other) noexcept;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // From the current resource module. Any bitmap held before is deleted first; FALSE
    // (and none held) when the resource cannot be loaded.
    BOOL LoadBitmap(UINT nIDResource);
    // CreateMappedBitmap of the resource in the current resource module.
    BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP pColorMap = nullptr, int nMapSize = 0);

    BOOL Attach(HBITMAP hBitmap);   // deletes what was held
    HBITMAP Detach();
    BOOL DeleteObject();            // FALSE if nothing was held
    // Its BITMAP description; FALSE when none is held or it cannot be read.
    BOOL GetBitmap(BITMAP* pBitmap) const;
    HBITMAP GetSafeHandle() const { return m_hObject; }
    operator HBITMAP() const { return m_hObject; }

    HBITMAP m_hObject;
};

// BeginPaint / EndPaint for one WM_PAINT. Bound to its window and message: neither copied
// nor moved.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// A memory device context compatible with hDC (null: the screen); deleted with the object.
// GetSafeHdc is null when it could not be created.
class CMemDC {
public:
    explicit CMemDC(HDC hDC);
    ~CMemDC();
    CMemDC(CMemDC&& other) noexcept;
    CMemDC& operator=(CMemDC&& other) noexcept;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects a GDI object into a DC and selects the previous one back when destroyed, so a
// DC never keeps an object that is about to be deleted. Declare it after the object it
// selects, so it ends first.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject);
    ~CSelectObject();
    CSelectObject(CSelectObject&& other) noexcept;
    CSelectObject& operator=(CSelectObject&& other) noexcept;
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

    // FALSE when the selection failed (nothing to restore).
    BOOL Succeeded() const { return m_hPrevious != nullptr; }
    void Restore();

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
