// DetectMaker: the package's look for the maker's own components, so that its stand-ins never
// replace them. Sets MAKER_SETTINGS (the maker's DefaultSetting key), MAKER_NOLVIC (the
// Control Panel's "Nolvic" entry) and MAKER_ORVEXHOOK (Orvex.dll in the system folder, where
// the stand-in never goes); the components' conditions read them.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

namespace {

const char DEFAULT_SETTING[] = "Software\\KELVORA\\KELVORA Controls\\DefaultSetting";
const char STAND_INS[] = "Software\\KELVORA\\KELVORA Controls\\StandIns";
const char CPLS[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cpls";

bool HasValue(const char* pszKey, const char* pszName)
{
    return RegGetValueA(HKEY_LOCAL_MACHINE, pszKey, pszName, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool HasKey(const char* pszKey)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

// A stand-in an earlier package of ours put there (an upgrade) is not the maker's.
bool Maker(bool bFound, const char* pszMark)
{
    return bFound && !(pszMark && HasValue(STAND_INS, pszMark));
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall DetectMaker(MSIHANDLE hInstall)
{
    char szHook[MAX_PATH + 16] = "";
    const UINT cch = GetSystemDirectoryA(szHook, MAX_PATH);
    const bool bHook = cch && cch < MAX_PATH && lstrcatA(szHook, "\\Orvex.dll") &&
                       GetFileAttributesA(szHook) != INVALID_FILE_ATTRIBUTES;
    const struct {
        const char* pszProperty;
        bool bMaker;
    } found[] = {
        {"MAKER_SETTINGS", Maker(HasKey(DEFAULT_SETTING), "Defaults")},
        {"MAKER_NOLVIC", Maker(HasValue(CPLS, "Nolvic"), "Nolvic")},
        {"MAKER_ORVEXHOOK", bHook},
    };
    for (const auto& f : found) {
        if (f.bMaker && MsiSetPropertyA(hInstall, f.pszProperty, "1") != ERROR_SUCCESS)
            return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}
