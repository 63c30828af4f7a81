#include "RegistryScratch.h"

// Wide calls throughout: the ANSI ones would pass names and texts through the code page.
namespace {

std::wstring Wide(const std::string& str)
{
    std::wstring wide(str.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, str.data(), static_cast<int>(str.size()), &wide[0],
                                      static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

struct Value {
    std::wstring strName;
    DWORD dwType;
    std::vector<BYTE> data;
};

struct Node {
    std::wstring strName;
    std::vector<Value> values;
    std::vector<Node> subkeys;
};

} // namespace

struct CRegistryScratch::Key {
    HKEY hRoot = nullptr;
    std::wstring strPath;
    bool bExisted = false;
    Node tree;
};

namespace {

void ReadTree(HKEY hKey, Node& key)
{
    DWORD cSubkeys = 0, cchMaxSubkey = 0, cValues = 0, cchMaxName = 0, cbMaxData = 0;
    if (RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, &cSubkeys, &cchMaxSubkey, nullptr, &cValues,
                         &cchMaxName, &cbMaxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0; i < cValues; ++i) {
        std::wstring name(cchMaxName + 1, L'\0');
        DWORD cchName = cchMaxName + 1, cbData = cbMaxData, dwType = 0;
        Value value{L"", 0, std::vector<BYTE>(cbMaxData + 1)};
        if (RegEnumValueW(hKey, i, &name[0], &cchName, nullptr, &dwType, value.data.data(), &cbData) != ERROR_SUCCESS)
            continue;
        name.resize(cchName);
        value.strName = name;
        value.dwType = dwType;
        value.data.resize(cbData);
        key.values.push_back(value);
    }
    for (DWORD i = 0; i < cSubkeys; ++i) {
        std::wstring name(cchMaxSubkey + 1, L'\0');
        DWORD cchName = cchMaxSubkey + 1;
        if (RegEnumKeyExW(hKey, i, &name[0], &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        name.resize(cchName);
        HKEY hSub = nullptr;
        if (RegOpenKeyExW(hKey, name.c_str(), 0, KEY_READ, &hSub) != ERROR_SUCCESS)
            continue;
        key.subkeys.push_back(Node{name, {}, {}});
        ReadTree(hSub, key.subkeys.back());
        RegCloseKey(hSub);
    }
}

void WriteTree(HKEY hKey, const Node& key)
{
    for (const Value& value : key.values)
        RegSetValueExW(hKey, value.strName.c_str(), 0, value.dwType, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    for (const Node& sub : key.subkeys) {
        HKEY hSub = nullptr;
        if (RegCreateKeyExW(hKey, sub.strName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hSub, nullptr) ==
            ERROR_SUCCESS) {
            WriteTree(hSub, sub);
            RegCloseKey(hSub);
        }
    }
}

bool KeyExists(HKEY hRoot, const std::wstring& strPath)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, strPath.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

void DeleteKey(HKEY hRoot, const std::wstring& strPath)
{
    RegDeleteTreeW(hRoot, strPath.c_str());
    RegDeleteKeyW(hRoot, strPath.c_str());
}

} // namespace

CRegistryScratch::CRegistryScratch() = default;

CRegistryScratch::CRegistryScratch(HKEY hRoot, const std::string& strPath, bool bEmpty)
{
    Keep(hRoot, strPath);
    if (bEmpty) {
        DeleteKey(hRoot, Wide(strPath));
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(hRoot, Wide(strPath).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) ==
            ERROR_SUCCESS)
            RegCloseKey(hKey);
    }
}

CRegistryScratch::~CRegistryScratch()
{
    for (auto it = m_kept.rbegin(); it != m_kept.rend(); ++it) {
        const Key& key = **it;
        DeleteKey(key.hRoot, key.strPath);
        if (!key.bExisted)
            continue;
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(key.hRoot, key.strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                            nullptr) == ERROR_SUCCESS) {
            WriteTree(hKey, key.tree);
            RegCloseKey(hKey);
        }
    }
}

void CRegistryScratch::Keep(HKEY hRoot, const std::string& strPath)
{
    std::unique_ptr<Key> key(new Key);
    key->hRoot = hRoot;
    key->strPath = Wide(strPath);
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, key->strPath.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        key->bExisted = true;
        ReadTree(hKey, key->tree);
        RegCloseKey(hKey);
    }
    m_kept.push_back(std::move(key));
}

CRegValueOverride::CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue)
    : CRegValueOverride(hRoot, strKey, pszName, REG_DWORD, &dwValue, sizeof(dwValue))
{
}

CRegValueOverride::CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName,
                                     const std::string& strValue)
    : CRegValueOverride(hRoot, strKey, pszName, REG_SZ, strValue.c_str(), static_cast<DWORD>(strValue.size() + 1))
{
}

CRegValueOverride::CRegValueOverride(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType,
                                     const void* pData, DWORD cbData)
    : m_hRoot(hRoot)
    , m_strKey(Wide(strKey))
    , m_strName(pszName ? Wide(pszName) : L"")
    , m_bKeyExisted(KeyExists(hRoot, m_strKey))
    , m_bPresent(false)
    , m_dwType(REG_NONE)
{
    HKEY hKey = nullptr;
    if (m_bKeyExisted && RegOpenKeyExW(hRoot, m_strKey.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        DWORD cb = 0;
        if (RegQueryValueExW(hKey, m_strName.c_str(), nullptr, &m_dwType, nullptr, &cb) == ERROR_SUCCESS) {
            m_data.resize(cb);
            m_bPresent = RegQueryValueExW(hKey, m_strName.c_str(), nullptr, &m_dwType, m_data.data(), &cb) ==
                         ERROR_SUCCESS;
            m_data.resize(cb);
        }
        RegCloseKey(hKey);
    }
    if (pData)
        SetRegValue(hRoot, strKey, pszName, dwType, pData, cbData);
    else
        DeleteRegValue(hRoot, strKey, pszName);
}

CRegValueOverride::~CRegValueOverride()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(m_hRoot, m_strKey.c_str(), 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return;
    if (m_bPresent)
        RegSetValueExW(hKey, m_strName.c_str(), 0, m_dwType, m_data.data(), static_cast<DWORD>(m_data.size()));
    else
        RegDeleteValueW(hKey, m_strName.c_str());
    RegCloseKey(hKey);
    if (!m_bKeyExisted)
        DeleteKey(m_hRoot, m_strKey);
}

bool SetRegValue(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwType, const void* pData,
                 DWORD cbData)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG lResult = RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cbData);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

bool SetRegDword(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue)
{
    return SetRegValue(hRoot, strKey, pszName, REG_DWORD, &dwValue, sizeof(dwValue));
}

bool SetRegString(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue,
                  DWORD dwType)
{
    return SetRegValue(hRoot, strKey, pszName, dwType, strValue.c_str(), static_cast<DWORD>(strValue.size() + 1));
}

bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const char* pszName)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return true;
    const LONG lResult = RegDeleteValueA(hKey, pszName);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
}
