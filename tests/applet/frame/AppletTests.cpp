// The Control Panel entry, the command-line rule and the application object.
#include <windows.h>
#include <cpl.h>

#include <cstring>

#include "FakeMirrend.h"
#include "PallumApp.h"
#include "AppletTestSupport.h"
#include "resource.h"

namespace {

using FrameEntryTest = AppletTest;

TEST_F(FrameEntryTest, AnswersTheControlPanelMessages)
{
    EXPECT_EQ(1, CPlApplet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, CPlApplet(nullptr, CPL_GETCOUNT, 0, 0));
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_SELECT, 0, 0));
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_STOP, 0, 0));
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_EXIT, 0, 0));

    CPLINFO info;
    memset(&info, 0x5A, sizeof(info));
    const LONG_PTR lData = info.lData;
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(5078, info.idIcon);
    EXPECT_EQ(1, info.idName);
    EXPECT_EQ(2, info.idInfo);
    EXPECT_EQ(lData, info.lData);

    // Unknown messages, with a record at lParam2, change nothing.
    for (UINT uMsg : { 0u, 9u, 0x400u }) {
        CPLINFO untouched;
        memset(&untouched, 0x33, sizeof(untouched));
        EXPECT_EQ(0, CPlApplet(nullptr, uMsg, 0, reinterpret_cast<LPARAM>(&untouched))) << uMsg;
        EXPECT_EQ(0x33333333, untouched.idIcon) << uMsg;
    }
    // No record: nothing to fill, nothing fails.
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_INQUIRE, 0, 0));
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_NEWINQUIRE, 0, 0));
}

TEST_F(FrameEntryTest, NewInquireFillsTheWholeRecord)
{
    NEWCPLINFOA info;
    memset(&info, 0x5A, sizeof(info));
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
#ifndef _WIN64
    EXPECT_EQ(244u, info.dwSize);
#endif
    EXPECT_EQ(sizeof(NEWCPLINFOA), info.dwSize);
    EXPECT_EQ(0u, info.dwFlags);
    EXPECT_EQ(0u, info.dwHelpContext);
    EXPECT_EQ(0, info.lData);
    EXPECT_NE(nullptr, info.hIcon);
    EXPECT_STREQ("KELVORA Controls", info.szName);
    EXPECT_STREQ("Provides configuration settings to KELVORA Controls.", info.szInfo);
    EXPECT_STREQ("", info.szHelpFile);
}

TEST_F(FrameEntryTest, OnlyATrailingSlashSOpensTheThirdPage)
{
    const char* const selects[] = {
        "\"C:\\windows\\system32\\control.exe\" Pallum.cpl /s",
        "\"C:\\windows\\system32\\control.exe\" Pallum.cpl /S",
        "control.exe /x Pallum.cpl /s",
        "/s",
    };
    for (const char* psz : selects)
        EXPECT_TRUE(IsStartPageCommandLine(psz)) << psz;
    const char* const others[] = {
        "\"C:\\windows\\system32\\control.exe\" Pallum.cpl",
        "control.exe Pallum.cpl /s ",
        "control.exe Pallum.cpl /sx",
        "control.exe Pallum.cpl /s /x",
        "control.exe Pallum.cpl /s x/y",
        "control.exe Pallum.cpl s",
        "control.exe Pallum.cpl /",
        "",
        nullptr,
    };
    for (const char* psz : others)
        EXPECT_FALSE(IsStartPageCommandLine(psz)) << (psz ? psz : "(null)");
}

TEST_F(FrameEntryTest, ApplicationObjectRegistersTheMessageAndReadsSettings)
{
    EXPECT_NE(0u, g_nServicesMessage);
    EXPECT_EQ(RegisterWindowMessageA("WM_KELVORA_SERVICES"), g_nServicesMessage);

    CPallumApp* pApp = static_cast<CPallumApp*>(AfxGetApp());
    ASSERT_NE(nullptr, pApp);
    FakeMirrend::StoredGeneral().nExtReceiver = 1;
    EXPECT_EQ(1, CPlApplet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, FakeMirrend::CountCalls("ReadSettingGeneralSettingManager"));
    EXPECT_EQ(1, pApp->m_general.m_nExtReceiver);

    // Missing settings never fail the load.
    FakeMirrend::FailRead(FakeMirrend::GENERAL);
    EXPECT_EQ(1, CPlApplet(nullptr, CPL_INIT, 0, 0));
}

TEST_F(FrameEntryTest, DoubleClickBringsAnOpenSheetForward)
{
    HWND hOpen = CreateWindowA("STATIC", "KELVORA Controls Properties", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
        0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hOpen);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_DBLCLK, 0, 0));
    EXPECT_LT(GetTickCount64() - start, 2000u);
    // No second sheet was even prepared.
    EXPECT_EQ(0, FakeMirrend::CountCalls("ReadSettingGeneralSettingManager"));
    EXPECT_EQ(hOpen, GetForegroundWindow());
    DestroyWindow(hOpen);
}

TEST_F(FrameEntryTest, DoubleClickRunsTheSheetFromThePageSet)
{
    // Every page is built. With no page
    // at all the sheet shows its frame (banner, OK, Cancel) and closes normally.
    const struct {
        int flags[PAGE_COUNT];
        const char* pszLastTab;   // null: not looked at
    } cases[] = {
        { { 0, 1, 1, 1, 1 }, "RC" },
        { { 0, 0, 0, 0, 0 }, nullptr },
    };
    for (const auto& c : cases) {
        CPageSetOverride pages(c.flags);
        std::vector<std::string> tabs;
        UiScript script;
        script.Then(OnWindow("KELVORA Controls Properties", [&](HWND hSheet) {
            tabs = TabTitles(hSheet);
            PressSheetButton(hSheet, PSBTN_CANCEL);
        }));
        script.Start();
        CPlApplet(nullptr, CPL_DBLCLK, 0, 0);
        EXPECT_TRUE(script.Finished()) << "no sheet";
        if (c.pszLastTab) {
            ASSERT_FALSE(tabs.empty());
            EXPECT_EQ(c.pszLastTab, tabs.back());
        }
        EXPECT_EQ(nullptr, FindWindowA(nullptr, "KELVORA Controls Properties"));
    }
    EXPECT_EQ(0, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"));
}

TEST_F(FrameEntryTest, DoubleClickShowsNothingWhenAPageCannotRead)
{
    const int flags[PAGE_COUNT] = { 1, 0, 0, 0, 1 };
    CPageSetOverride pages(flags);
    FakeMirrend::FailRead(FakeMirrend::GP_BUTTONS);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(0, CPlApplet(nullptr, CPL_DBLCLK, 0, 0));
    EXPECT_LT(GetTickCount64() - start, 5000u);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "KELVORA Controls Properties"));
}

} // namespace
