// Nolvic.cpl, loaded as a Control Panel host loads it, with its dialog driven from a thread.
#include <windows.h>
#include <cpl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "KelvoraTestSupport.h"

namespace {

constexpr int IDC_SHOW_ON_LCD = 1001, IDC_TIME = 1002, IDC_NOTE = 1003;
const char SCHEDULE_KEY[] = "Software\\KELVORA\\KELVORA Controls\\Schedule";

// A visible "Schedule" dialog window other than hExcept.
HWND WaitForSchedule(HWND hExcept = nullptr)
{
    return WaitForWindow("#32770", "Schedule", 10000, true, hExcept);
}

void Press(HWND hWnd, int nID)
{
    PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
    PostMessageA(hWnd, WM_NULL, 0, 0);
}

TEST(Nolvic, ScheduleAppletKeepsTheAppointment)
{
    const char* pszPath = std::getenv("KELVORA_NOLVIC");
    ASSERT_NE(nullptr, pszPath);
    HMODULE hModule = LoadLibraryA(pszPath);
    ASSERT_NE(nullptr, hModule);
    auto pfnApplet = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(hModule, "CPlApplet")));
    ASSERT_NE(nullptr, pfnApplet);
    RegDeleteTreeA(HKEY_CURRENT_USER, SCHEDULE_KEY);

    EXPECT_EQ(1, pfnApplet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, pfnApplet(nullptr, CPL_GETCOUNT, 0, 0));
    NEWCPLINFOA info = {};
    EXPECT_EQ(0, pfnApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ("Schedule", info.szName);
    EXPECT_NE(nullptr, info.hIcon);

    // A time that is no time is refused, the dialog stays; a good one is kept.
    bool bRefused = false;
    std::thread driver([&] {
        HWND hDlg = WaitForSchedule();
        ASSERT_NE(nullptr, hDlg);
        SetDlgItemTextA(hDlg, IDC_TIME, "25:00");
        Press(hDlg, IDOK);
        if (HWND hBox = WaitForSchedule(hDlg)) {
            bRefused = true;
            Press(hBox, IDOK);
        }
        CheckDlgButton(hDlg, IDC_SHOW_ON_LCD, BST_CHECKED);
        SetDlgItemTextA(hDlg, IDC_TIME, "09:30");
        SetDlgItemTextA(hDlg, IDC_NOTE, "Dentist");
        Press(hDlg, IDOK);
    });
    EXPECT_EQ(0, pfnApplet(nullptr, CPL_DBLCLK, 0, 0));
    driver.join();
    EXPECT_TRUE(bRefused);

    // The next start shows what was kept; Cancel keeps it as it was.
    std::string shown[2];
    bool bChecked = false;
    std::thread viewer([&] {
        HWND hDlg = WaitForSchedule();
        ASSERT_NE(nullptr, hDlg);
        shown[0] = ItemText(hDlg, IDC_TIME);
        shown[1] = ItemText(hDlg, IDC_NOTE);
        bChecked = IsDlgButtonChecked(hDlg, IDC_SHOW_ON_LCD) == BST_CHECKED;
        SetDlgItemTextA(hDlg, IDC_NOTE, "changed");
        Press(hDlg, IDCANCEL);
    });
    pfnApplet(nullptr, CPL_DBLCLK, 0, 0);
    viewer.join();
    EXPECT_EQ("09:30", shown[0]);
    EXPECT_EQ("Dentist", shown[1]);
    EXPECT_TRUE(bChecked);
    char szNote[64] = "";
    DWORD cb = sizeof(szNote);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, SCHEDULE_KEY, "Note", RRF_RT_REG_SZ,
                                          nullptr, szNote, &cb));
    EXPECT_STREQ("Dentist", szNote);

    RegDeleteTreeA(HKEY_CURRENT_USER, SCHEDULE_KEY);
    pfnApplet(nullptr, CPL_EXIT, 0, 0);
    FreeLibrary(hModule);
}

}  // namespace
