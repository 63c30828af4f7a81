// A library built on the framework, as the applet is: an application object, DllMain handing
// attach and detach to the framework, and an exported entry that switches the module context.
#include "Framework.h"
#include "resource.h"
#include "TestDll.h"

namespace {

int g_nInitCount = 0;
HINSTANCE g_hInitResource = nullptr;
BOOL g_bInitAppCurrent = FALSE;

class CTestLibraryApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        ++g_nInitCount;
        g_hInitResource = AfxGetResourceHandle();
        g_bInitAppCurrent = AfxGetApp() == this;
        return CWinApp::InitInstance();
    }
};

CTestLibraryApp theApp;

void Copy(char* pszDest, size_t nSize, const char* pszSource)
{
    lstrcpynA(pszDest, pszSource, static_cast<int>(nSize));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pvReserved)
{
    return AfxDllMain(hInstance, dwReason, pvReserved);
}

extern "C" __declspec(dllexport) void ProbeEntry(ModuleProbe* pProbe)
{
    pProbe->hStatic = AfxGetStaticModuleHandle();
    pProbe->hResourceBefore = AfxGetResourceHandle();
    pProbe->bAppBefore = AfxGetApp() == &theApp;
    {
        CModuleContext context(AfxGetStaticModuleHandle());
        pProbe->hResourceInside = AfxGetResourceHandle();
        pProbe->bAppInside = AfxGetApp() == &theApp;
        CString strWho;
        strWho.LoadString(IDS_WHO);
        Copy(pProbe->szWho, sizeof(pProbe->szWho), strWho);
        Copy(pProbe->szAppName, sizeof(pProbe->szAppName), AfxGetAppName());
    }
    pProbe->hResourceAfter = AfxGetResourceHandle();
    pProbe->bAppAfter = AfxGetApp() == &theApp;
    pProbe->nInitCount = g_nInitCount;
    pProbe->hInitResource = g_hInitResource;
    pProbe->bInitAppCurrent = g_bInitAppCurrent;
}
