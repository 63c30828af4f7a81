// Lets a test script the registry of the shared Wine prefix and leave no trace: keys are
// saved with everything below them and put back exactly (values, types, bytes, subkeys; a
// key that was absent is removed again), single values are overridden for a scope.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CRegistryScratch {
public:
    CRegistryScratch();
    // Keeps root\path (see Keep); with bEmpty the key then starts out empty.
    CRegistryScratch(HKEY hRoot, const std::string& strPath, bool bEmpty = false);
    // Puts every kept key back, the last kept first.
    ~CRegistryScratch();
    CRegistryScratch(const CRegistryScratch&) = delete;
    CRegistryScratch& operator=(const CRegistryScratch&) = delete;

    // Saves root\path with its whole subtree, or that it does not exist.
    void Keep(HKEY hRoot, const std::string& strPath);

private:
    struct Key;
    std::vector<std::unique_ptr<Key>> m_kept;
};

// Sets one value (null name: the key's default value) until the end of the scope, then puts
// back what was there, or removes the value (and the key, if the override made it).
class CRegValueOverride {
public:
    CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue);
    CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue);
    // Any type and bytes; a null pData removes the value for the scope.
    CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType,
                      const void* pData, DWORD cbData);
    ~CRegValueOverride();
    CRegValueOverride(const CRegValueOverride&) = delete;
    CRegValueOverride& operator=(const CRegValueOverride&) = delete;

private:
    HKEY m_hRoot;
    std::wstring m_strKey;
    std::wstring m_strName;
    bool m_bKeyExisted;
    bool m_bPresent;
    DWORD m_dwType;
    std::vector<BYTE> m_data;
};

// Plain writes, creating the key when needed; true when the value is written (or gone).
bool SetRegValue(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType, const void* pData,
                 DWORD cbData);
bool SetRegDword(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue);
bool SetRegString(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue,
                  DWORD dwType = REG_SZ);
bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const char* pszName);
