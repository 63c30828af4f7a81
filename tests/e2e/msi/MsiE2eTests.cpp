// The package end to end, as an administrator meets it: silent install, what it puts in
// place, the applet in the Control Panel, Orvex at logon, repeated and newer installs, and
// removal. Runs in a Wine prefix made for this run alone (in-fresh-prefix); the cases run in
// order, each on the machine as the one before left it.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "resource.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kCaption[] = "KELVORA Controls Properties";
const char kCpls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kDefaults[] = "Software\\KELVORA\\KELVORA Controls\\DefaultSetting";
const char kUserGeneral[] = "Software\\KELVORA\\KELVORA Controls\\Settings\\General";
const char kUserSchedule[] = "Software\\KELVORA\\KELVORA Controls\\Schedule";
const DWORD kMsiexecTimeoutMs = 120000;

std::string Env(const char* pszName)
{
    const char* psz = std::getenv(pszName);
    return psz ? psz : "";
}

std::string Folder(int csidl)
{
    char sz[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, sz);
    return sz;
}

std::string KelvoraFolder() { return Folder(CSIDL_PROGRAM_FILES) + "\\KELVORA"; }
std::string InstallDir() { return KelvoraFolder() + "\\KELVORA Controls"; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the package puts on disk: the suite with its settings library, then the stand-ins.
const char* const kSuiteFiles[] = {"Pallum.cpl", "Mirrend.dll", "Orvex.exe", "Hushwell.exe"};
const char* const kStandInFiles[] = {"Orvex.dll", "Quorlat.exe", "Nolvic.cpl"};

std::vector<std::string> InstalledFiles()
{
    std::vector<std::string> files;
    for (const char* psz : kSuiteFiles)
        files.push_back(InstallDir() + "\\" + psz);
    for (const char* psz : kStandInFiles)
        files.push_back(InstallDir() + "\\" + psz);
    return files;
}

std::string SystemFile(const char* pszName)
{
    char szSystem[MAX_PATH] = "";
    GetSystemDirectoryA(szSystem, MAX_PATH);
    return std::string(szSystem) + "\\" + pszName;
}

// The shortcut's folder in whichever Start menu the installer took for all users.
std::string StartMenuFolder()
{
    for (int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
        std::string folder = Folder(csidl) + "\\KELVORA Controls";
        if (Exists(folder))
            return folder;
    }
    return "";
}

std::string ShortcutTarget(const std::string& link)
{
    std::string target;
    IShellLinkA* pLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&pLink))))
        return target;
    IPersistFile* pFile = nullptr;
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
        std::wstring wide(link.begin(), link.end());
        char sz[MAX_PATH] = "";
        if (SUCCEEDED(pFile->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(pLink->GetPath(sz, MAX_PATH, nullptr, 0)))
            target = sz;
        pFile->Release();
    }
    pLink->Release();
    return target;
}

// A text value; "(none)" when it is not there.
std::string Text(HKEY hRoot, const char* pszKey, const char* pszName)
{
    char sz[MAX_PATH] = "";
    DWORD cb = sizeof(sz);
    if (RegGetValueA(hRoot, pszKey, pszName, RRF_RT_REG_SZ, nullptr, sz, &cb) != ERROR_SUCCESS)
        return "(none)";
    return sz;
}

