// Pallum.cpl end to end: Wine's own Control Panel host (control.exe) runs the applet with
// the Mirrend and Quorlat stand-ins, driven from this process by window messages. What needs
// pointers (tab titles) is asked of a host in this process that loads the .cpl and calls
// CPlApplet as control.exe does.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "UiScript.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "KELVORA Controls Properties";
// The stand-in keeps its records here for these tests (instead of the maker's base key).
const char kMirrendRoot[] = "HKCU\\Software\\KelvoraE2E\\Pallum";
const char kGeneralKey[] = "Software\\KelvoraE2E\\Pallum\\Settings\\General";
const int ID_APPLY = 0x3021;
const int ID_EXT_RECEIVER = 4098;

std::string FileName(const std::string& path)
{
    return path.substr(path.find_last_of('\\') + 1);
}

// The visible top-level window with this title, waited for.
HWND WaitWindow(const char* pszTitle)
{
    return WaitForWindow(nullptr, pszTitle, 30000, true);
}

DWORD ReadExtReceiver()
{
    DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue);
    RegGetValueA(HKEY_CURRENT_USER, kGeneralKey, "ExtReceiver", RRF_RT_REG_DWORD, nullptr, &dwValue, &cb);
    return dwValue;
}

void WriteExtReceiver(DWORD dwValue)
{
    SetRegDword(HKEY_CURRENT_USER, kGeneralKey, "ExtReceiver", dwValue);
}

class AppletE2e : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_pallum = BuildPath("KELVORA_PALLUM");
        s_mirrend = BuildPath("KELVORA_MIRREND");
        s_quorlat = BuildPath("KELVORA_QUORLAT");
        ASSERT_FALSE(s_pallum.empty());
        // The installed layout: the applet and its settings library side by side.
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        s_dir = std::string(szTemp) + "kelvora-e2e-applet-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(s_dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(s_pallum.c_str(), (s_dir + "\\Pallum.cpl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(s_mirrend.c_str(), (s_dir + "\\" + FileName(s_mirrend)).c_str(), FALSE));
        // The maker's registry set-up, with the stand-in's records in a scratch key.
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"", "");
        ASSERT_EQ(0, regedit.Wait(60000));
        s_pRecords = new CRegistryScratch(HKEY_CURRENT_USER, "Software\\KelvoraE2E");
        DeleteRegKey(HKEY_CURRENT_USER, "Software\\KelvoraE2E");
        SetEnvironmentVariableA("MIRREND_ROOT", kMirrendRoot);
        s_pQuorlat = new CProcess("\"" + s_quorlat + "\"", "");
        ASSERT_NE(nullptr, WaitWindow("Quorlat"));
        s_nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    }

    static void TearDownTestSuite()
    {
        if (HWND hQuorlat = FindWindowA(nullptr, "Quorlat"))
            PostMessageA(hQuorlat, WM_CLOSE, 0, 0);
        if (s_pQuorlat)
            s_pQuorlat->Wait(10000);
        delete s_pQuorlat;
        s_pQuorlat = nullptr;
        DeleteFileA((s_dir + "\\Pallum.cpl").c_str());
        DeleteFileA((s_dir + "\\" + FileName(s_mirrend)).c_str());
        RemoveDirectoryA(s_dir.c_str());
        delete s_pRecords;
        s_pRecords = nullptr;
    }

    void SetUp() override { ASSERT_EQ(nullptr, FindWindowA(nullptr, kCaption)) << "a sheet is still open"; }

    // Starts control.exe with the installed applet.
    static CProcess* StartControl(const char* pszArgs = "")
    {
        return new CProcess("control.exe \"" + s_dir + "\\Pallum.cpl\"" + pszArgs, s_dir);
    }

    // Quorlat's count; wParam 1 also resets it.
    static LRESULT QuorlatCount(bool bReset = false)
    {
        return SendMessageA(FindWindowA(nullptr, "Quorlat"), s_nQuery, bReset ? 1 : 0, 0);
    }


    // The sheet's RC page (the last tab), shown.
    static HWND ShowRcPage(HWND hSheet)
    {
        HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
        const int nTabs = static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
        SendMessageA(hSheet, PSM_SETCURSEL, nTabs - 1, 0);
        return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    static std::string s_pallum, s_mirrend, s_quorlat, s_dir;
    static CProcess* s_pQuorlat;
    static CRegistryScratch* s_pRecords;   // the stand-in's records, gone after the suite
    static UINT s_nQuery;
};

std::string AppletE2e::s_pallum, AppletE2e::s_mirrend, AppletE2e::s_quorlat, AppletE2e::s_dir;
CProcess* AppletE2e::s_pQuorlat = nullptr;
CRegistryScratch* AppletE2e::s_pRecords = nullptr;
UINT AppletE2e::s_nQuery = 0;

