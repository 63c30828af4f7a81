// Faults end to end: control.exe runs Pallum.cpl over the real settings stand-in, which keeps
// its records where the product's do (HKLM "Software\KELVORA"); the key is put back afterwards.
// Cancel after edits on every page leaves it byte-identical; a write the store refuses warns,
// keeps the choices, and the next Apply writes them.
#include <windows.h>
#include <prsht.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "UiScript.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kKelvora[] = "Software\\KELVORA";
const char kSettings[] = "Software\\KELVORA\\KELVORA Controls\\Settings";
const int kZoomIn = 103;

long long StoredDword(const std::string& strSub, const char* pszName)
{
    DWORD dw = 0, cb = sizeof(dw);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (std::string(kSettings) + "\\" + strSub).c_str(), pszName, RRF_RT_REG_DWORD,
                     nullptr, &dw, &cb) != ERROR_SUCCESS)
        return -1;
    return dw;
}

// Pallum.cpl with its settings library beside it, as installed, and the maker's set-up.
class FaultsE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string pallum = BuildPath("KELVORA_PALLUM"), mirrend = BuildPath("KELVORA_MIRREND");
        ASSERT_FALSE(pallum.empty() || mirrend.empty());
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        m_dir = szTemp + std::string("kelvora-faults-e2e-") + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileA(pallum.c_str(), (m_dir + "\\Pallum.cpl").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(mirrend.c_str(), (m_dir + "\\Mirrend.dll").c_str(), FALSE));
        m_kept.Keep(HKEY_LOCAL_MACHINE, kKelvora);
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_NE(-1, regedit.Wait(60000));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSettings);
        SetEnvironmentVariableA("MIRREND_ROOT", nullptr);
    }

    void TearDown() override
    {
        if (m_hSheet && IsWindow(m_hSheet)) {
            PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            PostMessageA(m_hSheet, WM_NULL, 0, 0);
        }
        if (m_control)
            m_control->Wait(30000);
        DeleteFileA((m_dir + "\\Pallum.cpl").c_str());
        DeleteFileA((m_dir + "\\Mirrend.dll").c_str());
        RemoveDirectoryA(m_dir.c_str());
    }

    bool OpenSheet()
    {
        m_control.reset(new CProcess("control.exe \"" + m_dir + "\\Pallum.cpl\"", m_dir));
        m_hSheet = WaitForWindow(nullptr, kSheetTitle, 30000, true);
        return m_hSheet != nullptr;
    }

    // Shows the tab at nIndex; its page, or null past the last tab.
    HWND ShowPage(int nIndex)
    {
        if (!SendMessageA(m_hSheet, PSM_SETCURSEL, nIndex, 0))
            return nullptr;
        return reinterpret_cast<HWND>(SendMessageA(m_hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // Changes what the page shows, as a user would, whichever page it is; false for a page
    // this test does not know.
    static bool Edit(HWND hPage)
    {
        if (HWND hList = GetDlgItem(hPage, IDC_BUTTON0_LIST)) {
            const int nCount = static_cast<int>(SendMessageA(hList, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < nCount; ++i) {
                if (SendMessageA(hList, CB_GETITEMDATA, i, 0) == kZoomIn)
                    SendMessageA(hList, CB_SETCURSEL, i, 0);
            }
            SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_BUTTON0_LIST, CBN_SELENDOK), reinterpret_cast<LPARAM>(hList));
            return true;
        }
        if (HWND hCd = GetDlgItem(hPage, IDC_MEDIA_CD_LIST)) {
            SendMessageA(hCd, CB_SETCURSEL, 1, 0);   // the maker's second CD player, id 0
            SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_MEDIA_CD_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCd));
            return true;
        }
        if (HWND hUse = GetDlgItem(hPage, IDC_APPMODE_USE)) {
            SendMessageA(hUse, BM_CLICK, 0, 0);
            return true;
        }
        if (HWND hBacklight = GetDlgItem(hPage, IDC_SUBLCD_BACKLIGHT)) {
            SendMessageA(hBacklight, BM_CLICK, 0, 0);
            SendMessageA(GetDlgItem(hPage, IDC_SUBLCD_OWNER_MODE), BM_CLICK, 0, 0);
            SetWindowTextA(GetDlgItem(hPage, IDC_SUBLCD_OWNER), "Edited");
            return true;
        }
        if (HWND hReceiver = GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER)) {
            SendMessageA(hReceiver, BM_CLICK, 0, 0);
            return true;
        }
        return false;
    }

    // Edits every page it knows; their number.
    int EditEveryPage()
    {
        int nEdited = 0;
        for (int i = 0; HWND hPage = ShowPage(i); ++i)
            nEdited += Edit(hPage) ? 1 : 0;
        ShowPage(0);
        return nEdited;
    }

    std::string m_dir;
    CRegistryScratch m_kept;
    std::unique_ptr<CProcess> m_control;
    HWND m_hSheet = nullptr;
};

