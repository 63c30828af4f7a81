// The Application mode page end to end: control.exe runs Pallum.cpl with the Mirrend and
// Quorlat stand-ins; the user switches application mode on, gives Previous a program through
// the stand-in's custom program dialog and presses Apply. The stored AppButtons record and
// the AppMode flag then hold the new values, Quorlat was told once, and a new sheet shows
// the program's name in the row.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "InstalledApplet.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
// The stand-in's custom program dialog (maker/mirrend/Mirrend.rc).
const char kDialogTitle[] = "Custom Program";
const int kDialogFields[] = {1001, 1002, 1003, 1004};   // name, target, options, working folder
const char* const kProgram[] = {"Sketchpad", "C:\\Tools\\sketch.exe", "/new", "C:\\Tools"};

// A stored value as text (a number in decimal), "<missing>" when it cannot be read.
std::string Stored(const CInstalledApplet& applet, const char* pszRecord, const char* pszValue)
{
    char szData[300] = "";
    DWORD cb = sizeof(szData), dwType = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, applet.SettingsKey(pszRecord).c_str(), pszValue,
                     RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &dwType, szData, &cb) != ERROR_SUCCESS)
        return "<missing>";
    if (dwType != REG_DWORD)
        return szData;
    DWORD dwValue = 0;
    std::memcpy(&dwValue, szData, sizeof(dwValue));
    return std::to_string(dwValue);
}

// Shows the tab whose page holds the application mode switch; null when none does.
HWND ShowAppModePage(HWND hSheet)
{
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    const int nTabs = static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < nTabs; ++i) {
        SendMessageA(hSheet, PSM_SETCURSEL, i, 0);
        HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (GetDlgItem(hPage, IDC_APPMODE_USE) != nullptr)
            return hPage;
    }
    return nullptr;
}

TEST(AppModeE2e, SwitchOnPickAProgramForPreviousApplyAndSeeItAgain)
{
    CInstalledApplet applet("AppMode");
    ASSERT_TRUE(applet.Ready());
    std::unique_ptr<CProcess> control(applet.StartControl());
    HWND hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);
    HWND hPage = ShowAppModePage(hSheet);
    ASSERT_NE(nullptr, hPage) << "no Application mode page";
    HWND hSelect = GetDlgItem(hPage, IDC_APPMODE_SELECT_PREVIOUS);
    // The maker's defaults: application mode off, no program of the user's own.
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(hPage, IDC_APPMODE_USE, BM_GETCHECK, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(hSelect));
    EXPECT_EQ("<No selection>", ItemText(hPage, IDC_APPMODE_PREVIOUS_APP));

    SendDlgItemMessageA(hPage, IDC_APPMODE_USE, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(hSelect));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));

    // Select(&E): the library's dialog runs modally inside the sheet's process.
    PostMessageA(hSelect, BM_CLICK, 0, 0);
    HWND hDialog = WaitForWindow(nullptr, kDialogTitle, 30000, true);
    ASSERT_NE(nullptr, hDialog);
    for (int i = 0; i < 4; ++i)
        SetDlgItemTextA(hDialog, kDialogFields[i], kProgram[i]);
    PostMessageA(GetDlgItem(hDialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(hDialog); }, 30000));
    EXPECT_TRUE(PumpUntil([&] { return ItemText(hPage, IDC_APPMODE_PREVIOUS_APP) == kProgram[0]; }, 10000));

    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(PumpUntil([&] { return applet.QuorlatCount() >= 1; }, 10000));
    EXPECT_EQ("1", Stored(applet, "General", "AppMode"));
    const char* const values[] = {"AppName", "AppTarget", "AppOption", "AppWorkDir"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kProgram[i], Stored(applet, "AppButtons\\0", values[i])) << values[i];
    EXPECT_EQ("", Stored(applet, "AppButtons\\1", "AppTarget"));
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(1, applet.QuorlatCount());

    // A new sheet reads it all back.
    control.reset(applet.StartControl());
    hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);
    hPage = ShowAppModePage(hSheet);
    ASSERT_NE(nullptr, hPage);
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(hPage, IDC_APPMODE_USE, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hPage, IDC_APPMODE_SELECT_PREVIOUS)));
    EXPECT_EQ(kProgram[0], ItemText(hPage, IDC_APPMODE_PREVIOUS_APP));
    EXPECT_EQ("<No selection>", ItemText(hPage, IDC_APPMODE_NEXT_APP));
    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(1, applet.QuorlatCount());
}

}  // namespace
