// The indicator icons' telling colours, for the unit and end-to-end tests of Hushwell: the
// sound icon has blue waves and a yellow cone, the mute icon a mid-grey speaker box and
// neither colour.
#pragma once

#include "Pixels.h"

struct IconColours {
    int blue = 0, yellow = 0, grey = 0;

    explicit IconColours(const CPixels& pixels)
    {
        for (COLORREF p : pixels.px) {
            const BYTE r = GetRValue(p), g = GetGValue(p), b = GetBValue(p);
            blue += b > 0xC0 && r < 0x40 && g < 0x40;
            yellow += r > 0xC0 && g > 0xC0 && b < 0x40;
            grey += r == g && g == b && r >= 0x70 && r <= 0x90;
        }
    }
    bool Sound() const { return blue > 50 && yellow > 50; }
    bool Muted() const { return blue == 0 && yellow == 0 && grey > 100; }
};