TEST_F(FaultsE2e, CancelAfterEditsOnEveryPageLeavesTheStoreByteIdentical)
{
    const std::string before = RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora);
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(), 5);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_hSheet, IDC_SHEET_APPLY)));
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    PostMessageA(m_hSheet, WM_NULL, 0, 0);
    EXPECT_NE(-1, m_control->Wait(30000));
    m_hSheet = nullptr;
    EXPECT_EQ(RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora), before);
}

// The record keys exist and may be read but not written, as the store of a user without the
// right to change the machine's settings.
class CReadOnlyKey {
public:
    explicit CReadOnlyKey(const std::string& strPath) : m_strPath(strPath)
    {
        HKEY hKey = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        if (hKey)
            RegCloseKey(hKey);
        Set("D:P(A;OICI;KR;;;WD)");
    }
    ~CReadOnlyKey() { Writable(); }
    void Writable() { Set("D:(A;OICI;KA;;;WD)"); }

private:
    void Set(const char* pszSddl)
    {
        PSECURITY_DESCRIPTOR pSd = nullptr;
        HKEY hKey = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, nullptr) &&
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_strPath.c_str(), 0, WRITE_DAC, &hKey) == ERROR_SUCCESS) {
            RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSd);
            RegCloseKey(hKey);
        }
        LocalFree(pSd);
    }
    std::string m_strPath;
};

TEST_F(FaultsE2e, ARefusedWriteWarnsKeepsTheChoicesAndTheNextApplyWritesThem)
{
    CReadOnlyKey button(std::string(kSettings) + "\\GPButtons\\0");
    CReadOnlyKey general(std::string(kSettings) + "\\General");
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kSettings) + "\\General").c_str(),
                                                     0, KEY_WRITE, &hKey))
            << "this system does not refuse writes to a read-only key";
    }
    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(), 5);

    // Posted: the warning boxes run inside the press, one from each page whose write was
    // refused (Buttons; Application mode, whose general record is refused too).
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    int nBoxes = 0;
    for (HWND hBox; (hBox = WaitForWindow("#32770", "Warning.", nBoxes ? 2000 : 30000, true)) != nullptr; ++nBoxes) {
        EXPECT_EQ(ItemText(hBox, 0xFFFF), "Registry write error.");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hBox); }, 30000));
    }
    EXPECT_GE(nBoxes, 1);
    EXPECT_EQ(StoredDword("GPButtons\\0", "StartupAppNo"), -1);
    EXPECT_EQ(StoredDword("General", "BacklightOn"), -1);
    EXPECT_NE(nullptr, FindWindowA(nullptr, kSheetTitle));   // the sheet carries on

    // The store takes writes again: the same choices, still in the pages, are written.
    button.Writable();
    general.Writable();
    SendMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_EQ(nullptr, WaitForWindow("#32770", "Warning.", 1000, true));
    EXPECT_EQ(StoredDword("GPButtons\\0", "StartupAppNo"), kZoomIn);
    EXPECT_EQ(StoredDword("General", "BacklightOn"), 1);
    EXPECT_EQ(StoredDword("General", "ExtReceiver"), 0);   // the maker's 1, switched off
    EXPECT_EQ(StoredDword("General", "SubLcdMode"), 2);
    EXPECT_EQ(StoredDword("General", "AppMode"), 1);
    EXPECT_EQ(StoredDword("Media\\CD", "CurrentPlayer"), 0);
}

}  // namespace
