// One typical change, end to end: control.exe runs Pallum.cpl with the Mirrend and Quorlat
// stand-ins; the user picks "Zoom in" for a button and presses Apply. The button's stored
// record then holds program 103 and Quorlat was told once.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InstalledApplet.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const int kZoomIn = 103;

DWORD StoredProgram(const CInstalledApplet& applet, int nButton)
{
    const std::string key = applet.SettingsKey(("GPButtons\\" + std::to_string(nButton)).c_str());
    DWORD dwValue = 0, cb = sizeof(dwValue);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "StartupAppNo", RRF_RT_REG_DWORD, nullptr, &dwValue, &cb) !=
        ERROR_SUCCESS)
        return 0;
    return dwValue;
}

TEST(ButtonsE2e, PickingZoomInAndApplyingStoresProgram103AndTellsQuorlatOnce)
{
    CInstalledApplet applet("Buttons");
    ASSERT_TRUE(applet.Ready());
    auto told = [&] { return applet.QuorlatCount(); };
    ASSERT_EQ(told(), 0);

    std::unique_ptr<CProcess> control(applet.StartControl());
    HWND hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);
    auto press = [&](int nButton) { PressSheetButton(hSheet, nButton); };

    // The Buttons page is the first tab and opens first; its first row is the maker's
    // "Internet" button, on the default browser.
    HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND hList = GetDlgItem(hPage, IDC_BUTTON0_LIST);
    ASSERT_TRUE(hList && IsWindowVisible(hList));
    const int nCount = static_cast<int>(SendMessageA(hList, CB_GETCOUNT, 0, 0));
    int nZoomIn = -1;
    for (int i = 0; i < nCount; ++i) {
        if (SendMessageA(hList, CB_GETITEMDATA, i, 0) == kZoomIn)
            nZoomIn = i;
    }
    ASSERT_GE(nZoomIn, 0) << "\"Zoom in\" is not offered";
    EXPECT_NE(SendMessageA(hList, CB_GETITEMDATA, SendMessageA(hList, CB_GETCURSEL, 0, 0), 0), kZoomIn);

    // What the list tells its page when the user closes it on an entry.
    SendMessageA(hList, CB_SETCURSEL, nZoomIn, 0);
    SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_BUTTON0_LIST, CBN_SELENDOK), reinterpret_cast<LPARAM>(hList));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));
    press(PSBTN_APPLYNOW);
    EXPECT_TRUE(PumpUntil([&] { return told() >= 1; }, 10000));
    EXPECT_EQ(StoredProgram(applet, 0), DWORD(kZoomIn));

    press(PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(told(), 1);
}

}  // namespace
