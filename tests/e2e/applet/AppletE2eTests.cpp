// Pallum.cpl end to end: Wine's own Control Panel host (control.exe) runs the applet with
// the Mirrend and Quorlat stand-ins, driven from this process by window messages. What needs
// pointers (tab titles) is asked of a host in this process that loads the .cpl and calls
// CPlApplet as control.exe does.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "InstalledApplet.h"
#include "resource.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "KELVORA Controls Properties";

// The visible top-level window with this title, waited for.
HWND WaitWindow(const char* pszTitle)
{
    return WaitForWindow(nullptr, pszTitle, 30000, true);
}

class AppletE2e : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_pApplet = new CInstalledApplet("Pallum"); }
    static void TearDownTestSuite()
    {
        delete s_pApplet;
        s_pApplet = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_pApplet->Ready());
        ASSERT_EQ(nullptr, FindWindowA(nullptr, kCaption)) << "a sheet is still open";
    }

    static DWORD ReadExtReceiver()
    {
        DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue);
        RegGetValueA(HKEY_CURRENT_USER, s_pApplet->SettingsKey("General").c_str(), "ExtReceiver", RRF_RT_REG_DWORD,
                     nullptr, &dwValue, &cb);
        return dwValue;
    }

    // The sheet's RC page (the last tab), shown.
    static HWND ShowRcPage(HWND hSheet)
    {
        HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
        const int nTabs = static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
        SendMessageA(hSheet, PSM_SETCURSEL, nTabs - 1, 0);
        return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    static CInstalledApplet* s_pApplet;
};

CInstalledApplet* AppletE2e::s_pApplet = nullptr;

TEST_F(AppletE2e, SheetOpensAndASecondStartOnlyBringsItForward)
{
    std::unique_ptr<CProcess> first(s_pApplet->StartControl());
    HWND hSheet = WaitWindow(kCaption);
    ASSERT_NE(nullptr, hSheet);
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(nullptr, hTab);
    // Every page is on: Buttons, Media Apps, Sub LCD, Application mode and RC.
    EXPECT_EQ(5, SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_NE(0, GetWindowLongA(hSheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    std::unique_ptr<CProcess> second(s_pApplet->StartControl());
    EXPECT_EQ(0, second->Wait(30000)) << "the second start must return at once";
    EXPECT_EQ(1, CountWindows(nullptr, kCaption, true));
    EXPECT_EQ(hSheet, FindWindowA(nullptr, kCaption));

    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_EQ(0, first->Wait(30000));
}

TEST_F(AppletE2e, ApplyOnTheRcPageWritesAndTellsQuorlatOnceCancelNothingMore)
{
    SetRegDword(HKEY_CURRENT_USER, s_pApplet->SettingsKey("General"), "ExtReceiver", 0);
    s_pApplet->QuorlatCount(true);
    std::unique_ptr<CProcess> control(s_pApplet->StartControl());
    HWND hSheet = WaitWindow(kCaption);
    ASSERT_NE(nullptr, hSheet);
    HWND hPage = ShowRcPage(hSheet);
    ASSERT_NE(nullptr, hPage);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(hPage, IDC_REMOCON_EXT_RECEIVER, BM_GETCHECK, 0, 0));
    SendDlgItemMessageA(hPage, IDC_REMOCON_EXT_RECEIVER, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));
    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    const ULONGLONG start = GetTickCount64();
    while (s_pApplet->QuorlatCount() < 1 && GetTickCount64() - start < 10000)
        Sleep(20);
    EXPECT_EQ(1u, ReadExtReceiver());
    // Cleared again, then Cancel: nothing more is written or posted.
    SendDlgItemMessageA(hPage, IDC_REMOCON_EXT_RECEIVER, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(hPage, IDC_REMOCON_EXT_RECEIVER, BM_GETCHECK, 0, 0));
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_EQ(0, control->Wait(30000));
    EXPECT_EQ(1u, ReadExtReceiver());
    EXPECT_EQ(1, s_pApplet->QuorlatCount());
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
    HMODULE hApplet = LoadLibraryExA((s_pApplet->Dir() + "\\Pallum.cpl").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
    // With every page on, all five in their fixed order.
    const std::vector<std::string> expected = {"Buttons", "Media Apps", "Sub LCD", "Application mode", "RC"};
    EXPECT_EQ(expected, tabs);
}

}  // namespace
