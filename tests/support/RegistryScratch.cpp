#include "RegistryScratch.h"

#include <algorithm>

// Wide calls for everything saved: the ANSI ones would pass names and texts through the
// code page.
namespace {

std::wstring Wide(const std::string& str)
{
    std::wstring wide(str.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, str.data(), static_cast<int>(str.size()), &wide[0],
                                    static_cast<int>(wide.size())));
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

bool ReadValue(HKEY hKey, const std::wstring& strName, DWORD* pType, std::vector<BYTE>* pData)
{
    DWORD cb = 0;
    if (RegQueryValueExW(hKey, strName.c_str(), nullptr, pType, nullptr, &cb) != ERROR_SUCCESS)
        return false;
    pData->resize(cb);
    const bool bRead = RegQueryValueExW(hKey, strName.c_str(), nullptr, pType, pData->data(), &cb) == ERROR_SUCCESS;
    pData->resize(cb);
    return bRead;
}

void ReadTree(HKEY hKey, Node& node)
{
    DWORD cSubkeys = 0, cchSubkey = 0, cValues = 0, cchValue = 0;
    if (RegQueryInfoKeyW(hKey, nullptr, nullptr, nullptr, &cSubkeys, &cchSubkey, nullptr, &cValues, &cchValue,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::wstring name(std::max(cchSubkey, cchValue) + 1, L'\0');
    for (DWORD i = 0; i < cValues; ++i) {
        DWORD cch = static_cast<DWORD>(name.size());
        Value value{};
        if (RegEnumValueW(hKey, i, &name[0], &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
            ReadValue(hKey, value.strName = name.substr(0, cch), &value.dwType, &value.data))
            node.values.push_back(value);
    }
    for (DWORD i = 0; i < cSubkeys; ++i) {
        DWORD cch = static_cast<DWORD>(name.size());
        HKEY hSub = nullptr;
        if (RegEnumKeyExW(hKey, i, &name[0], &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            RegOpenKeyExW(hKey, name.substr(0, cch).c_str(), 0, KEY_READ, &hSub) != ERROR_SUCCESS)
            continue;
        node.subkeys.push_back(Node{name.substr(0, cch), {}, {}});
        ReadTree(hSub, node.subkeys.back());
        RegCloseKey(hSub);
    }
}

void WriteTree(HKEY hRoot, const std::wstring& strPath, const Node& node)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(hRoot, strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (const Value& value : node.values)
        RegSetValueExW(hKey, value.strName.c_str(), 0, value.dwType, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
    for (const Node& sub : node.subkeys)
        WriteTree(hKey, sub.strName, sub);
    RegCloseKey(hKey);
}

void DeleteKey(HKEY hRoot, const std::wstring& strPath)
{
    RegDeleteTreeW(hRoot, strPath.c_str());
    RegDeleteKeyW(hRoot, strPath.c_str());
}

} // namespace

struct CRegistryScratch::Key {
    HKEY hRoot;
    std::wstring strPath;
    bool bExisted;
    Node tree;
};

CRegistryScratch::CRegistryScratch() = default;

CRegistryScratch::CRegistryScratch(HKEY hRoot, const std::string& strPath, bool bEmpty)
{
    Keep(hRoot, strPath);
    if (bEmpty) {
        DeleteKey(hRoot, m_kept[0]->strPath);
        WriteTree(hRoot, m_kept[0]->strPath, Node());
    }
}

CRegistryScratch::~CRegistryScratch()
{
    for (auto it = m_kept.rbegin(); it != m_kept.rend(); ++it) {
        DeleteKey((*it)->hRoot, (*it)->strPath);
        if ((*it)->bExisted)
            WriteTree((*it)->hRoot, (*it)->strPath, (*it)->tree);
    }
}

void CRegistryScratch::Keep(HKEY hRoot, const std::string& strPath)
{
    m_kept.emplace_back(new Key{hRoot, Wide(strPath), false, Node()});
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(hRoot, m_kept.back()->strPath.c_str(), 0, KEY_READ, &hKey) == ERROR_SUCCESS) {
        m_kept.back()->bExisted = true;
        ReadTree(hKey, m_kept.back()->tree);
        RegCloseKey(hKey);
    }
}

bool CRegistryScratch::SetValue(const char* pszName, DWORD dwType, const void* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    if (m_kept.empty() || RegCreateKeyExW(m_kept[0]->hRoot, m_kept[0]->strPath.c_str(), 0, nullptr, 0, KEY_WRITE,
                                          nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG lResult = RegSetValueExA(hKey, pszName, 0, dwType, static_cast<const BYTE*>(pData), cbData);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
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

bool DeleteRegValue(HKEY hRoot, const std::string& strKey, const char* pszName)
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_WRITE, &hKey) != ERROR_SUCCESS)
        return true;
    const LONG lResult = RegDeleteValueA(hKey, pszName);
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
}

void DeleteRegKey(HKEY hRoot, const std::string& strKey)
{
    DeleteKey(hRoot, Wide(strKey));
}