TEST_F(AppletE2e, SheetOpensAndASecondStartOnlyBringsItForward)
{
    std::unique_ptr<CProcess> first(StartControl());
    HWND hSheet = WaitWindow(kCaption);
    ASSERT_NE(nullptr, hSheet);
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(nullptr, hTab);
    // Every page is on: at least Buttons, Sub LCD, Application mode and RC are built.
    EXPECT_GE(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_NE(0, GetWindowLongA(hSheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    std::unique_ptr<CProcess> second(StartControl());
    EXPECT_EQ(0, second->Wait(30000)) << "the second start must return at once";
    EXPECT_EQ(1, CountWindows(nullptr, kCaption, true));
    EXPECT_EQ(hSheet, FindWindowA(nullptr, kCaption));

    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_EQ(0, first->Wait(30000));
}

TEST_F(AppletE2e, ApplyOnTheRcPageWritesAndTellsQuorlatOnceCancelNothingMore)
{
    WriteExtReceiver(0);
    QuorlatCount(true);
    std::unique_ptr<CProcess> control(StartControl());
    HWND hSheet = WaitWindow(kCaption);
    ASSERT_NE(nullptr, hSheet);
    HWND hPage = ShowRcPage(hSheet);
    ASSERT_NE(nullptr, hPage);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(hPage, ID_EXT_RECEIVER, BM_GETCHECK, 0, 0));
    SendDlgItemMessageA(hPage, ID_EXT_RECEIVER, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, ID_APPLY)));
    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    const ULONGLONG start = GetTickCount64();
    while (QuorlatCount() < 1 && GetTickCount64() - start < 10000)
        Sleep(20);
    EXPECT_EQ(1u, ReadExtReceiver());
    // Cleared again, then Cancel: nothing more is written or posted.
    SendDlgItemMessageA(hPage, ID_EXT_RECEIVER, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(hPage, ID_EXT_RECEIVER, BM_GETCHECK, 0, 0));
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_EQ(0, control->Wait(30000));
    EXPECT_EQ(1u, ReadExtReceiver());
    EXPECT_EQ(1, QuorlatCount());
}

// ---- In this process, as control.exe calls the applet ------------------------------------

struct HostRun {
    APPLET_PROC pfnApplet = nullptr;
    LONG nInit = -1, nCount = -1, nInquire = -1, nDblClk = -1;
    CPLINFO info = {};
};

void Host(HostRun* pRun)
{
    pRun->nInit = pRun->pfnApplet(nullptr, CPL_INIT, 0, 0);
    pRun->nCount = pRun->pfnApplet(nullptr, CPL_GETCOUNT, 0, 0);
    pRun->nInquire = pRun->pfnApplet(nullptr, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&pRun->info));
    pRun->nDblClk = pRun->pfnApplet(nullptr, CPL_DBLCLK, 0, 0);
    pRun->pfnApplet(nullptr, CPL_STOP, 0, 0);
    pRun->pfnApplet(nullptr, CPL_EXIT, 0, 0);
}

TEST_F(AppletE2e, HostedInThisProcessShowsTheTabsInOrder)
{
    HMODULE hApplet = LoadLibraryExA((s_dir + "\\Pallum.cpl").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(nullptr, hApplet);
    HostRun run;
    run.pfnApplet = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(hApplet, "CPlApplet")));
    ASSERT_NE(nullptr, run.pfnApplet);
    HWND hSheet = nullptr;
    std::vector<std::string> tabs;
    UiScript script(30000);
    script.Then(OnWindow(kCaption, [&](HWND hWnd) {
        hSheet = hWnd;
        tabs = TabTitles(hSheet);
        PressSheetButton(hSheet, PSBTN_CANCEL);
    }));
    script.Start();
    Host(&run);
    EXPECT_FALSE(script.TimedOut());
    FreeLibrary(hApplet);

    ASSERT_NE(nullptr, hSheet);
    EXPECT_EQ(1, run.nInit);
    EXPECT_EQ(1, run.nCount);
    EXPECT_EQ(0, run.nInquire);
    EXPECT_EQ(5078, run.info.idIcon);
    EXPECT_EQ(0, run.nDblClk);
    // With every page on, the pages built so far, in tab order.
    ASSERT_GE(tabs.size(), 3u);
    EXPECT_EQ("Buttons", tabs.front());
    EXPECT_EQ("Application mode", tabs[tabs.size() - 2]);
    EXPECT_EQ("RC", tabs.back());
}

}  // namespace
