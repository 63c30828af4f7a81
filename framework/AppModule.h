// The application object and the module context.
//
// Each module (the applet DLL, a test program) links its own copy of the framework. A
// thread's module context names the module whose resources are looked up
// (AfxGetResourceHandle) and the application object that is current (AfxGetApp). Outside
// any CModuleContext it is the process's main program, as a host would see it; an exported
// entry of a DLL therefore opens its body with
//
//     CModuleContext context(AfxGetStaticModuleHandle());
//
// and the caller's context comes back when the guard goes out of scope, also on early
// returns.
//
// A DLL hands its attach and detach to the framework from its DllMain:
//
//     extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pvReserved)
//     {
//         return AfxDllMain(hInstance, dwReason, pvReserved);
//     }
//
// The application object is one static instance of a CWinApp subclass; it is constructed
// with the library (before DllMain), and AfxDllMain runs its InitInstance in the module's
// context on DLL_PROCESS_ATTACH (FALSE fails the load) and ExitInstance on detach.
#pragma once

#include <windows.h>

#include "CString.h"

class CWinApp {
public:
    // pszAppName null: the module's file name without its extension, taken at attach.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once when the module attaches; the base returns TRUE.
    virtual BOOL InitInstance();
    // Called once when the module detaches; the base returns 0.
    virtual int ExitInstance();

    const char* m_pszAppName;   // never null once the module attached
    HINSTANCE m_hInstance;      // the module holding this object; set at attach

private:
    CString m_strAppName;
};

// The current context's application object; null when the current module has none.
CWinApp* AfxGetApp();
// The current context's module, which holds the resources.
HINSTANCE AfxGetResourceHandle();
// The application's name for prompts: the app object's name, else the module's file name.
const char* AfxGetAppName();

// The module this copy of the framework is linked into (the DLL itself inside a DLL).
HINSTANCE AfxGetStaticModuleHandle();

// DLL attach/detach: see above. Other reasons return TRUE.
BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pvReserved);

// Makes hModule the thread's current module context (resources; its application object if
// it is this framework's own module), restoring the previous context on destruction.
// Guards nest. Not copyable, not movable: it belongs to one scope.
class CModuleContext {
public:
    explicit CModuleContext(HINSTANCE hModule);
    ~CModuleContext();
    CModuleContext(const CModuleContext&) = delete;
    CModuleContext& operator=(const CModuleContext&) = delete;

private:
    HINSTANCE m_hPrevModule;
    CWinApp* m_pPrevApp;
};
