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

#include "KelvoraTestSupport.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kRoot[] = "Software\\KelvoraE2E\\AppMode";   // under HKEY_CURRENT_USER
// The stand-in's custom program dialog (maker/mirrend/Mirrend.rc).
const char kDialogTitle[] = "Custom Program";
const int kDialogFields[] = {1001, 1002, 1003, 1004};   // name, target, options, working folder
const char* const kProgram[] = {"Sketchpad", "C:\\Tools\\sketch.exe", "/new", "C:\\Tools"};

template <class Test>
bool WaitFor(Test test, DWORD dwTimeout = 30000)
{
    for (const ULONGLONG start = GetTickCount64(); !test(); Sleep(20)) {
        if (GetTickCount64() - start > dwTimeout)
            return false;
    }
    return true;
}

std::string Stored(const char* pszSub, const char* pszValue)
{
    const std::string key = std::string(kRoot) + "\\Settings\\" + pszSub;
    char szText[300] = "";
    DWORD dwValue = 0, cb = sizeof(szText);
    DWORD dwType = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), pszValue, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &dwType, szText,
                     &cb) != ERROR_SUCCESS)
        return "<missing>";
    if (dwType == REG_DWORD) {
        std::memcpy(&dwValue, szText, sizeof(dwValue));
        return std::to_string(dwValue);
    }
    return szText;
}

class AppModeE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string pallum = BuildPath("KELVORA_PALLUM");
        const std::string mirrend = BuildPath("KELVORA_MIRREND");
        ASSERT_FALSE(pallum.empty() || mirrend.empty());
        // Installed layout: the applet with its settings library beside it.
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = szTemp + std::string("kelvora-appmode-e2e-") + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(pallum.c_str(), (m_dir + "\\Pallum.cpl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(mirrend.c_str(), (m_dir + "\\Mirrend.dll").c_str(), FALSE));
        // The maker's set-up; the stand-in keeps its records in a scratch key, starting empty.
        {
            CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
            ASSERT_NE(-1, regedit.Wait(60000));
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + std::string(kRoot)).c_str());
        m_quorlat.reset(new CProcess("\"" + BuildPath("KELVORA_QUORLAT") + "\""));
        ASSERT_NE(nullptr, WaitForWindow(nullptr, "Quorlat", 30000, true));
        m_nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    }

    void TearDown() override
    {
        if (HWND hQuorlat = FindWindowA(nullptr, "Quorlat"))
            PostMessageA(hQuorlat, WM_CLOSE, 0, 0);
        if (m_quorlat)
            m_quorlat->Wait(10000);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        DeleteFileA((m_dir + "\\Pallum.cpl").c_str());
        DeleteFileA((m_dir + "\\Mirrend.dll").c_str());
        RemoveDirectoryA(m_dir.c_str());
    }

    LRESULT Told() { return SendMessageA(FindWindowA(nullptr, "Quorlat"), m_nQuery, 0, 0); }

    CProcess* StartControl() { return new CProcess("control.exe \"" + m_dir + "\\Pallum.cpl\"", m_dir); }

    static void Press(HWND hSheet, int nButton)
    {
        SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
        PostMessageA(hSheet, WM_NULL, 0, 0);
    }

    // Shows the tab whose page holds the application mode switch; null when none does.
    static HWND ShowAppModePage(HWND hSheet)
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

    std::string m_dir;
    std::unique_ptr<CProcess> m_quorlat;
    UINT m_nQuery = 0;
};

TEST_F(AppModeE2e, SwitchOnPickAProgramForPreviousApplyAndSeeItAgain)
{
    std::unique_ptr<CProcess> control(StartControl());
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
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hDialog); }));
    EXPECT_TRUE(WaitFor([&] { return ItemText(hPage, IDC_APPMODE_PREVIOUS_APP) == kProgram[0]; }, 10000));

    Press(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(WaitFor([&] { return Told() >= 1; }, 10000));
    EXPECT_EQ("1", Stored("General", "AppMode"));
    const char* const values[] = {"AppName", "AppTarget", "AppOption", "AppWorkDir"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kProgram[i], Stored("AppButtons\\0", values[i])) << values[i];
    EXPECT_EQ("", Stored("AppButtons\\1", "AppTarget"));
    Press(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(1, Told());

    // A new sheet reads it all back.
    control.reset(StartControl());
    hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
    ASSERT_NE(nullptr, hSheet);
    hPage = ShowAppModePage(hSheet);
    ASSERT_NE(nullptr, hPage);
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(hPage, IDC_APPMODE_USE, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hPage, IDC_APPMODE_SELECT_PREVIOUS)));
    EXPECT_EQ(kProgram[0], ItemText(hPage, IDC_APPMODE_PREVIOUS_APP));
    EXPECT_EQ("<No selection>", ItemText(hPage, IDC_APPMODE_NEXT_APP));
    Press(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(1, Told());
}

}  // namespace
