// Quorlat, the button program stand-in, started as its own process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "KelvoraTestSupport.h"

namespace {

// Quorlat.exe started with these arguments.
std::string QuorlatCommand(const std::string& strArgs)
{
    return "\"" + BuildPath("KELVORA_QUORLAT") + "\" " + strArgs;
}

// Closes the window and gives the exit code, -1 if the process did not end in time.
long CloseQuorlat(CProcess& process, HWND hWnd)
{
    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    return process.Wait(20000);
}

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

    CProcess quorlat(QuorlatCommand("/count \"" + strFile + "\""));
    ASSERT_TRUE(quorlat.Started()) << "KELVORA_QUORLAT must name Quorlat.exe";
    HWND hWnd = WaitForWindow(nullptr, "Quorlat", 20000);
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

    EXPECT_EQ(1, CloseQuorlat(quorlat, hWnd));
    EXPECT_EQ("1\n", ReadFileText(strFile));
    DeleteFileA(strFile.c_str());
}

TEST(Quorlat, WendrapSwitchChangesTheTitle)
{
    CProcess wendrap(QuorlatCommand("/WENDRAP"));
    ASSERT_TRUE(wendrap.Started());
    HWND hWnd = WaitForWindow(nullptr, "Wendrap", 20000);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Quorlat"));
    PostMessageA(hWnd, RegisterWindowMessageA("WM_KELVORA_SERVICES"), 0, 0);
    EXPECT_EQ(1, CloseQuorlat(wendrap, hWnd));
}

}  // namespace
