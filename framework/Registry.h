// CRegKey: a registry key opened for reading, closed once when the object ends. Moves,
// never copies. Results are Win32 status codes (ERROR_SUCCESS = 0).
#pragma once

#include <windows.h>

#include "CString.h"

class CRegKey {
public:
    CRegKey() : m_hKey(nullptr) {}
    explicit CRegKey(HKEY hKey) : m_hKey(hKey) {}
    ~CRegKey() { Close(); }
    CRegKey(CRegKey&& other) noexcept : m_hKey(other.Detach()) {}
    CRegKey& operator=(CRegKey&& other) noexcept;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Any key held before is closed first.
    LONG Open(HKEY hKeyParent, const char* pszKeyName, REGSAM samDesired = KEY_READ);
    LONG Close();
    void Attach(HKEY hKey);   // closes what was held
    HKEY Detach();
    operator HKEY() const { return m_hKey; }

    // A text value (REG_SZ or REG_EXPAND_SZ, not expanded) of at most nMaxBytes bytes
    // including its terminator; a missing terminator is supplied. ERROR_MORE_DATA when it
    // is longer, ERROR_INVALID_DATA for another type; value unchanged on failure.
    LONG QueryStringValue(const char* pszValueName, CString& value, DWORD nMaxBytes = 65536) const;

    HKEY m_hKey;
};
