#include "InstalledApplet.h"

#include <gtest/gtest.h>

CInstalledApplet::CInstalledApplet(const std::string& strScratchKey)
    : m_strKey(strScratchKey), m_records(HKEY_CURRENT_USER, strScratchKey, true)
{
    const std::string pallum = BuildPath("KELVORA_PALLUM");
    const std::string mirrend = BuildPath("KELVORA_MIRREND");
    char szTemp[MAX_PATH] = "";
    GetTempPathA(sizeof(szTemp), szTemp);
    m_strDir = szTemp + std::string("kelvora-e2e-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(m_strDir.c_str(), nullptr);
    if (pallum.empty() || mirrend.empty() ||
        !CopyFileA(pallum.c_str(), (m_strDir + "\\Pallum.cpl").c_str(), FALSE) ||
        !CopyFileA(mirrend.c_str(), (m_strDir + "\\Mirrend.dll").c_str(), FALSE)) {
        ADD_FAILURE() << "cannot install Pallum.cpl and Mirrend.dll into " << m_strDir;
        return;
    }
    CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
    if (regedit.Wait(60000) == -1) {
        ADD_FAILURE() << "regedit did not import the maker's set-up";
        return;
    }
    SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + m_strKey).c_str());
    m_quorlat.reset(new CProcess("\"" + BuildPath("KELVORA_QUORLAT") + "\""));
    if (!WaitForWindow(nullptr, "Quorlat", 30000, true)) {
        ADD_FAILURE() << "Quorlat did not show up";
        return;
    }
    m_nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    m_bReady = true;
}

CInstalledApplet::~CInstalledApplet()
{
    if (HWND hQuorlat = FindWindowA(nullptr, "Quorlat"))
        PostMessageA(hQuorlat, WM_CLOSE, 0, 0);
    if (m_quorlat)
        m_quorlat->Wait(10000);
    DeleteFileA((m_strDir + "\\Pallum.cpl").c_str());
    DeleteFileA((m_strDir + "\\Mirrend.dll").c_str());
    RemoveDirectoryA(m_strDir.c_str());
}

std::unique_ptr<CProcess> CInstalledApplet::StartControl(const char* pszArgs) const
{
    return std::unique_ptr<CProcess>(
        new CProcess("control.exe \"" + m_strDir + "\\Pallum.cpl\"" + pszArgs, m_strDir));
}

LRESULT CInstalledApplet::Told() const
{
    return SendMessageA(FindWindowA(nullptr, "Quorlat"), m_nQuery, 0, 0);
}

DWORD CInstalledApplet::Stored(const std::string& strRecord, const char* pszValue, DWORD dwMissing) const
{
    DWORD dwValue = 0, cb = sizeof(dwValue);
    const std::string key = m_strKey + "\\" + strRecord;
    if (RegGetValueA(HKEY_CURRENT_USER, key.c_str(), pszValue, RRF_RT_REG_DWORD, nullptr, &dwValue, &cb) !=
        ERROR_SUCCESS)
        return dwMissing;
    return dwValue;
}
