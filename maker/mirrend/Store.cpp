#include "Store.h"

#include <cstdlib>
#include <cstring>

namespace mirrend {

namespace {

const char BASE_PATH[] = "Software\\KELVORA\\KELVORA Controls";

bool StartsWithHive(const std::string& str, const char* pszHive, std::string& rest)
{
    size_t n = std::strlen(pszHive);
    if (str.size() < n || _strnicmp(str.c_str(), pszHive, n) != 0)
        return false;
    if (str.size() == n) {
        rest.clear();
        return true;
    }
    if (str[n] != '\\')
        return false;
    rest = str.substr(n + 1);
    return true;
}

Location Below(const Location& base, const std::string& strSub)
{
    Location loc = base;
    if (loc.hHive)
        loc.strPath = loc.strPath.empty() ? strSub : loc.strPath + "\\" + strSub;
    return loc;
}

}  // namespace

Location BaseLocation(Scope scope)
{
    Location loc;
    char szRoot[512];
    DWORD cch = GetEnvironmentVariableA("MIRREND_ROOT", szRoot, sizeof(szRoot));
    if (cch == 0) {
        loc.hHive = scope == Scope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        loc.strPath = BASE_PATH;
        return loc;
    }
    if (cch >= sizeof(szRoot))
        return loc;   // too long to be a key: unusable, never a silent fallback
    std::string str(szRoot), rest;
    if (StartsWithHive(str, "HKLM", rest) || StartsWithHive(str, "HKEY_LOCAL_MACHINE", rest))
        loc.hHive = HKEY_LOCAL_MACHINE;
    else if (StartsWithHive(str, "HKCU", rest) || StartsWithHive(str, "HKEY_CURRENT_USER", rest))
        loc.hHive = HKEY_CURRENT_USER;
    if (loc.hHive)
        loc.strPath = rest;
    return loc;
}

Location SettingsLocation(const char* pszSub, Scope scope)
{
    return Below(BaseLocation(scope), std::string("Settings\\") + pszSub);
}

Scope ReadScope(const char* pszRecord)
{
    HKEY hKey = nullptr;
    const OpenResult result = OpenForRead(SettingsLocation(pszRecord, Scope::User), hKey);
    if (hKey)
        RegCloseKey(hKey);
    return result == OpenResult::Missing ? Scope::Machine : Scope::User;
}

Location MakerLocation()
{
    return Below(BaseLocation(), "DefaultSetting\\Mirrend");
}

OpenResult OpenForRead(const Location& loc, HKEY& hKey)
{
    hKey = nullptr;
    if (!loc.hHive)
        return OpenResult::Failed;
    LONG lResult = RegOpenKeyExA(loc.hHive, loc.strPath.c_str(), 0, KEY_READ, &hKey);
    if (lResult == ERROR_SUCCESS)
        return OpenResult::Opened;
    hKey = nullptr;
    return lResult == ERROR_FILE_NOT_FOUND ? OpenResult::Missing : OpenResult::Failed;
}

bool OpenForWrite(const Location& loc, HKEY& hKey)
{
    hKey = nullptr;
    if (!loc.hHive)
        return false;
    if (RegCreateKeyExA(loc.hHive, loc.strPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
        hKey = nullptr;
        return false;
    }
    return true;
}

bool ReadText(HKEY hKey, const char* pszName, CString& str)
{
    char szText[MAX_TEXT + 1];
    DWORD dwType = 0, cbData = sizeof(szText);
    if (RegQueryValueExA(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(szText),
                         &cbData) != ERROR_SUCCESS)
        return false;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return false;
    // The stored data need not carry its terminating zero.
    size_t cch = strnlen(szText, cbData);
    if (cch > MAX_TEXT)
        return false;
    str = CString(szText, static_cast<int>(cch));
    return true;
}

void ReadFields(CRegKeyEx& key, const Field* pFields, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i) {
        if (pFields[i].pn)
            key.QueryValue(*pFields[i].pn, pFields[i].pszName);
        else
            ReadText(key.m_hKey, pFields[i].pszName, *pFields[i].pstr);
    }
}

bool WriteFields(HKEY hKey, const Field* pFields, size_t nCount)
{
    for (size_t i = 0; i < nCount; ++i)
        if (pFields[i].pstr && pFields[i].pstr->GetLength() > static_cast<int>(MAX_TEXT))
            return false;
    for (size_t i = 0; i < nCount; ++i) {
        LONG lResult;
        if (pFields[i].pn) {
            DWORD dw = static_cast<DWORD>(*pFields[i].pn);
            lResult = RegSetValueExA(hKey, pFields[i].pszName, 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&dw), sizeof(dw));
        } else {
            const CString& str = *pFields[i].pstr;
            lResult = RegSetValueExA(hKey, pFields[i].pszName, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(str.GetString()),
                                     static_cast<DWORD>(str.GetLength()) + 1);
        }
        if (lResult != ERROR_SUCCESS)
            return false;
    }
    return true;
}

int ReadMakerValue(const char* pszName, int nDefault)
{
    CRegKeyEx key;
    if (OpenForRead(MakerLocation(), key.m_hKey) != OpenResult::Opened)
        return nDefault;
    int nValue = nDefault;
    key.QueryValue(nValue, pszName);
    return nValue;
}

}  // namespace mirrend