bool KeyExists(HKEY hRoot, const char* pszKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

long Msiexec(const char* pszAction, const std::string& package)
{
    CProcess msiexec("msiexec " + std::string(pszAction) + " \"" + package + "\" /qn");
    return msiexec.Wait(kMsiexecTimeoutMs);
}

// Versions of the installed products that carry the package's upgrade code.
std::vector<std::string> InstalledVersions()
{
    std::vector<std::string> versions;
    char szProduct[39];
    for (DWORD i = 0; MsiEnumRelatedProductsA(KELVORA_UPGRADE_CODE, 0, i, szProduct) == ERROR_SUCCESS; ++i) {
        char szVersion[64] = "";
        DWORD cch = sizeof(szVersion);
        MsiGetProductInfoA(szProduct, INSTALLPROPERTY_VERSIONSTRING, szVersion, &cch);
        versions.push_back(szVersion);
    }
    return versions;
}

// Orvex as a logon starts it: the command line of the Run value.
std::unique_ptr<CProcess> StartOrvexAtLogon()
{
    auto orvex = std::make_unique<CProcess>(Text(HKEY_LOCAL_MACHINE, kRun, "Orvex"));
    if (!WaitForWindow("Voldlg", "Orvex Window", 30000))
        return nullptr;
    return orvex;
}

// Item texts of a list view in another process: the item record and its text buffer have
// to live in that process.
std::vector<std::string> ListViewTexts(HWND hList)
{
    std::vector<std::string> texts;
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hList, &dwPid);
    HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
    if (!hProcess)
        return texts;
    const SIZE_T cchText = 256;
    char* pRemote = static_cast<char*>(
        VirtualAllocEx(hProcess, nullptr, sizeof(LVITEMA) + cchText, MEM_COMMIT, PAGE_READWRITE));
    const int nCount = pRemote ? static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < nCount; ++i) {
        LVITEMA item = {};
        item.pszText = pRemote + sizeof(LVITEMA);
        item.cchTextMax = static_cast<int>(cchText);
        char sz[cchText] = "";
        if (WriteProcessMemory(hProcess, pRemote, &item, sizeof(item), nullptr) &&
            SendMessageA(hList, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(pRemote)) >= 0 &&
            ReadProcessMemory(hProcess, item.pszText, sz, cchText - 1, nullptr))
            texts.push_back(sz);
    }
    if (pRemote)
        VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    CloseHandle(hProcess);
    return texts;
}

class Msi : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }

    const std::string m_package = BuildPath("KELVORA_MSI");
    const std::string m_rebuilt = BuildPath("KELVORA_MSI_REBUILT");
    const std::string m_newer = BuildPath("KELVORA_MSI_NEWER");
    const std::string m_version = Env("KELVORA_PRODUCT_VERSION");
    const std::string m_newerVersion = Env("KELVORA_NEWER_VERSION");
};

TEST_F(Msi, SilentInstallPutsTheSuiteInPlace)
{
    ASSERT_EQ(0, Msiexec("/i", m_package));
    for (const std::string& file : InstalledFiles())
        EXPECT_TRUE(Exists(file)) << file;

    const struct {
        const char* pszKey;
        const char* pszName;
        std::string expected;
    } texts[] = {
        {kCpls, "Pallum", InstallDir() + "\\Pallum.cpl"},
        {kCpls, "Nolvic", InstallDir() + "\\Nolvic.cpl"},
        {kRun, "Orvex", "\"" + InstallDir() + "\\Orvex.exe\""},
    };
    for (const auto& t : texts)
        EXPECT_STRCASEEQ(t.expected.c_str(), Text(HKEY_LOCAL_MACHINE, t.pszKey, t.pszName).c_str()) << t.pszName;

    // Some of the maker's defaults: the first, a zero, the last.
    const struct {
        const char* pszKey;
        const char* pszName;
        DWORD dwExpected;
    } dwords[] = {
        {"GeneralSetting\\Pages", "GPBtn", 1},
        {"startupapp\\apps\\104", "DisplayList", 0},
        {"startupapp\\apps\\120", "DisplayList", 1},
    };
    for (const auto& d : dwords) {
        DWORD dwValue = 0xFFFFFFFF, cb = sizeof(dwValue);
        const std::string key = std::string(kDefaults) + "\\" + d.pszKey;
        EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), d.pszName, RRF_RT_REG_DWORD,
                                              nullptr, &dwValue, &cb)) << d.pszKey;
        EXPECT_EQ(d.dwExpected, dwValue) << d.pszKey;
    }

    const std::string menu = StartMenuFolder();
    ASSERT_FALSE(menu.empty()) << "no Start menu folder KELVORA Controls";
    EXPECT_STRCASEEQ((InstallDir() + "\\Hushwell.exe").c_str(), ShortcutTarget(menu + "\\Hushwell.lnk").c_str());

    EXPECT_EQ(std::vector<std::string>{m_version}, InstalledVersions());
}

