/* The floors for bench/applet-open.sh: a minimal Control Panel applet whose double-click runs
 * a one-page property sheet "Bench Applet" (its page from an in-memory dialog template).
 * Built with BENCH_SAME_PAGE (and Pallum's manifest as resource 123, so it gets the same
 * themed common controls) it runs "Bench Page" instead, whose one page is Pallum's first
 * page template, taken from Pallum.cpl loaded as data: the same controls without their logic. */
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include <prsht.h>

static HINSTANCE module;

static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)hwnd;
    (void)wParam;
    (void)lParam;
    return message == WM_INITDIALOG;
}

static void RunSheet(HWND parent)
{
#ifdef BENCH_SAME_PAGE
    HMODULE pallum = LoadLibraryExA("Pallum.cpl", NULL, LOAD_LIBRARY_AS_DATAFILE);
#endif
#ifndef BENCH_SAME_PAGE
    /* DLGTEMPLATE, then empty menu, class and title. */
    static const struct {
        DLGTEMPLATE dlg;
        WORD menu, cls, title;
    } page = {{WS_CHILD | WS_CAPTION, 0, 0, 0, 0, 220, 140}, 0, 0, 0};
#endif
    PROPSHEETPAGEA psp;
    PROPSHEETHEADERA psh;
    HPROPSHEETPAGE pages[1];
    ZeroMemory(&psp, sizeof psp);
    psp.dwSize = sizeof psp;
#ifdef BENCH_SAME_PAGE
    psp.dwFlags = PSP_USETITLE;
    psp.hInstance = pallum;
    psp.pszTemplate = MAKEINTRESOURCEA(5210);
#else
    psp.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    psp.hInstance = module;
    psp.pResource = &page.dlg;
#endif
    psp.pszTitle = "Page";
    psp.pfnDlgProc = PageProc;
    pages[0] = CreatePropertySheetPageA(&psp);
    ZeroMemory(&psh, sizeof psh);
    psh.dwSize = sizeof psh;
    psh.hwndParent = parent;
    psh.hInstance = module;
#ifdef BENCH_SAME_PAGE
    psh.pszCaption = "Bench Page";
#else
    psh.pszCaption = "Bench Applet";
#endif
    psh.nPages = 1;
    psh.phpage = pages;
    PropertySheetA(&psh);
#ifdef BENCH_SAME_PAGE
    if (pallum)
        FreeLibrary(pallum);
#endif
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        module = instance;
    return TRUE;
}

__declspec(dllexport) LONG APIENTRY CPlApplet(HWND hwnd, UINT message, LPARAM lParam1, LPARAM lParam2)
{
    (void)lParam1;
    switch (message) {
    case CPL_INIT:
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        CPLINFO *info = (CPLINFO *)lParam2;
        info->idIcon = 0;
        info->idName = 0;
        info->idInfo = 0;
        return 0;
    }
    case CPL_DBLCLK:
        RunSheet(hwnd);
        return 0;
    default:
        return 0;
    }
}
