// The program from start to end, run on a thread of the test with the real hook library.
#include "FakeMixer.h"
#include "OsdTestSupport.h"

#include <gtest/gtest.h>

namespace {

DWORD WINAPI RunOrvexThread(LPVOID)
{
    return (DWORD)RunOrvex(GetModuleHandleA(NULL));
}

class StartupTest : public ::testing::Test {
protected:
    HANDLE m_hThread = NULL;
    DWORD m_dwThreadId = 0;
    bool m_bClassRegistered = false;

    void SetUp() override
    {
        InstallFakeMixer();   // the hook library lies beside this program, as beside Orvex
    }

    void TearDown() override
    {
        if (m_hThread) {
            EndOrvexThread();
            CloseHandle(m_hThread);
        }
        if (m_bClassRegistered)
            UnregisterClassA(ORVEX_CLASS_NAME, GetModuleHandleA(NULL));
    }

    // Whatever the test left behind, the program's thread must be gone before the next test
    // (which would take its window for another instance) and before the process exits (which
    // would kill it inside its message loop, the hook still set). Still starting up, it has no
    // window yet: a quit in its queue ends it at its first GetMessage.
    void EndOrvexThread()
    {
        for (int nTry = 0; nTry < 40; ++nTry) {
            HWND hWnd = FindWindowA(ORVEX_CLASS_NAME, ORVEX_WINDOW_TITLE);
            if (hWnd)
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
            else
                PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
            if (WaitForSingleObject(m_hThread, 500) == WAIT_OBJECT_0)
                return;
        }
        ADD_FAILURE() << "Orvex's thread did not end";
    }

    HWND Start()
    {
        m_hThread = CreateThread(NULL, 0, RunOrvexThread, NULL, 0, &m_dwThreadId);
        HWND hWnd = NULL;
        PumpUntil([&] { return (hWnd = FindWindowA(ORVEX_CLASS_NAME, ORVEX_WINDOW_TITLE)) != NULL; }, 5000);
        // Found while still being created: wait until its display is there too.
        PumpUntil([] { return IsWindow(g_hVolumeDisplay) != FALSE; }, 5000);
        return hWnd;
    }

    // The program's exit code, or -1 when it did not end in time.
    int Ended(DWORD dwTimeoutMs)
    {
        if (WaitForSingleObject(m_hThread, dwTimeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD dwCode = 0;
        GetExitCodeThread(m_hThread, &dwCode);
        return (int)dwCode;
    }
};

TEST_F(StartupTest, RunsWithTheHookInstalledUntilClosedThenEndsWithOne)
{
    HWND hWnd = Start();
    ASSERT_TRUE(hWnd);
    EXPECT_TRUE(g_hShellHook);
    EXPECT_TRUE(GetModuleHandleA("Orvex.dll"));
    EXPECT_EQ(m_dwThreadId, GetWindowThreadProcessId(hWnd, NULL));

    PostMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, Ended(5000));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(g_hShellHook);
    EXPECT_TRUE(GetModuleHandleA("Orvex.dll"));  // the library stays loaded
}

TEST_F(StartupTest, AQuitFromElsewhereStillEndsInOrderWithoutWaitingForever)
{
    HWND hWnd = Start();
    ASSERT_TRUE(hWnd);
    HWND hDisplay = g_hVolumeDisplay;
    ASSERT_TRUE(IsWindow(hDisplay));
    PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
    EXPECT_EQ(1, Ended(2000));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_FALSE(IsWindow(hDisplay));
    EXPECT_FALSE(g_hShellHook);
}

TEST_F(StartupTest, AClassThatCannotBeRegisteredTakesTheHookBackAndEndsWithZero)
{
    // Another "Voldlg" class of this module, without a window titled "Orvex Window".
    m_bClassRegistered = RegisterPlainClass(ORVEX_CLASS_NAME);
    ASSERT_TRUE(m_bClassRegistered);

    m_hThread = CreateThread(NULL, 0, RunOrvexThread, NULL, 0, &m_dwThreadId);
    EXPECT_EQ(0, Ended(5000));
    EXPECT_FALSE(g_hShellHook);
    EXPECT_EQ(0, CountOrvexWindows());
}

} // namespace
