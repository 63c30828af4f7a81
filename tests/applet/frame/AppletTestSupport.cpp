#include "TestSupport.h"

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

std::vector<HelpCall> g_helpCalls;

BOOL RecordHelp(HWND hWndMain, const char* pszHelp, UINT uCommand, ULONG_PTR dwData)
{
    HelpCall call = { hWndMain, pszHelp ? pszHelp : "", uCommand, {} };
    if (const DWORD* p = reinterpret_cast<const DWORD*>(dwData)) {
        for (;; p += 2) {
            call.table.push_back(p[0]);
            call.table.push_back(p[1]);
            if (p[0] == 0 && p[1] == 0)
                break;
        }
    }
    g_helpCalls.push_back(call);
    return TRUE;
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

// ---- Registry ----------------------------------------------------------------------

CScopedRegKey::CScopedRegKey(HKEY hRoot, const char* pszPath)
    : m_hRoot(hRoot)
    , m_strPath(pszPath)
    , m_hKey(nullptr)
{
    RegDeleteTreeA(hRoot, pszPath);
    RegCreateKeyExA(hRoot, pszPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
}

CScopedRegKey::~CScopedRegKey()
{
    if (m_hKey)
        RegCloseKey(m_hKey);
    RegDeleteTreeA(m_hRoot, m_strPath.c_str());
}

void CScopedRegKey::SetValue(const char* pszName, DWORD dwType, const void* pData, DWORD cbData)
{
    RegSetValueExA(m_hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cbData);
}

void CScopedRegKey::SetDword(const char* pszName, DWORD dwValue)
{
    SetValue(pszName, REG_DWORD, &dwValue, sizeof(dwValue));
}

void CScopedRegKey::SetString(const char* pszName, const char* pszValue, DWORD dwType)
{
    SetValue(pszName, dwType, pszValue, static_cast<DWORD>(strlen(pszValue) + 1));
}

namespace {

const char* const kPageValues[PAGE_COUNT] = { "GPBtn", "Media", "ModePanel", "AppMode", "Remocon" };

// flags[i] < 0: the value is removed.
void WritePageFlags(HKEY hKey, const int (&flags)[PAGE_COUNT])
{
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (flags[i] < 0) {
            RegDeleteValueA(hKey, kPageValues[i]);
        } else {
            const DWORD dwValue = static_cast<DWORD>(flags[i]);
            RegSetValueExA(
                hKey, kPageValues[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
        }
    }
}

} // namespace

CPageSetOverride::CPageSetOverride(const int (&flags)[PAGE_COUNT])
    : m_saved()
    , m_bKeyExisted(false)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        m_bKeyExisted = true;
        for (int i = 0; i < PAGE_COUNT; ++i) {
            BYTE data[256];
            DWORD cb = sizeof(data), dwType = 0;
            if (RegQueryValueExA(hKey, kPageValues[i], nullptr, &dwType, data, &cb) == ERROR_SUCCESS)
                m_saved[i] = { true, dwType, std::vector<BYTE>(data, data + cb) };
        }
        RegCloseKey(hKey);
    }
    RegCreateKeyExA(
        HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    WritePageFlags(hKey, flags);
    RegCloseKey(hKey);
}

CPageSetOverride::~CPageSetOverride()
{
    if (!m_bKeyExisted) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY);
        return;
    }
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (m_saved[i].bPresent)
            RegSetValueExA(hKey, kPageValues[i], 0, m_saved[i].dwType, m_saved[i].data.data(),
                static_cast<DWORD>(m_saved[i].data.size()));
        else
            RegDeleteValueA(hKey, kPageValues[i]);
    }
    RegCloseKey(hKey);
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
    , m_pSheet(nullptr)
    , m_pGeneral(nullptr)
{
}

CTestPage::~CTestPage()
{
    PageLog().push_back("Delete " + std::to_string(m_nPage));
}

BOOL CTestPage::Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral)
{
    PageLog().push_back("Init " + std::to_string(m_nPage));
    m_pSheet = pSheet;
    m_pGeneral = pGeneral;
    return m_bInitResult && pSheet && pGeneral;
}

BOOL CTestPage::SaveSettings()
{
    PageLog().push_back("Save " + std::to_string(m_nPage));
    return TRUE;
}

BOOL CTestPage::OnApply()
{
    m_pSheet->ApplyAllPages(this);
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
    CScopedRegKey key(HKEY_CURRENT_USER, kTestPagesKey);
    WritePageFlags(key.Key(), flags);
    GetPageSet().ReadPageSet(HKEY_CURRENT_USER, kTestPagesKey);
    return BuildPages();
}

INT_PTR CTestSheet::Run(const std::function<void(CModalDriver&, HWND)>& drive)
{
    CModalDriver driver;
    return driver.RunWindow([this] { return DoModal(); }, TEST_SHEET_CAPTION, drive);
}

// ---- Help ---------------------------------------------------------------------------

CHelpRecorder::CHelpRecorder()
{
    g_helpCalls.clear();
    SetWinHelpHook(RecordHelp);
}

CHelpRecorder::~CHelpRecorder()
{
    SetWinHelpHook(nullptr);
}

std::vector<HelpCall>& CHelpRecorder::Calls()
{
    return g_helpCalls;
}

LRESULT SendHelp(HWND hWnd, HWND hDlg, int nID)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = nID;
    info.hItemHandle = GetDlgItem(hDlg, nID);
    return SendMessageA(hWnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

void AppletTest::SetUp()
{
    FakeMirrend::Reset();
    PageLog().clear();
    ServicesLog().clear();
}
