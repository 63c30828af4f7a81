#include "InstalledApplet.h"

#include <prsht.h>

#include <gtest/gtest.h>

namespace {

const char kKelvora[] = "Software\\KELVORA";
const char kProductRoot[] = "Software\\KELVORA\\KELVORA Controls";

}  // namespace

CInstalledApplet::CInstalledApplet(const char* pszName)
    : m_root(pszName ? std::string("Software\\KelvoraE2E\\") + pszName : kProductRoot)
{
    SetUp(pszName);
}

void CInstalledApplet::SetUp(const char* pszName)
{
    const std::string pallum = BuildPath("KELVORA_PALLUM");
    const std::string mirrend = BuildPath("KELVORA_MIRREND");
    ASSERT_FALSE(pallum.empty() || mirrend.empty());
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    m_dir = szTemp + std::string("kelvora-e2e-") + (pszName ? pszName : "product") + "-" +
            std::to_string(GetCurrentProcessId());
    CreateDirectoryA(m_dir.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(pallum.c_str(), (m_dir + "\\Pallum.cpl").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(mirrend.c_str(), (m_dir + "\\Mirrend.dll").c_str(), FALSE));
    if (!pszName) {
        m_kept.Keep(HKEY_LOCAL_MACHINE, kKelvora);
        m_kept.Keep(HKEY_CURRENT_USER, kKelvora);
    }
    {
        CProcess regedit("regedit.exe /S \"" KELVORA_DEFAULTS_REG "\"");
        ASSERT_EQ(0, regedit.Wait(60000));
    }
    if (!pszName)
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (m_root + "\\Settings").c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, pszName ? m_root.c_str() : kKelvora);
    SetEnvironmentVariableA("MIRREND_ROOT", pszName ? ("HKCU\\" + m_root).c_str() : nullptr);
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
    if (m_root != kProductRoot)
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

LRESULT CInstalledApplet::QuorlatCount(bool bReset) const
{
    return SendMessageA(FindWindowA(nullptr, "Quorlat"), m_nQuery, bReset ? 1 : 0, 0);
}

std::string CInstalledApplet::SettingsKey(const char* pszRecord) const
{
    return m_root + "\\Settings\\" + pszRecord;
}
