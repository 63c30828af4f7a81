#include "AppletTestSupport.h"

#include "FakeMirrend.h"
#include "PallumApp.h"
#include "resource.h"

// ---- Button program stand-ins ---------------------------------------------------------

namespace {

const char kCatcherClass[] = "KelvoraTestServicesCatcher";

LRESULT CALLBACK CatcherProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_nServicesMessage && message != 0 && wParam == 0 && lParam == 0) {
        char szTitle[64] = "";
        GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
        ServicesLog().push_back(szTitle);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

std::vector<std::string>& ServicesLog()
{
    static std::vector<std::string> s_log;
    return s_log;
}

CServicesCatcher::CServicesCatcher(const char* pszTitle)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CatcherProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kCatcherClass;
    RegisterClassA(&wc);
    m_hWnd = CreateWindowA(
        kCatcherClass, pszTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

CServicesCatcher::~CServicesCatcher()
{
    DestroyWindow(m_hWnd);
}

// ---- Page set ------------------------------------------------------------------------

void WritePageSet(HKEY hRoot, const char* pszKey, const int (&flags)[PAGE_COUNT])
{
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (flags[i] < 0)
            DeleteRegValue(hRoot, pszKey, g_pallumPages[i].pszValueName);
        else
            SetRegDword(hRoot, pszKey, g_pallumPages[i].pszValueName, static_cast<DWORD>(flags[i]));
    }
}

CPageSetOverride::CPageSetOverride(const int (&flags)[PAGE_COUNT])
    : CRegistryScratch(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY)
{
    WritePageSet(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, flags);
}

// ---- Test pages and sheet -----------------------------------------------------------

std::vector<std::string>& PageLog()
{
    static std::vector<std::string> s_log;
    return s_log;
}

CTestPage::CTestPage(PallumPageId nPage, BOOL bInitResult)
    : CPallumPage(IDD_REMOCON_PAGE, IDS_TEST_TAB_FIRST + nPage)
    , m_nPage(nPage)
    , m_bInitResult(bInitResult)
{
}

CTestPage::~CTestPage()
{
    PageLog().push_back("Delete " + std::to_string(m_nPage));
}

BOOL CTestPage::Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral)
{
    PageLog().push_back("Init " + std::to_string(m_nPage));
    return CPallumPage::Init(pSheet, pGeneral) && m_bInitResult;
}

BOOL CTestPage::SaveSettings()
{
    PageLog().push_back("Save " + std::to_string(m_nPage));
    return TRUE;
}

const char TEST_SHEET_CAPTION[] = "Pallum sheet under test";

CTestSheet::CTestSheet(unsigned nTestPages, int nFailPage)
    : CPallumSheet(TEST_SHEET_CAPTION, nullptr, 0)
    , m_nTestPages(nTestPages)
    , m_nFailPage(nFailPage)
{
}

CPallumPage* CTestSheet::CreatePage(PallumPageId nPage)
{
    if (m_nTestPages & (1u << nPage))
        return new CTestPage(nPage, nPage != m_nFailPage);
    return CPallumSheet::CreatePage(nPage);
}

BOOL CTestSheet::BuildFromFlags(const int (&flags)[PAGE_COUNT])
{
    const char kTestPagesKey[] = "Software\\KelvoraTests\\Pages";
    CRegistryScratch key(HKEY_CURRENT_USER, kTestPagesKey, true);
    WritePageSet(HKEY_CURRENT_USER, kTestPagesKey, flags);
    GetPageSet().ReadPageSet(HKEY_CURRENT_USER, kTestPagesKey);
    return BuildPages();
}

INT_PTR CTestSheet::Run(std::vector<UiScript::Step> steps)
{
    UiScript script;
    script.Then([this] { return m_hWnd && ::IsWindowVisible(m_hWnd); });
    for (UiScript::Step& step : steps)
        script.Then(std::move(step));
    script.Start();
    const INT_PTR nResult = DoModal();
    PumpMessages();   // what the steps posted to this thread's other windows
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished()) << "the sheet closed before its steps were done";
    return nResult;
}

void AppletTest::SetUp()
{
    FakeMirrend::Reset();
    PageLog().clear();
    ServicesLog().clear();
}
