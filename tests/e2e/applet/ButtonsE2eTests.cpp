// One typical change, end to end: control.exe runs Pallum.cpl with the Mirrend and Quorlat
// stand-ins; the user picks "Zoom in" for a button and presses Apply. The button's stored
// record then holds program 103 and Quorlat was told once.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <string>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "UiScript.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kRoot[] = "Software\\KelvoraE2E\\Buttons";   // under HKEY_CURRENT_USER
const int kZoomIn = 103;

DWORD StoredProgram(int nButton)
{
    const std::string key = std::string(kRoot) + "\\Settings\\GPButtons\\" + std::to_string(nButton);
    DWORD dwValue = 0, cb = sizeof(dwValue);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "StartupAppNo", RRF_RT_REG_DWORD, nullptr, &dwValue, &cb) !=
        ERROR_SUCCESS)
        return 0;
    return dwValue;
}

TEST(ButtonsE2e, PickingZoomInAndApplyingStoresProgram103AndTellsQuorlatOnce)
{
    const std::string pallum = BuildPath("KELVORA_PALLUM");
    const std::string mirrend = BuildPath("KELVORA_MIRREND");
    ASSERT_FALSE(pallum.empty() || mirrend.empty());

    // Installed layout: the applet with its settings library beside it.
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    const std::string dir = szTemp + std::string("kelvora-buttons-e2e-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(pallum.c_str(), (dir + "\\Pallum.cpl").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(mirrend.c_str(), (dir + "\\Mirrend.dll").c_str(), FALSE));

    // The maker's set-up; the stand-in keeps its records in a scratch key, starting empty.
    {
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_NE(-1, regedit.Wait(60000));
    }
    CRegistryScratch records(HKEY_CURRENT_USER, kRoot);
    DeleteRegKey(HKEY_CURRENT_USER, kRoot);
    SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + std::string(kRoot)).c_str());

    CProcess quorlat("\"" + BuildPath("KELVORA_QUORLAT") + "\"");
    ASSERT_NE(nullptr, WaitForWindow(nullptr, "Quorlat", 30000, true));
    const UINT nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    auto told = [&] { return SendMessageA(FindWindowA(nullptr, "Quorlat"), nQuery, 0, 0); };
    ASSERT_EQ(told(), 0);

    CProcess control("control.exe \"" + dir + "\\Pallum.cpl\"", dir);
    HWND hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);

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
    PressSheetButton(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(PumpUntil([&] { return told() >= 1; }, 10000));
    EXPECT_EQ(StoredProgram(0), DWORD(kZoomIn));

    PressSheetButton(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control.Wait(30000));
    EXPECT_EQ(told(), 1);

    PostMessageA(FindWindowA(nullptr, "Quorlat"), WM_CLOSE, 0, 0);
    quorlat.Wait(10000);
    DeleteFileA((dir + "\\Pallum.cpl").c_str());
    DeleteFileA((dir + "\\Mirrend.dll").c_str());
    RemoveDirectoryA(dir.c_str());
}

}  // namespace
