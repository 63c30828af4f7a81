// Every help request of the framework's users goes through FrameworkWinHelp, so tests can
// observe it: a hook, when set, receives the call instead of WinHelpA.
#pragma once

#include <windows.h>

using WinHelpHook = BOOL (*)(HWND hWndMain, const char* pszHelp, UINT uCommand, ULONG_PTR dwData);

// WinHelpA(hWndMain, pszHelp, uCommand, dwData), or the hook.
BOOL FrameworkWinHelp(HWND hWndMain, const char* pszHelp, UINT uCommand, ULONG_PTR dwData);
// Installs a hook (null: WinHelpA again); returns the previous one.
WinHelpHook SetWinHelpHook(WinHelpHook pfnHook);
