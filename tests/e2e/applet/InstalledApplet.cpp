#include "InstalledApplet.h"

#include <prsht.h>

#include <gtest/gtest.h>

CInstalledApplet::CInstalledApplet(const char* pszName)
    : m_root(std::string("Software\\KelvoraE2E\\") + pszName)
{
    SetUp();
}

void CInstalledApplet::SetUp()
{
    const std::string pallum = BuildPath("KELVORA_PALLUM");
    const std::string mirrend = BuildPath("KELVORA_MIRREND");
    ASSERT_FALSE(pallum.empty() || mirrend.empty());
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    m_dir = szTemp + std::string("kelvora-e2e-") + m_root.substr(m_root.rfind('\\') + 1) + "-" +
            std::to_string(GetCurrentProcessId());
    CreateDirectoryA(m_dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(pallum.c_str(), (m_dir + "\\Pallum.cpl").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(mirrend.c_str(), (m_dir + "\\Mirrend.dll").c_str(), FALSE));
    {
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_NE(-1, regedit.Wait(60000));
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, m_root.c_str());
    SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + m_root).c_str());
    m_quorlat.reset(new CProcess("\"" + BuildPath("KELVORA_QUORLAT") + "\""));
    ASSERT_NE(nullptr, WaitForWindow(nullptr, "Quorlat", 30000, true));
    m_nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    m_bReady = true;
}

CInstalledApplet::~CInstalledApplet()
{
    if (HWND hQuorlat = FindWindowA(nullptr, "Quorlat"))
        PostMessageA(hQuorlat, WM_CLOSE, 0, 0);
    if (m_quorlat)
        m_quorlat->Wait(10000);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_root.c_str());
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((m_dir + "\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((m_dir + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryA(m_dir.c_str());
}

CProcess* CInstalledApplet::StartControl(const char* pszArgs) const
{
    return new CProcess("control.exe \"" + m_dir + "\\Pallum.cpl\"" + (*pszArgs ? " " : "") + pszArgs, m_dir);
}

LRESULT CInstalledApplet::QuorlatCount() const
{
    return SendMessageA(FindWindowA(nullptr, "Quorlat"), m_nQuery, 0, 0);
}

std::string CInstalledApplet::SettingsKey(const char* pszRecord) const
{
    return m_root + "\\Settings\\" + pszRecord;
}
