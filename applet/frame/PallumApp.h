// The Control Panel entry of Pallum.cpl and its application object.
#pragma once

#include <windows.h>
#include <cpl.h>

#include "AppModule.h"
#include "Mirrend.h"

// "WM_KELVORA_SERVICES", registered by the application object; posted after each save.
extern UINT g_nServicesMessage;

// One per load of the library: registers the services message, reads the general settings
// (at CPL_INIT, the host's first call: the settings library is bound then, never while the
// system loader runs this library's start-up).
class CPallumApp : public CWinApp {
public:
    CPallumApp();

    BOOL InitInstance() override;
    void ReadGeneralSettings();

    CGeneralSettingManager m_general;
};

// Set by the DLL glue: binds the settings library Pallum.cpl carries; FALSE when it cannot be,
// and the applet then declines CPL_INIT. Null where the library is linked in (tests).
extern BOOL (*g_pfnBindSettingsLibrary)();

// The command line asks for the sheet's third page: from its last '/' to its end it reads
// "/s" (any case).
BOOL IsStartPageCommandLine(const char* pszCommandLine);

// The applet's only export.
extern "C" LONG APIENTRY CPlApplet(HWND hwndCPl, UINT uMsg, LPARAM lParam1, LPARAM lParam2);
