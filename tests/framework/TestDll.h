// What the framework test library reports from its exported entry.
#pragma once

#include <windows.h>

struct ModuleProbe {
    HINSTANCE hStatic;          // AfxGetStaticModuleHandle inside the library
    HINSTANCE hResourceBefore;  // before the entry's context guard
    HINSTANCE hResourceInside;
    HINSTANCE hResourceAfter;   // after the guard ended
    BOOL bAppBefore;            // AfxGetApp() was the library's app object
    BOOL bAppInside;
    BOOL bAppAfter;
    int nInitCount;             // InitInstance calls so far
    HINSTANCE hInitResource;    // resource module while InitInstance ran
    BOOL bInitAppCurrent;
    char szWho[64];             // string IDS_WHO as loaded inside the guard
    char szAppName[64];
};

// Exported by name from framework_testdll.dll.
using ProbeEntryProc = void (*)(ModuleProbe* pProbe);
