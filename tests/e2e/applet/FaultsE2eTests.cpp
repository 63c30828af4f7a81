// Faults end to end: control.exe runs Pallum.cpl over the real settings stand-in, which keeps
// each user's records where the product's do (HKCU "Software\KELVORA"), read over the machine's
// (HKLM); both keys are put back afterwards. Cancel after edits on every page leaves both
// byte-identical; a write the store refuses warns once, keeps the choices, and the next Apply
// writes them; a standard user, to whom the machine's key is read-only, saves every page.
#include <windows.h>
#include <prsht.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "InstalledApplet.h"
#include "resource.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const char kKelvora[] = "Software\\KELVORA";
const char kSettings[] = "Software\\KELVORA\\KELVORA Controls\\Settings";
const int kZoomIn = 103;

long long StoredDword(const std::string& strSub, const char* pszName)
{
    DWORD dw = 0, cb = sizeof(dw);
    if (RegGetValueA(HKEY_CURRENT_USER, (std::string(kSettings) + "\\" + strSub).c_str(), pszName, RRF_RT_REG_DWORD,
                     nullptr, &dw, &cb) != ERROR_SUCCESS)
        return -1;
    return dw;
}

// Pallum.cpl installed over the product's own keys, with no user records at first.
class FaultsE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_applet.reset(new CInstalledApplet(nullptr));
        ASSERT_TRUE(m_applet->Ready());
    }

    void TearDown() override
    {
        if (m_hSheet && IsWindow(m_hSheet)) {
            PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            PostMessageA(m_hSheet, WM_NULL, 0, 0);
        }
        if (m_control)
            m_control->Wait(30000);
    }

    bool OpenSheet()
    {
        m_control.reset(m_applet->StartControl());
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

    // Whether the page shows what Edit made it show.
    static bool ShowsEdit(HWND hPage)
    {
        auto checked = [&](int nId) { return IsDlgButtonChecked(hPage, nId) == BST_CHECKED; };
        if (HWND hList = GetDlgItem(hPage, IDC_BUTTON0_LIST))
            return SendMessageA(hList, CB_GETITEMDATA, SendMessageA(hList, CB_GETCURSEL, 0, 0), 0) == kZoomIn;
        if (HWND hCd = GetDlgItem(hPage, IDC_MEDIA_CD_LIST))
            return SendMessageA(hCd, CB_GETCURSEL, 0, 0) == 1;
        if (GetDlgItem(hPage, IDC_APPMODE_USE))
            return checked(IDC_APPMODE_USE);
        if (GetDlgItem(hPage, IDC_SUBLCD_BACKLIGHT))
            return checked(IDC_SUBLCD_BACKLIGHT) && ItemText(hPage, IDC_SUBLCD_OWNER) == "Edited";
        return GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER) && !checked(IDC_REMOCON_EXT_RECEIVER);
    }

    // Edits every page it knows, or with bCheck counts those showing the edit; their number.
    int EditEveryPage(bool bCheck = false)
    {
        int nPages = 0;
        for (int i = 0; HWND hPage = ShowPage(i); ++i)
            nPages += (bCheck ? ShowsEdit(hPage) : Edit(hPage)) ? 1 : 0;
        ShowPage(0);
        return nPages;
    }

    void CancelSheet()
    {
        PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        PostMessageA(m_hSheet, WM_NULL, 0, 0);
        EXPECT_NE(-1, m_control->Wait(30000));
        m_hSheet = nullptr;
    }

    std::unique_ptr<CInstalledApplet> m_applet;
    std::unique_ptr<CProcess> m_control;
    HWND m_hSheet = nullptr;
};

TEST_F(FaultsE2e, CancelAfterEditsOnEveryPageLeavesTheStoreByteIdentical)
{
    SetRegDword(HKEY_CURRENT_USER, std::string(kSettings) + "\\General", "BacklightOn", 0);
    const std::string before = RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora);
    const std::string beforeUser = RegistryTreeText(HKEY_CURRENT_USER, kKelvora);
    ASSERT_FALSE(before.empty() || beforeUser.empty());
    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(), 5);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_hSheet, IDC_SHEET_APPLY)));
    CancelSheet();
    EXPECT_EQ(RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora), before);
    EXPECT_EQ(RegistryTreeText(HKEY_CURRENT_USER, kKelvora), beforeUser);
}

