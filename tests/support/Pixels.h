// Reading pixels: what a drawing makes of a memory surface, or what a window shows on screen.
#pragma once

#include <windows.h>

#include <vector>

// A picture's pixels, top row first.
struct CPixels {
    int nWidth = 0, nHeight = 0;
    std::vector<COLORREF> px;

    COLORREF At(int x, int y) const { return px[y * nWidth + x]; }
    // How many pixels of the rectangle [x0, x1) x [y0, y1) (the whole picture) are c.
    int Count(COLORREF c, int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += At(x, y) == c;
        return n;
    }
    int Count(COLORREF c) const { return Count(c, 0, 0, nWidth, nHeight); }
};

// What paint(HDC) draws into a w x h 32-bit surface that starts black.
template <typename Paint>
CPixels PixelsOf(int w, int h, Paint paint)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    paint(dc);
    GdiFlush();
    CPixels pixels;
    pixels.nWidth = w;
    pixels.nHeight = h;
    for (const DWORD* p = static_cast<const DWORD*>(bits); p != static_cast<const DWORD*>(bits) + w * h; ++p)
        pixels.px.push_back(RGB((*p >> 16) & 0xFF, (*p >> 8) & 0xFF, *p & 0xFF));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// What is on screen in rc of hWnd's client area (hWnd null: rc of the screen), once the window
// has painted what it has pending.
inline CPixels ScreenPixels(HWND hWnd, const RECT& rc)
{
    if (hWnd)
        RedrawWindow(hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return PixelsOf(rc.right - rc.left, rc.bottom - rc.top, [&](HDC dc) {
        HDC screen = GetDC(hWnd);
        BitBlt(dc, 0, 0, rc.right - rc.left, rc.bottom - rc.top, screen, rc.left, rc.top, SRCCOPY);
        ReleaseDC(hWnd, screen);
    });
}
inline COLORREF ScreenPixel(HWND hWnd, int x, int y)
{
    return ScreenPixels(hWnd, RECT{x, y, x + 1, y + 1}).At(0, 0);
}
