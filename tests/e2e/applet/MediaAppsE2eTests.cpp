// The Media Apps page end to end: control.exe runs Pallum.cpl with the Mirrend and Quorlat
// stand-ins on the maker's set-up. Another CD player is picked and applied: the stand-in's
// CD record holds it and Quorlat was told once; the reopened sheet shows it; a later pick
// left by Cancel is not written.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KelvoraTestSupport.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kRoot[] = "Software\\KelvoraE2E\\Media";   // under HKEY_CURRENT_USER
const int kMediaTab = 1;                               // every page on: Buttons, Media Apps, ...

template <class Test>
bool WaitFor(Test test, DWORD dwTimeout = 30000)
{
    for (const ULONGLONG start = GetTickCount64(); !test(); Sleep(20)) {
        if (GetTickCount64() - start > dwTimeout)
            return false;
    }
    return true;
}

// The player id the stand-in stores as the CD list's current one; -2 when there is none.
int StoredCdPlayer()
{
    const std::string key = std::string(kRoot) + "\\Settings\\Media\\CD";
    DWORD dwValue = 0, cb = sizeof(dwValue);
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), "CurrentPlayer", RRF_RT_REG_DWORD, nullptr, &dwValue, &cb) !=
        ERROR_SUCCESS)
        return -2;
    return static_cast<int>(dwValue);
}

class MediaAppsE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string pallum = BuildPath("KELVORA_PALLUM");
        const std::string mirrend = BuildPath("KELVORA_MIRREND");
        ASSERT_FALSE(pallum.empty() || mirrend.empty());
        // Installed layout: the applet with its settings library beside it.
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = szTemp + std::string("kelvora-media-e2e-") + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(pallum.c_str(), (m_dir + "\\Pallum.cpl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(mirrend.c_str(), (m_dir + "\\Mirrend.dll").c_str(), FALSE));
        // The maker's set-up; the stand-in keeps its records in a scratch key, starting empty.
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_NE(-1, regedit.Wait(60000));
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

    LRESULT Told() const { return SendMessageA(FindWindowA(nullptr, "Quorlat"), m_nQuery, 0, 0); }

    // Opens the sheet in control.exe and shows the Media Apps page; its window, or null.
    HWND OpenMediaPage(std::unique_ptr<CProcess>& control, HWND& hSheet)
    {
        control.reset(new CProcess("control.exe \"" + m_dir + "\\Pallum.cpl\"", m_dir));
        hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
        if (!hSheet || !SendMessageA(hSheet, PSM_SETCURSEL, kMediaTab, 0))
            return nullptr;
        return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    static void Press(HWND hSheet, int nButton)
    {
        SendMessageA(hSheet, PSM_PRESSBUTTON, nButton, 0);
        PostMessageA(hSheet, WM_NULL, 0, 0);
    }

    // What the list tells its page when the user picks entry nIndex.
    static void Pick(HWND hPage, int nIndex)
    {
        HWND hList = GetDlgItem(hPage, IDC_MEDIA_CD_LIST);
        SendMessageA(hList, CB_SETCURSEL, nIndex, 0);
        SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_MEDIA_CD_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hList));
    }

    std::string m_dir;
    std::unique_ptr<CProcess> m_quorlat;
    UINT m_nQuery = 0;
};

TEST_F(MediaAppsE2e, AnotherCdPlayerAppliedIsStoredToldAndShownAgainCancelWritesNothing)
{
    ASSERT_EQ(Told(), 0);
    std::unique_ptr<CProcess> control;
    HWND hSheet = nullptr;
    HWND hPage = OpenMediaPage(control, hSheet);
    ASSERT_NE(nullptr, hPage);
    HWND hList = GetDlgItem(hPage, IDC_MEDIA_CD_LIST);
    ASSERT_NE(nullptr, hList);

    // The maker's CD list: KELVORA CD Player (id 3, chosen), Windows Media Player (0),
    // KELVORA Media Center (1); item texts do not cross processes here, the stored ids tell.
    // The machine offers prevention and has no HD DVD drive.
    ASSERT_EQ(3, SendMessageA(hList, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(hList, CB_GETCURSEL, 0, 0));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_PREVENT)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_SELECT_TEXT1)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hPage, IDC_MEDIA_HDDVD_LIST)));
    EXPECT_EQ(-2, StoredCdPlayer());

    Pick(hPage, 1);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY)));
    Press(hSheet, PSBTN_APPLYNOW);
    EXPECT_TRUE(WaitFor([&] { return Told() >= 1; }, 10000));
    EXPECT_EQ(0, StoredCdPlayer());

    // Another pick, left by Cancel: nothing more is written or posted.
    Pick(hPage, 2);
    Press(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(0, StoredCdPlayer());
    EXPECT_EQ(Told(), 1);

    // Reopened: the applied choice is selected.
    hPage = OpenMediaPage(control, hSheet);
    ASSERT_NE(nullptr, hPage);
    hList = GetDlgItem(hPage, IDC_MEDIA_CD_LIST);
    EXPECT_EQ(1, SendMessageA(hList, CB_GETCURSEL, 0, 0));
    Press(hSheet, PSBTN_CANCEL);
    EXPECT_NE(-1, control->Wait(30000));
    EXPECT_EQ(0, StoredCdPlayer());
    EXPECT_EQ(Told(), 1);
}

}  // namespace