TEST_F(Msi, ControlPanelOpensAndListsTheInstalledApplet)
{
    const std::string cpl = Text(HKEY_LOCAL_MACHINE, kCpls, "Pallum");
    {
        CProcess control("control.exe \"" + cpl + "\"");
        HWND hSheet = WaitForWindow(nullptr, kCaption, 30000, true);
        ASSERT_NE(nullptr, hSheet) << "control.exe " << cpl;
        PostMessageA(hSheet, WM_COMMAND, IDCANCEL, 0);
        EXPECT_NE(-1, control.Wait(15000));
    }

    CProcess control("control.exe");
    HWND hPanel = WaitForWindow(nullptr, "Wine Control Panel", 30000, true);
    ASSERT_NE(nullptr, hPanel);
    HWND hList = FindWindowExA(hPanel, nullptr, WC_LISTVIEWA, nullptr);
    std::vector<std::string> names = ListViewTexts(hList);
    PostMessageA(hPanel, WM_CLOSE, 0, 0);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "KELVORA Controls")) << names.size() << " items";
    EXPECT_NE(-1, control.Wait(15000));
}

// The same package again, a rebuild of the same version and a newer one each leave one
// installation; an older one over a newer is refused. Replacing Orvex ends it first, in order.
TEST_F(Msi, RepeatedAndNewerInstallsLeaveOneInstallation)
{
    ASSERT_EQ(std::vector<std::string>{m_version}, InstalledVersions());
    std::unique_ptr<CProcess> orvex = StartOrvexAtLogon();
    ASSERT_TRUE(orvex) << "the Run value did not start Orvex";
    EXPECT_EQ(-1, orvex->Wait(500)) << "Orvex did not stay";

    const struct {
        const std::string& package;
        bool bAccepted;
        const std::string& version;
    } installs[] = {
        {m_package, true, m_version},
        {m_rebuilt, true, m_version},
        {m_newer, true, m_newerVersion},
        {m_package, false, m_newerVersion},
    };
    for (const auto& install : installs) {
        const long nExit = Msiexec("/i", install.package);
        if (install.bAccepted)
            EXPECT_EQ(0, nExit) << install.package;
        else
            EXPECT_NE(0, nExit) << install.package;
        EXPECT_EQ(std::vector<std::string>{install.version}, InstalledVersions()) << install.package;
        for (const std::string& file : InstalledFiles())
            EXPECT_TRUE(Exists(file)) << file << " after " << install.package;
    }
    EXPECT_EQ(1, orvex->Wait(1000)) << "Orvex was not closed by the upgrade";
}

TEST_F(Msi, UninstallRemovesThePackageAndKeepsTheUserSettings)
{
    ASSERT_EQ(std::vector<std::string>{m_newerVersion}, InstalledVersions());
    // What the user stores: a settings library record and the schedule applet's values.
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kUserGeneral, "OwnerString", REG_SZ, "kept", 5));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kUserSchedule, "Note", REG_SZ, "kept", 5));
    std::unique_ptr<CProcess> orvex = StartOrvexAtLogon();
    ASSERT_TRUE(orvex);
    const std::string menu = StartMenuFolder();
    ASSERT_FALSE(menu.empty());

    ASSERT_EQ(0, Msiexec("/x", m_newer));
    EXPECT_EQ(1, orvex->Wait(1000)) << "Orvex was not closed in order";
    for (const std::string& file : InstalledFiles())
        EXPECT_FALSE(Exists(file)) << file;
    EXPECT_FALSE(Exists(KelvoraFolder()));
    EXPECT_FALSE(Exists(menu));
    EXPECT_EQ("(none)", Text(HKEY_LOCAL_MACHINE, kCpls, "Pallum"));
    EXPECT_EQ("(none)", Text(HKEY_LOCAL_MACHINE, kCpls, "Nolvic"));
    EXPECT_EQ("(none)", Text(HKEY_LOCAL_MACHINE, kRun, "Orvex"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kDefaults));
    EXPECT_TRUE(InstalledVersions().empty());

    EXPECT_EQ("kept", Text(HKEY_CURRENT_USER, kUserGeneral, "OwnerString"));
    EXPECT_EQ("kept", Text(HKEY_CURRENT_USER, kUserSchedule, "Note"));
}

