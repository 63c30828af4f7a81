// Quorlat, the button program stand-in, started as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

HWND WaitForTopLevel(const char* pszTitle, DWORD dwTimeout = 20000)
{
    for (DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < dwTimeout; Sleep(20))
        if (HWND hWnd = FindWindowA(nullptr, pszTitle))
            return hWnd;
    return nullptr;
}

class QuorlatProcess {
public:
    explicit QuorlatProcess(const std::string& strArgs)
    {
        const char* pszExe = std::getenv("KELVORA_QUORLAT");
        if (!pszExe)
            return;
        std::string strLine = "\"" + std::string(pszExe) + "\" " + strArgs;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        if (!CreateProcessA(nullptr, &strLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &si, &m_pi))
            m_pi = PROCESS_INFORMATION();
    }

    ~QuorlatProcess()
    {
        if (!m_pi.hProcess)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 1);
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }

    bool Started() const { return m_pi.hProcess != nullptr; }

    // Closes the window and gives the exit code, -1 if the process did not end in time.
    long Close(HWND hWnd)
    {
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_pi.hProcess, 20000) != WAIT_OBJECT_0)
            return -1;
        DWORD dwCode = 0;
        GetExitCodeProcess(m_pi.hProcess, &dwCode);
        return static_cast<long>(dwCode);
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

// The count Quorlat reports, polled until it is nExpected or the time is up: sent queries
// overtake posted messages, so one query right after posting may come too early.
long CountWhenSettled(HWND hWnd, long nExpected, DWORD dwTimeout = 10000)
{
    const UINT nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    DWORD_PTR nCount = 0;
    for (DWORD dwStart = GetTickCount();; Sleep(20)) {
        if (!SendMessageTimeoutA(hWnd, nQuery, 0, 0, SMTO_ABORTIFHUNG, 5000, &nCount))
            return -1;
        if (static_cast<long>(nCount) == nExpected || GetTickCount() - dwStart > dwTimeout)
            return static_cast<long>(nCount);
    }
}

std::string ReadFileText(const std::string& strPath)
{
    std::string str;
    if (FILE* pFile = std::fopen(strPath.c_str(), "r")) {
        char sz[64] = "";
        if (std::fgets(sz, sizeof(sz), pFile))
            str = sz;
        std::fclose(pFile);
    }
    return str;
}

TEST(Quorlat, CountsTheServicesMessageAndReportsIt)
{
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    std::string strFile = std::string(szTemp) + "quorlat-count-"
        + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(strFile.c_str());

    QuorlatProcess quorlat("/count \"" + strFile + "\"");
    ASSERT_TRUE(quorlat.Started()) << "KELVORA_QUORLAT must name Quorlat.exe";
    HWND hWnd = WaitForTopLevel("Quorlat");
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Wendrap"));

    const UINT nServices = RegisterWindowMessageA("WM_KELVORA_SERVICES");
    const UINT nQuery = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");
    DWORD_PTR nCount = 99;
    ASSERT_NE(0, SendMessageTimeoutA(hWnd, nQuery, 0, 0, SMTO_ABORTIFHUNG, 10000, &nCount));
    EXPECT_EQ(0u, nCount);

    for (int i = 0; i < 3; ++i)
        PostMessageA(hWnd, nServices, 0, 0);
    PostMessageA(hWnd, WM_USER + 1, 0, 0);   // other messages do not count
    PostMessageA(hWnd, nServices + 1, 0, 0);
    EXPECT_EQ(3, CountWhenSettled(hWnd, 3));
    EXPECT_EQ("3\n", ReadFileText(strFile));

    // wParam 1 reports and starts again from zero.
    SendMessageTimeoutA(hWnd, nQuery, 1, 0, SMTO_ABORTIFHUNG, 10000, &nCount);
    EXPECT_EQ(3u, nCount);
    PostMessageA(hWnd, nServices, 0, 0);
    EXPECT_EQ(1, CountWhenSettled(hWnd, 1));

    EXPECT_EQ(1, quorlat.Close(hWnd));
    EXPECT_EQ("1\n", ReadFileText(strFile));
    DeleteFileA(strFile.c_str());
}

TEST(Quorlat, WendrapSwitchChangesTheTitle)
{
    QuorlatProcess wendrap("/WENDRAP");
    ASSERT_TRUE(wendrap.Started());
    HWND hWnd = WaitForTopLevel("Wendrap");
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Quorlat"));
    PostMessageA(hWnd, RegisterWindowMessageA("WM_KELVORA_SERVICES"), 0, 0);
    EXPECT_EQ(1, wendrap.Close(hWnd));
}

}  // namespace
