#include "Registry.h"

#include <vector>

CRegKey& CRegKey::operator=(CRegKey&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

LONG CRegKey::Open(HKEY hKeyParent, const char* pszKeyName, REGSAM samDesired)
{
    Close();
    HKEY hKey = nullptr;
    const LONG nStatus = RegOpenKeyExA(hKeyParent, pszKeyName, 0, samDesired, &hKey);
    if (nStatus == ERROR_SUCCESS)
        m_hKey = hKey;
    return nStatus;
}

LONG CRegKey::Close()
{
    if (!m_hKey)
        return ERROR_SUCCESS;
    return RegCloseKey(Detach());
}

void CRegKey::Attach(HKEY hKey)
{
    Close();
    m_hKey = hKey;
}

HKEY CRegKey::Detach()
{
    HKEY hKey = m_hKey;
    m_hKey = nullptr;
    return hKey;
}

LONG CRegKey::QueryStringValue(const char* pszValueName, CString& value, DWORD nMaxBytes) const
{
    DWORD dwType = 0;
    DWORD cbData = 0;
    LONG nStatus = RegQueryValueExA(m_hKey, pszValueName, nullptr, &dwType, nullptr, &cbData);
    if (nStatus != ERROR_SUCCESS)
        return nStatus;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    if (cbData > nMaxBytes)
        return ERROR_MORE_DATA;
    // One byte more than stored, so a value written without its terminator still ends.
    std::vector<char> buffer(static_cast<size_t>(cbData) + 1, '\0');
    DWORD cbRead = cbData;
    nStatus = RegQueryValueExA(m_hKey, pszValueName, nullptr, &dwType, reinterpret_cast<BYTE*>(buffer.data()), &cbRead);
    if (nStatus != ERROR_SUCCESS)
        return nStatus;
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
        return ERROR_INVALID_DATA;
    const size_t nLength = strnlen(buffer.data(), cbRead < buffer.size() ? cbRead : buffer.size() - 1);
    if (nLength + 1 > nMaxBytes)
        return ERROR_MORE_DATA;
    value = CString(buffer.data(), static_cast<int>(nLength));
    return ERROR_SUCCESS;
}
