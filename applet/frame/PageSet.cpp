#include "PageSet.h"

#include "Mirrend.h"

const char PALLUM_PAGES_KEY[] = "Software\\KELVORA\\KELVORA Controls\\DefaultSetting\\GeneralSetting\\Pages";

BOOL CPageSet::ReadPageSet(HKEY hRoot, const char* pszSubKey)
{
    CRegKeyEx key;
    if (RegOpenKeyExA(hRoot, pszSubKey, 0, KEY_QUERY_VALUE, &key.m_hKey) != ERROR_SUCCESS) {
        key.m_hKey = nullptr;
        for (int& nFlag : m_nFlags)
            nFlag = 0;
        return FALSE;
    }
    BOOL bAllRead = TRUE;
    for (int i = 0; i < PAGE_COUNT; ++i) {
        if (key.QueryValue(m_nFlags[i], g_pallumPages[i].pszValueName) != ERROR_SUCCESS) {
            m_nFlags[i] = 0;
            bAllRead = FALSE;
        }
    }
    return bAllRead;
}
