// Small helpers shared by Orvex's unit and end-to-end tests.
#pragma once

#include <windows.h>

#include <string>

#include "KelvoraTestSupport.h"
#include "UiScript.h"   // PumpUntil

inline std::string DirectoryOf(const std::string &path)
{
    size_t n = path.find_last_of('\\');
    return n == std::string::npos ? std::string(".") : path.substr(0, n);
}

// Registers a class of this program with the default window procedure, standing in for a
// window of another program; FALSE when the name is taken.
inline bool RegisterPlainClass(const char *pszClassName)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = pszClassName;
    return RegisterClassA(&wc) != 0;
}

// Top-level windows of class "Voldlg" titled "Orvex Window", in any process.
inline int CountOrvexWindows()
{
    return CountWindows("Voldlg", "Orvex Window");
}
