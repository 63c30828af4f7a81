// The bitmap banner across the top of the sheet: a left part, middle tiles and a right part,
// all of one height, in a band the sheet's controls make room for.
#pragma once

#include <windows.h>

// Moves the tab control and the OK, Cancel and Apply buttons down by nHeight pixels and makes
// the sheet that much taller. FALSE (nothing changed) when there is no tab control.
BOOL LayoutForBanner(HWND hSheet, int nHeight);
// Height of a bitmap of the current resource module; 0 if it cannot be loaded.
int GetBitmapHeight(UINT nBitmapId);
// The banner across the top of a client area whose right edge is nRight.
void DrawBanner(HDC hDC, int nRight);
// One banner part at (x, 0); *pNextX = x + its width. FALSE, drawing nothing, when the bitmap
// cannot be loaded, described or selected.
BOOL DrawBannerBitmap(HDC hDC, UINT nBitmapId, int x, int* pNextX);
