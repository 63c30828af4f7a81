#include "AppModule.h"

namespace {

// This module's application object (one per module: each module links its own framework).
CWinApp* g_pApp = nullptr;

// A thread's current context. Until a guard sets it, the thread is in the main program's
// context, as the host that called us sees things.
struct ModuleState {
    bool bSet;
    HINSTANCE hModule;
    CWinApp* pApp;
};
thread_local ModuleState t_state = {false, nullptr, nullptr};

CWinApp* AppOfModule(HINSTANCE hModule)
{
    return hModule == AfxGetStaticModuleHandle() ? g_pApp : nullptr;
}

ModuleState CurrentState()
{
    if (t_state.bSet)
        return t_state;
    HINSTANCE hMain = GetModuleHandleA(nullptr);
    return {true, hMain, AppOfModule(hMain)};
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
    // The module that contains this function's code is the module the framework is linked into.
    static const HINSTANCE s_hModule = [] {
        HMODULE hModule = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<const char*>(&AfxGetStaticModuleHandle), &hModule);
        return static_cast<HINSTANCE>(hModule);
    }();
    return s_hModule;
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
    t_state = {true, hModule, AppOfModule(hModule)};
}

CModuleContext::~CModuleContext()
{
    t_state = {true, m_hPrevModule, m_pPrevApp};
}
