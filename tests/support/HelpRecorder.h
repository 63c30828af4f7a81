// Context help requests seen through the framework's help seam, and the WM_HELP that asks
// for them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct HelpCall {
    HWND hItem;
    std::string strFile;
    UINT uCommand;
    std::vector<DWORD> table;   // the (id, context) pairs up to and including 0, 0
};

// Records every help call while it lives; Calls() starts empty.
class CHelpRecorder {
public:
    CHelpRecorder();
    ~CHelpRecorder();
    CHelpRecorder(const CHelpRecorder&) = delete;
    CHelpRecorder& operator=(const CHelpRecorder&) = delete;

    static std::vector<HelpCall>& Calls();
};

// Sends WM_HELP to hWnd as the system does for control nID of hDlg; returns the result.
LRESULT SendHelp(HWND hWnd, HWND hDlg, int nID);