// A machine that has the maker's own components (its own prefix): the package neither replaces
// nor removes them, and the applet saves through the settings library it carries.
class MsiOverMaker : public Msi {
protected:
    // The maker's part of the machine, as text: its registry and its files' bytes.
    static std::string MakersPart()
    {
        std::string text = RegistryTreeText(HKEY_LOCAL_MACHINE, "Software\\KELVORA") + "|" +
                           Text(HKEY_LOCAL_MACHINE, kCpls, "Nolvic");
        for (const char* psz : {"Orvex.dll", "Mirrend.dll", "Nolvic.cpl"}) {
            HANDLE hFile = CreateFileA(SystemFile(psz).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            char buf[64] = "";
            DWORD cb = 0;
            if (hFile != INVALID_HANDLE_VALUE) {
                ReadFile(hFile, buf, sizeof(buf) - 1, &cb, nullptr);
                CloseHandle(hFile);
            }
            text += std::string("|") + psz + "=" + std::string(buf, cb);
        }
        return text;
    }
};

TEST_F(MsiOverMaker, LeavesTheMakersComponentsAsTheyAreAndTheAppletSaves)
{
    {
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_EQ(0, regedit.Wait(60000));
    }
    for (const char* psz : {"Orvex.dll", "Mirrend.dll", "Nolvic.cpl"}) {
        const std::string bytes = std::string("the maker's ") + psz;
        HANDLE hFile = CreateFileA(SystemFile(psz).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD cb = 0;
        ASSERT_TRUE(hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &cb, nullptr));
        CloseHandle(hFile);
    }
    const std::string maker = MakersPart();

    ASSERT_EQ(0, Msiexec("/i", m_package));
    EXPECT_EQ(maker, MakersPart());
    for (const char* psz : kSuiteFiles)
        EXPECT_TRUE(Exists(InstallDir() + "\\" + psz)) << psz;
    for (const char* psz : kStandInFiles)
        EXPECT_FALSE(Exists(InstallDir() + "\\" + psz)) << psz;
    {
        CProcess control("control.exe \"" + Text(HKEY_LOCAL_MACHINE, kCpls, "Pallum") + "\"");
        HWND hSheet = WaitForWindow(nullptr, kCaption, 30000, true);
        ASSERT_NE(nullptr, hSheet);
        SendMessageA(hSheet, PSM_SETCURSEL, TabTitles(hSheet).size() - 1, 0);   // RC
        HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendMessageA(GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER), BM_CLICK, 0, 0);
        SendMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        PostMessageA(hSheet, WM_NULL, 0, 0);
        EXPECT_NE(-1, control.Wait(15000));
    }
    DWORD dw = 1, cb = sizeof(dw);
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, kUserGeneral, "ExtReceiver", RRF_RT_REG_DWORD, nullptr, &dw, &cb));
    EXPECT_EQ(0u, dw);

    ASSERT_EQ(0, Msiexec("/x", m_package));
    EXPECT_EQ(maker, MakersPart());
    EXPECT_FALSE(Exists(InstallDir()));
}

}  // namespace