// Keys (made when missing) that may be read but not written, as a user without the right to
// change them meets them; with bTree every key below too (Wine puts an ACL on one key alone).
class CReadOnlyKeys {
public:
    CReadOnlyKeys(HKEY hRoot, const std::string& strPath, bool bTree = false) : m_hRoot(hRoot)
    {
        HKEY hKey = nullptr;
        RegCreateKeyExA(hRoot, strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
        if (hKey)
            RegCloseKey(hKey);
        Collect(strPath, bTree);
        Set("D:P(A;OICI;KR;;;WD)");
    }
    ~CReadOnlyKeys() { Writable(); }
    void Writable() { Set("D:(A;OICI;KA;;;WD)"); }

private:
    void Collect(const std::string& strPath, bool bTree)
    {
        m_paths.push_back(strPath);
        HKEY hKey = nullptr;
        if (!bTree || RegOpenKeyExA(m_hRoot, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            return;
        char szName[256];
        for (DWORD i = 0, cch = sizeof(szName); RegEnumKeyExA(hKey, i, szName, &cch, nullptr, nullptr, nullptr,
                                                              nullptr) == ERROR_SUCCESS; ++i, cch = sizeof(szName))
            Collect(strPath + "\\" + szName, true);
        RegCloseKey(hKey);
    }
    void Set(const char* pszSddl)
    {
        PSECURITY_DESCRIPTOR pSd = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(pszSddl, SDDL_REVISION_1, &pSd, nullptr))
            return;
        for (const std::string& strPath : m_paths) {
            HKEY hKey = nullptr;
            if (RegOpenKeyExA(m_hRoot, strPath.c_str(), 0, WRITE_DAC, &hKey) == ERROR_SUCCESS) {
                RegSetKeySecurity(hKey, DACL_SECURITY_INFORMATION, pSd);
                RegCloseKey(hKey);
            }
        }
        LocalFree(pSd);
    }
    HKEY m_hRoot;
    std::vector<std::string> m_paths;
};

bool WriteRefused(HKEY hRoot, const std::string& strPath)
{
    HKEY hKey = nullptr;
    const LONG lResult = RegOpenKeyExA(hRoot, strPath.c_str(), 0, KEY_WRITE, &hKey);
    if (hKey)
        RegCloseKey(hKey);
    return lResult == ERROR_ACCESS_DENIED;
}

TEST_F(FaultsE2e, ARefusedWriteWarnsKeepsTheChoicesAndTheNextApplyWritesThem)
{
    CReadOnlyKeys button(HKEY_CURRENT_USER, std::string(kSettings) + "\\GPButtons\\0");
    CReadOnlyKeys general(HKEY_CURRENT_USER, std::string(kSettings) + "\\General");
    ASSERT_TRUE(WriteRefused(HKEY_CURRENT_USER, std::string(kSettings) + "\\General"))
        << "this system does not refuse writes to a read-only key";
    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(), 5);

    // Posted: the warning runs inside the press; one, though five pages were refused.
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    int nBoxes = 0;
    for (HWND hBox; (hBox = WaitForWindow("#32770", "Warning.", nBoxes ? 2000 : 30000, true)) != nullptr; ++nBoxes) {
        EXPECT_EQ(ItemText(hBox, 0xFFFF), "Registry write error.");
        PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(hBox); }, 30000));
    }
    EXPECT_EQ(nBoxes, 1);
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

// Windows runs the Control Panel unelevated: the machine's key is read-only. Every page saves
// to the user's own records, the machine's stay as they were, and another user sees them still.
// A Mirrend.dll of the system folder (here a decoy without the library's exports) is not taken.
TEST_F(FaultsE2e, AStandardUserSavesEveryPageOverAReadOnlyMachineKey)
{
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, sizeof(szSystem));
    struct Decoy {
        std::string path;
        ~Decoy() { DeleteFileA(path.c_str()); }
    } decoy{std::string(szSystem) + "\\Mirrend.dll"};
    ASSERT_TRUE(CopyFileA(BuildPath("KELVORA_NOLVIC").c_str(), decoy.path.c_str(), FALSE));
    const std::string machine = RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora);
    CReadOnlyKeys readOnly(HKEY_LOCAL_MACHINE, kKelvora, true);
    ASSERT_TRUE(WriteRefused(HKEY_LOCAL_MACHINE, std::string(kKelvora) + "\\KELVORA Controls\\DefaultSetting\\Mirrend"));

    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(), 5);
    PostMessageA(m_hSheet, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_TRUE(PumpUntil([] { return StoredDword("General", "ExtReceiver") == 0; }, 30000));
    EXPECT_EQ(nullptr, WaitForWindow("#32770", "Warning.", 1000, true));
    EXPECT_EQ(StoredDword("GPButtons\\0", "StartupAppNo"), kZoomIn);
    EXPECT_EQ(StoredDword("Media\\CD", "CurrentPlayer"), 0);
    CancelSheet();

    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(true), 5);
    CancelSheet();
    EXPECT_EQ(RegistryTreeText(HKEY_LOCAL_MACHINE, kKelvora), machine);

    RegDeleteTreeA(HKEY_CURRENT_USER, kKelvora);
    ASSERT_TRUE(OpenSheet());
    EXPECT_EQ(EditEveryPage(true), 0);
    CancelSheet();
}

}  // namespace
