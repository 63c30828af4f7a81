// The DLL entry glue of Pallum.cpl: the one application object, the attach/detach hand-over
// and the binding of the settings library. Everything else lives in kelvora_applet, which the
// tests link as well.
#include "PallumApp.h"

#include <delayimp.h>

CPallumApp theApp;

namespace {

// Mirrend.dll is bound late (a delay-load import) to the copy beside Pallum.cpl: this build's
// C++ names are exported by no other, and a Control Panel host searches its own folders, not
// the applet's, so a Mirrend.dll of the system folder would otherwise be taken.
const char MIRREND_DLL[] = "Mirrend.dll";
// One of those names: a library without it is not ours, and the applet declines to start
// rather than fail at its first call.
const char MIRREND_SENTINEL[] = "_ZN11CRegManager32ReadSettingGeneralSettingManagerER22CGeneralSettingManager";
HMODULE g_hMirrend = nullptr;

FARPROC WINAPI OnDelayLoad(unsigned nNotify, PDelayLoadInfo pInfo)
{
    if (nNotify == dliNotePreLoadLibrary && lstrcmpiA(pInfo->szDll, MIRREND_DLL) == 0)
        return reinterpret_cast<FARPROC>(g_hMirrend);
    return nullptr;
}

BOOL BindSettingsLibrary()
{
    if (g_hMirrend)
        return TRUE;
    char szPath[MAX_PATH];
    const DWORD cch = GetModuleFileNameA(AfxGetStaticModuleHandle(), szPath, sizeof(szPath));
    char* pszName = cch && cch < sizeof(szPath) ? strrchr(szPath, '\\') : nullptr;
    if (!pszName || static_cast<size_t>(pszName + 1 - szPath) + sizeof(MIRREND_DLL) > sizeof(szPath))
        return FALSE;
    lstrcpyA(pszName + 1, MIRREND_DLL);
    HMODULE hMirrend = LoadLibraryExA(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (hMirrend && !GetProcAddress(hMirrend, MIRREND_SENTINEL)) {
        FreeLibrary(hMirrend);
        hMirrend = nullptr;
    }
    g_hMirrend = hMirrend;
    return g_hMirrend != nullptr;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pvReserved)
{
    g_pfnBindSettingsLibrary = &BindSettingsLibrary;
    return AfxDllMain(hInstance, dwReason, pvReserved);
}

PfnDliHook __pfnDliNotifyHook2 = OnDelayLoad;
