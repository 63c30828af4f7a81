// Reading what an icon or a window shows, for the unit and end-to-end tests of Hushwell.
#pragma once

#include <windows.h>

#include <vector>

// The pixels (0x00RRGGBB, top row first) of a w x h picture that paint draws into a DC.
template <typename Paint>
std::vector<DWORD> PixelsOf(int w, int h, Paint paint)
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
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + w * h);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// The icons' telling colours: the sound icon has blue waves and a yellow cone, the mute icon
// a mid-grey speaker box and neither colour.
struct IconColours {
    int blue = 0, yellow = 0, grey = 0;

    explicit IconColours(const std::vector<DWORD>& pixels)
    {
        for (DWORD p : pixels) {
            BYTE r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            blue += b > 0xC0 && r < 0x40 && g < 0x40;
            yellow += r > 0xC0 && g > 0xC0 && b < 0x40;
            grey += r == g && g == b && r >= 0x70 && r <= 0x90;
        }
    }
    bool Sound() const { return blue > 50 && yellow > 50; }
    bool Muted() const { return blue == 0 && yellow == 0 && grey > 100; }
};
