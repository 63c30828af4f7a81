// Nolvic.cpl, loaded as a Control Panel host loads it, with its dialog driven inside its own loop.
#include <windows.h>
#include <cpl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "UiScript.h"

namespace {

constexpr int IDC_SHOW_ON_LCD = 1001, IDC_TIME = 1002, IDC_NOTE = 1003;
const char SCHEDULE_KEY[] = "Software\\KELVORA\\KELVORA Controls\\Schedule";

TEST(Nolvic, ScheduleAppletKeepsTheAppointment)
{
    const char* pszPath = std::getenv("KELVORA_NOLVIC");
    ASSERT_NE(nullptr, pszPath);
    HMODULE hModule = LoadLibraryA(pszPath);
    ASSERT_NE(nullptr, hModule);
    auto pfnApplet = reinterpret_cast<APPLET_PROC>(
        reinterpret_cast<void*>(GetProcAddress(hModule, "CPlApplet")));
    ASSERT_NE(nullptr, pfnApplet);
    CRegistryScratch schedule(HKEY_CURRENT_USER, SCHEDULE_KEY);
    DeleteRegKey(HKEY_CURRENT_USER, SCHEDULE_KEY);

    EXPECT_EQ(1, pfnApplet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, pfnApplet(nullptr, CPL_GETCOUNT, 0, 0));
    NEWCPLINFOA info = {};
    EXPECT_EQ(0, pfnApplet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ("Schedule", info.szName);
    EXPECT_NE(nullptr, info.hIcon);

    // A time that is no time is refused, the dialog stays; a good one is kept.
    bool bRefused = false;
    HWND hDlg = nullptr;
    UiScript enter;
    enter.Then(OnWindow("Schedule", [&](HWND hWnd) {
             hDlg = hWnd;
             SetDlgItemTextA(hDlg, IDC_TIME, "25:00");
             PostClick(hDlg, IDOK);
         }))
        .Then([&] {
            HWND hBox = FindMessageBox();
            if (!hBox)
                return false;
            bRefused = true;
            PostClick(hBox, IDOK);
            return true;
        })
        .Then([&] { return !FindMessageBox(); })
        .Then(Do([&] {
            CheckDlgButton(hDlg, IDC_SHOW_ON_LCD, BST_CHECKED);
            SetDlgItemTextA(hDlg, IDC_TIME, "09:30");
            SetDlgItemTextA(hDlg, IDC_NOTE, "Dentist");
            PostClick(hDlg, IDOK);
        }));
    enter.Start();
    EXPECT_EQ(0, pfnApplet(nullptr, CPL_DBLCLK, 0, 0));
    EXPECT_TRUE(enter.Finished());
    EXPECT_TRUE(bRefused);

    // The next start shows what was kept; Cancel keeps it as it was.
    std::string shown[2];
    bool bChecked = false;
    UiScript view;
    view.Then(OnWindow("Schedule", [&](HWND hWnd) {
        shown[0] = ItemText(hWnd, IDC_TIME);
        shown[1] = ItemText(hWnd, IDC_NOTE);
        bChecked = IsDlgButtonChecked(hWnd, IDC_SHOW_ON_LCD) == BST_CHECKED;
        SetDlgItemTextA(hWnd, IDC_NOTE, "changed");
        PostClick(hWnd, IDCANCEL);
    }));
    view.Start();
    pfnApplet(nullptr, CPL_DBLCLK, 0, 0);
    EXPECT_TRUE(view.Finished());
    EXPECT_EQ("09:30", shown[0]);
    EXPECT_EQ("Dentist", shown[1]);
    EXPECT_TRUE(bChecked);
    char szNote[64] = "";
    DWORD cb = sizeof(szNote);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, SCHEDULE_KEY, "Note", RRF_RT_REG_SZ,
                                          nullptr, szNote, &cb));
    EXPECT_STREQ("Dentist", szNote);

    pfnApplet(nullptr, CPL_EXIT, 0, 0);
    FreeLibrary(hModule);
}

}  // namespace
