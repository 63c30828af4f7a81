// A scratch registry base for the settings library: MIRREND_ROOT points into it for the
// test's lifetime, and the whole tree goes away afterwards.
#pragma once

#include "Mirrend.h"

#include <gtest/gtest.h>

#include <string>

#include "RegistryScratch.h"

class ScratchRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int nRun = 0;
        m_strPath = "Software\\KelvoraMakerTests\\" + std::to_string(GetCurrentProcessId()) + "-"
            + std::to_string(++nRun);
        m_scratch.Keep(HKEY_CURRENT_USER, m_strPath);
        SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + m_strPath).c_str());
    }

    void TearDown() override { SetEnvironmentVariableA("MIRREND_ROOT", nullptr); }

    // Sets a value below the scratch base; sub is relative to it ("Settings\General").
    void SetRaw(const std::string& strSub, const char* pszName, DWORD dwType, const void* pData, DWORD cb)
    {
        ASSERT_TRUE(SetRegValue(HKEY_CURRENT_USER, Full(strSub), pszName, dwType, pData, cb));
    }
    void SetDword(const std::string& strSub, const char* pszName, DWORD dw)
    {
        SetRaw(strSub, pszName, REG_DWORD, &dw, sizeof(dw));
    }
    void SetText(const std::string& strSub, const char* pszName, const std::string& str)
    {
        SetRaw(strSub, pszName, REG_SZ, str.c_str(), static_cast<DWORD>(str.size() + 1));
    }

    void MakeKey(const std::string& strSub)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Full(strSub).c_str(), 0,
                                                 nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr));
        RegCloseKey(hKey);
    }

    // The stored text or number, empty / -1 when absent.
    std::string GetText(const std::string& strSub, const char* pszName)
    {
        char sz[1024] = "";
        DWORD cb = sizeof(sz);
        if (RegGetValueA(HKEY_CURRENT_USER, Full(strSub).c_str(), pszName, RRF_RT_REG_SZ,
                         nullptr, sz, &cb) != ERROR_SUCCESS)
            return std::string();
        return sz;
    }

    long long GetDword(const std::string& strSub, const char* pszName)
    {
        DWORD dw = 0, cb = sizeof(dw);
        if (RegGetValueA(HKEY_CURRENT_USER, Full(strSub).c_str(), pszName, RRF_RT_REG_DWORD,
                         nullptr, &dw, &cb) != ERROR_SUCCESS)
            return -1;
        return dw;
    }

    bool KeyExists(const std::string& strSub)
    {
        HKEY hKey = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Full(strSub).c_str(), 0, KEY_READ, &hKey)
            != ERROR_SUCCESS)
            return false;
        RegCloseKey(hKey);
        return true;
    }

    std::string Full(const std::string& strSub) const { return m_strPath + "\\" + strSub; }

    std::string m_strPath;
    CRegistryScratch m_scratch;   // the base goes away with the test
};
