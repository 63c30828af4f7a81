#include "AppModule.h"

#include "ThreadSlot.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// This module's application object (one per module: each module links its own framework).
CWinApp* g_pApp = nullptr;

// A thread's current context. Until a guard sets it, the thread is in the main program's
// context, as the host that called us sees things.
struct ModuleState {
    HINSTANCE hModule;
    CWinApp* pApp;
};
// Per thread: the context's module (null until a guard sets one) and its application object.
constinit CThreadSlot t_hModule;
constinit CThreadSlot t_pApp;

CWinApp* AppOfModule(HINSTANCE hModule)
{
    return hModule == AfxGetStaticModuleHandle() ? g_pApp : nullptr;
}

ModuleState CurrentState()
{
    if (void* hModule = t_hModule.Get())
        return {static_cast<HINSTANCE>(hModule), static_cast<CWinApp*>(t_pApp.Get())};
    HINSTANCE hMain = GetModuleHandleA(nullptr);
    return {hMain, AppOfModule(hMain)};
}

void SetState(HINSTANCE hModule, CWinApp* pApp)
{
    t_hModule.Set(hModule);
    t_pApp.Set(pApp);
}

CString ModuleBaseName(HINSTANCE hModule)
{
    char szPath[MAX_PATH + 1] = {};
    const DWORD nLength = GetModuleFileNameA(hModule, szPath, MAX_PATH);
    szPath[nLength < MAX_PATH ? nLength : MAX_PATH] = '\0';
    CString strName(szPath);
    const int nSlash = strName.ReverseFind('\\');
    strName = strName.Mid(nSlash + 1);
    const int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

}  // namespace

CWinApp::CWinApp(const char* pszAppName) : m_pszAppName(nullptr), m_hInstance(AfxGetStaticModuleHandle())
{
    m_strAppName = pszAppName ? CString(pszAppName) : ModuleBaseName(m_hInstance);
    m_pszAppName = m_strAppName.GetString();
    if (!g_pApp)
        g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

CWinApp* AfxGetApp()
{
    return CurrentState().pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    return CurrentState().hModule;
}

const char* AfxGetAppName()
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->m_pszAppName;
    static const CString s_strModuleName = ModuleBaseName(AfxGetStaticModuleHandle());
    return s_strModuleName.GetString();
}

HINSTANCE AfxGetStaticModuleHandle()
{
    // The image this code is linked into: the module the framework belongs to.
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

BOOL AfxDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID /*pvReserved*/)
{
    if (dwReason != DLL_PROCESS_ATTACH && dwReason != DLL_PROCESS_DETACH)
        return TRUE;
    CModuleContext context(hInstance);
    CWinApp* pApp = AppOfModule(hInstance);
    if (!pApp)
        return TRUE;
    if (dwReason == DLL_PROCESS_ATTACH) {
        pApp->m_hInstance = hInstance;
        return pApp->InitInstance();
    }
    pApp->ExitInstance();
    return TRUE;
}

CModuleContext::CModuleContext(HINSTANCE hModule)
{
    const ModuleState previous = CurrentState();
    m_hPrevModule = previous.hModule;
    m_pPrevApp = previous.pApp;
    SetState(hModule, AppOfModule(hModule));
}

CModuleContext::~CModuleContext()
{
    SetState(m_hPrevModule, m_pPrevApp);
}
