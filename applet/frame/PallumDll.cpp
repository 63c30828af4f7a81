// The DLL entry glue of Pallum.cpl: the one application object and the attach/detach
// hand-over. Everything else lives in kelvora_applet, which the tests link as well.
#include "PallumApp.h"

CPallumApp theApp;

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pvReserved)
{
    return AfxDllMain(hInstance, dwReason, pvReserved);
}
