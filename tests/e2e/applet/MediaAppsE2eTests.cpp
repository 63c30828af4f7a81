// The Media Apps page end to end: control.exe runs Pallum.cpl with the Mirrend and Quorlat
// stand-ins on the maker's set-up. Another CD player is picked and applied: the stand-in's
// CD record holds it and Quorlat was told once; the reopened sheet shows it; a later pick
// left by Cancel is not written.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InstalledApplet.h"
#include "UiScript.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const int kMediaTab = 1;                               // every page on: Buttons, Media Apps, ...

// The stand-in's stored current CD player (an id), 0xFFFFFFFF when there is none.
DWORD StoredCdPlayer(const CInstalledApplet& applet)
{
    DWORD dwValue = 0, cb = sizeof(dwValue);
    if (RegGetValueA(HKEY_CURRENT_USER, applet.SettingsKey("Media\\CD").c_str(), "CurrentPlayer", RRF_RT_REG_DWORD,
                     nullptr, &dwValue, &cb) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return dwValue;
}

// The sheet's Media Apps page, shown; null if there is none.
HWND ShowMediaPage(HWND hSheet)
{
    if (!hSheet || !SendMessageA(hSheet, PSM_SETCURSEL, kMediaTab, 0))
        return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// What the CD list tells its page when the user picks entry nIndex.
void PickCd(HWND hPage, int nIndex)
{
    HWND hList = GetDlgItem(hPage, IDC_MEDIA_CD_LIST);
    SendMessageA(hList, CB_SETCURSEL, nIndex, 0);
    SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_MEDIA_CD_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
}

TEST(MediaAppsE2e, AnotherCdPlayerAppliedIsStoredToldAndShownAgainCancelWritesNothing)
{
    CInstalledApplet applet("Media");
    ASSERT_TRUE(applet.Ready());
    ASSERT_EQ(applet.QuorlatCount(), 0);
    std::unique_ptr<CProcess> control(applet.StartControl());
    HWND hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    HWND hPage = ShowMediaPage(hSheet);
    ASSERT_NE(nullptr, hPage);

    // The maker's CD list: KELVORA CD Player (id 3, chosen), Windows Media Player (0),
    // KELVORA Media Center (1); item texts do not cross processes here, the stored ids tell.
    // The machine offers prevention and has no HD DVD drive.
    HWND hList = GetDlgItem(hPage, IDC_MEDIA_CD_LIST);
    ASSERT_EQ(3, SendMessageA(hList, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(hList, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_PREVENT)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_SELECT_TEXT1)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_HDDVD_LIST)));
    EXPECT_EQ(0xFFFFFFFFu, StoredCdPlayer(applet));

    PickCd(hPage, 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));
    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(PumpUntil([&] { return applet.QuorlatCount() >= 1; }, 10000));
    EXPECT_EQ(0u, StoredCdPlayer(applet));

    // Another pick, left by Cancel: nothing more is written or posted.
    PickCd(hPage, 2);
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(0u, StoredCdPlayer(applet));

    // Reopened: the applied choice is selected.
    control.reset(applet.StartControl());
    hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    hPage = ShowMediaPage(hSheet);
    ASSERT_NE(nullptr, hPage);
    EXPECT_EQ(1, SendDlgItemMessageA(hPage, IDC_MEDIA_CD_LIST, CB_GETCURSEL, 0, 0));
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(0u, StoredCdPlayer(applet));
    EXPECT_EQ(applet.QuorlatCount(), 1);
}

}  // namespace
