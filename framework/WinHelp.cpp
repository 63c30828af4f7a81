#include "WinHelp.h"

namespace {

WinHelpHook g_pfnWinHelpHook = nullptr;

}  // namespace

BOOL FrameworkWinHelp(HWND hWndMain, const char* pszHelp, UINT uCommand, ULONG_PTR dwData)
{
    if (g_pfnWinHelpHook)
        return g_pfnWinHelpHook(hWndMain, pszHelp, uCommand, dwData);
    return WinHelpA(hWndMain, pszHelp, uCommand, dwData);
}

WinHelpHook SetWinHelpHook(WinHelpHook pfnHook)
{
    WinHelpHook pfnPrevious = g_pfnWinHelpHook;
    g_pfnWinHelpHook = pfnHook;
    return pfnPrevious;
}
