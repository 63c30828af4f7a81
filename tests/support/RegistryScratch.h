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

    // Values of the key the scratch was made with (null name: the default value); true
    // when written.
    bool SetValue(const char* pszName, DWORD dwType, const void* pData, DWORD cbData);
    bool SetDword(const char* pszName, DWORD dwValue) { return SetValue(pszName, REG_DWORD, &dwValue, 4); }
    bool SetString(const char* pszName, const std::string& strValue, DWORD dwType = REG_SZ)
    {
        return SetValue(pszName, dwType, strValue.c_str(), static_cast<DWORD>(strValue.size() + 1));
    }

private:
    struct Key;
    std::vector<std::unique_ptr<Key>> m_kept;
};

// Sets one value (null name: the key's default value) until the end of the scope, then puts
// its key back as it was (removed, if the override made it).
class CRegValueOverride : public CRegistryScratch {
public:
    CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue)
        : CRegistryScratch(hRoot, strKey), m_bWritten(SetDword(pszName, dwValue))
    {
    }
    CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue)
        : CRegistryScratch(hRoot, strKey), m_bWritten(SetString(pszName, strValue))
    {
    }

    bool Written() const { return m_bWritten; }

private:
    bool m_bWritten;
};

// Plain writes, creating the key when needed; true when the value is written (or gone).
bool SetRegValue(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType, const void* pData,
                 DWORD cbData);
inline bool SetRegDword(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue)
{
    return SetRegValue(hRoot, strKey, pszName, REG_DWORD, &dwValue, sizeof(dwValue));
}
inline bool SetRegString(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue,
                         DWORD dwType = REG_SZ)
{
    return SetRegValue(hRoot, strKey, pszName, dwType, strValue.c_str(), static_cast<DWORD>(strValue.size() + 1));
}
bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const char* pszName);
// Removes the key with everything below it.
void DeleteRegKey(HKEY hRoot, const std::string& strKey);
