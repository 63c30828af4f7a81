// The Sub LCD page end to end: control.exe runs Pallum.cpl with the Mirrend, Quorlat and
// Nolvic stand-ins. "/s" opens the sheet on the page; the user chooses the owner string,
// types one and applies: the stored general record holds mode 2 and the text and Quorlat was
// told once. The schedule button's handler opens the Nolvic applet's "Schedule" dialog.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "InstalledApplet.h"
#include "RegistryScratch.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kCplsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\cpls";
const char kOwner[] = "Kelvora 7";

// A text value, "<none>" when missing.
std::string RegText(HKEY hRoot, const std::string& key, const char* pszName)
{
    char sz[MAX_PATH] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(hRoot, key.c_str(), pszName, RRF_RT_REG_SZ, nullptr, sz, &cb) != ERROR_SUCCESS)
        return "<none>";
    return sz;
}

std::string WindowTitle(HWND hWnd)
{
    char sz[64] = "";
    GetWindowTextA(hWnd, sz, sizeof(sz));
    return sz;
}

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

TEST(SubLcdE2e, OpensOnSlashSStoresTheOwnerStringAndOpensTheScheduleApplet)
{
    CInstalledApplet applet("SubLcd");
    ASSERT_TRUE(applet.Ready());
    // The schedule applet where the Control Panel's entry names it.
    const std::string nolvic = applet.Dir() + "\\Nolvic.cpl";
    ASSERT_TRUE(CopyFileA(BuildPath("KELVORA_NOLVIC").c_str(), nolvic.c_str(), FALSE));
    EXPECT_EQ("C:\\windows\\system32\\Nolvic.cpl", RegText(HKEY_LOCAL_MACHINE, kCplsKey, "Nolvic"));
    CRegValueOverride entry(HKEY_LOCAL_MACHINE, kCplsKey, "Nolvic", nolvic);
    auto told = [&] { return applet.QuorlatCount(); };
    ASSERT_EQ(told(), 0);

    std::unique_ptr<CProcess> control(applet.StartControl("/s"));
    HWND hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);

    // Every page on: "/s" opens the third tab, which is Sub LCD once all five pages are
    // built. The tabs' titles are the titles of their pages' windows, read by visiting them.
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    EXPECT_EQ(2, SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
    const std::string opened = WindowTitle(CurrentPage(hSheet));
    std::vector<std::string> tabs;
    const int nTabs = static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < nTabs; ++i) {
        SendMessageA(hSheet, PSM_SETCURSEL, i, 0);
        tabs.push_back(WindowTitle(CurrentPage(hSheet)));
    }
    std::vector<std::string> expected;
    for (const char* pszTitle : {"Buttons", "Media Apps", "Sub LCD", "Application mode", "RC"}) {
        if (std::find(tabs.begin(), tabs.end(), pszTitle) != tabs.end())
            expected.push_back(pszTitle);
    }
    EXPECT_EQ(expected, tabs);
    ASSERT_GE(tabs.size(), 3u);
    EXPECT_EQ(tabs[2], opened);
    const auto subLcd = std::find(tabs.begin(), tabs.end(), "Sub LCD");
    ASSERT_NE(tabs.end(), subLcd);
    SendMessageA(hSheet, PSM_SETCURSEL, subLcd - tabs.begin(), 0);
    HWND hPage = CurrentPage(hSheet);
    HWND hEdit = GetDlgItem(hPage, IDC_SUBLCD_OWNER);
    ASSERT_TRUE(hEdit && IsWindowVisible(hEdit));
    EXPECT_FALSE(IsWindowEnabled(hEdit));

    // The maker's 24-hour clock; Owner String, a text typed into the edit, Apply.
    EXPECT_EQ(static_cast<LRESULT>(BST_CHECKED), SendDlgItemMessageA(hPage, IDC_SUBLCD_CLOCK24, BM_GETCHECK, 0, 0));
    SendDlgItemMessageA(hPage, IDC_SUBLCD_OWNER_MODE, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(hEdit));
    for (const char* p = kOwner; *p; ++p)
        SendMessageA(hEdit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*p)), 0);
    EXPECT_EQ(kOwner, ItemText(hPage, IDC_SUBLCD_OWNER));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));
    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(PumpUntil([&] { return told() >= 1; }, 10000));
    const std::string general = applet.SettingsKey("General");
    DWORD dwMode = 0, cb = sizeof(dwMode);
    RegGetValueA(HKEY_CURRENT_USER, general.c_str(), "SubLcdMode", RRF_RT_REG_DWORD, nullptr, &dwMode, &cb);
    EXPECT_EQ(2u, dwMode);
    EXPECT_EQ(kOwner, RegText(HKEY_CURRENT_USER, general, "OwnerString"));

    // The schedule button is hidden; its handler still opens the schedule applet.
    SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_SUBLCD_SCHEDULE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hPage, IDC_SUBLCD_SCHEDULE)));
    HWND hSchedule = WaitForWindow("#32770", "Schedule", 30000, true);
    EXPECT_NE(nullptr, hSchedule) << "the schedule applet did not open";
    if (hSchedule) {
        PostMessageA(hSchedule, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(hSchedule, WM_NULL, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hSchedule); }, 10000));
    }

    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(told(), 1);
}

}  // namespace
