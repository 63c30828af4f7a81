// Puts registry values back as they were when the test started, so a test can script the
// machine's registry (the prefix is shared with other tests) and leave no trace.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegistryRestore {
public:
    RegistryRestore() = default;
    RegistryRestore(const RegistryRestore&) = delete;
    RegistryRestore& operator=(const RegistryRestore&) = delete;
    ~RegistryRestore()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            Put(*it);
    }

    // Remembers value pszValue (null: the default value) of root\key before it is changed.
    void Keep(HKEY hRoot, const std::string& strKey, const char* pszValue)
    {
        Saved saved{hRoot, strKey, pszValue ? pszValue : "", pszValue == nullptr, false, REG_NONE, {}};
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
            DWORD cb = 0;
            if (RegQueryValueExA(hKey, pszValue, nullptr, &saved.dwType, nullptr, &cb) == ERROR_SUCCESS) {
                saved.data.resize(cb);
                saved.bPresent = RegQueryValueExA(hKey, pszValue, nullptr, &saved.dwType,
                                                  saved.data.data(), &cb) == ERROR_SUCCESS;
            }
            RegCloseKey(hKey);
        }
        m_saved.push_back(saved);
    }

    static void SetDword(HKEY hRoot, const std::string& strKey, const char* pszValue, DWORD dw)
    {
        SetRaw(hRoot, strKey, pszValue, REG_DWORD, &dw, sizeof(dw));
    }
    static void SetString(HKEY hRoot, const std::string& strKey, const char* pszValue, const std::string& str)
    {
        SetRaw(hRoot, strKey, pszValue, REG_SZ, str.c_str(), static_cast<DWORD>(str.size() + 1));
    }
    static void SetRaw(HKEY hRoot, const std::string& strKey, const char* pszValue, DWORD dwType,
                       const void* pData, DWORD cb)
    {
        HKEY hKey = nullptr;
        if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(hKey, pszValue, 0, dwType, static_cast<const BYTE*>(pData), cb);
            RegCloseKey(hKey);
        }
    }
    static void Delete(HKEY hRoot, const std::string& strKey, const char* pszValue)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_WRITE, &hKey) == ERROR_SUCCESS) {
            RegDeleteValueA(hKey, pszValue);
            RegCloseKey(hKey);
        }
    }

private:
    struct Saved {
        HKEY hRoot;
        std::string strKey;
        std::string strValue;
        bool bDefault;
        bool bPresent;
        DWORD dwType;
        std::vector<BYTE> data;
    };

    static void Put(const Saved& saved)
    {
        const char* pszValue = saved.bDefault ? nullptr : saved.strValue.c_str();
        if (saved.bPresent)
            SetRaw(saved.hRoot, saved.strKey, pszValue, saved.dwType, saved.data.data(),
                   static_cast<DWORD>(saved.data.size()));
        else
            Delete(saved.hRoot, saved.strKey, pszValue);
    }

    std::vector<Saved> m_saved;
};
