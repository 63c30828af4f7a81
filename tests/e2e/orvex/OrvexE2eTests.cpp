// Orvex.exe as a user meets it: started as its own process, driven through the real shell
// hook in Orvex.dll from this process's windows. Wine's mixer keeps the volume per process,
// and Orvex's own starts at the top (65535).
#include "OsdTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const DWORD START_TIMEOUT_MS = 10000;

std::string OrvexPath()
{
    return BuildPath("KELVORA_ORVEX");
}

std::unique_ptr<CProcess> StartOrvex(const std::string &exe, const std::string &dir)
{
    return std::unique_ptr<CProcess>(new CProcess("\"" + exe + "\"", dir));
}

// Sends an application command to a window of a thread started now, after any hook was
// installed (a thread keeps the hooks it saw at its first window). The static control leaves
// the command unhandled, and DefWindowProc hands it to the shell hooks.
bool SendAppCommandFromNewThread(int nCommand)
{
    struct Sender {
        static DWORD WINAPI Run(LPVOID pParam)
        {
            HWND hWnd = CreateWindowExA(0, "STATIC", "sender", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                        GetModuleHandleA(NULL), NULL);
            if (!hWnd)
                return 0;
            SendMessageA(hWnd, WM_APPCOMMAND, (WPARAM)hWnd,
                         MAKELPARAM(0, (int)(INT_PTR)pParam | FAPPCOMMAND_KEY));
            DestroyWindow(hWnd);
            return 1;
        }
    };
    HANDLE hThread = CreateThread(NULL, 0, Sender::Run, (LPVOID)(INT_PTR)nCommand, 0, NULL);
    if (!hThread)
        return false;
    DWORD dwResult = 0;
    bool bDone = WaitForSingleObject(hThread, 5000) == WAIT_OBJECT_0 &&
                 GetExitCodeThread(hThread, &dwResult) && dwResult == 1;
    CloseHandle(hThread);
    return bDone;
}

BOOL CALLBACK FindOwnedWindow(HWND hWnd, LPARAM lParam)
{
    HWND *phResult = (HWND *)lParam;
    if (GetWindow(hWnd, GW_OWNER) == phResult[0]) {
        phResult[1] = hWnd;
        return FALSE;
    }
    return TRUE;
}

class OrvexE2E : public ::testing::Test {
protected:
    std::unique_ptr<CProcess> m_orvex;
    HWND m_hWnd = NULL;      // the hidden "Voldlg" window
    HWND m_hDisplay = NULL;  // the volume display it owns

    void SetUp() override
    {
        ASSERT_FALSE(OrvexPath().empty()) << "KELVORA_ORVEX is not set";
        ASSERT_EQ(NULL, FindWindowA("Voldlg", "Orvex Window")) << "an Orvex is already running";
        m_orvex = StartOrvex(OrvexPath(), DirectoryOf(OrvexPath()));
        ASSERT_TRUE(m_orvex->Started());
        ASSERT_NE(nullptr, m_hWnd = WaitForWindow("Voldlg", "Orvex Window", START_TIMEOUT_MS));
        // The window is found while it is still being created: wait for its display too.
        DWORD dwThread = GetWindowThreadProcessId(m_hWnd, NULL);
        ASSERT_TRUE(PumpUntil([&] {
            HWND search[2] = {m_hWnd, NULL};
            EnumThreadWindows(dwThread, FindOwnedWindow, (LPARAM)search);
            return (m_hDisplay = search[1]) != NULL;
        }, START_TIMEOUT_MS));
        ASSERT_FALSE(IsWindowVisible(m_hDisplay));
    }

    void TearDown() override
    {
        if (IsWindow(m_hWnd)) {
            PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            m_orvex->Wait(START_TIMEOUT_MS);
        }
    }

    bool DisplayShown() { return IsWindowVisible(m_hDisplay) != FALSE; }
};

TEST_F(OrvexE2E, VolumeUpAtTheTopShowsTheDisplayForAboutTwoSeconds)
{
    ASSERT_TRUE(SendAppCommandFromNewThread(APPCOMMAND_VOLUME_UP));
    ASSERT_TRUE(PumpUntil([&] { return DisplayShown(); }, 5000));
    DWORD dwShown = GetTickCount();

    RECT rc;
    GetWindowRect(m_hDisplay, &rc);
    EXPECT_EQ(182, rc.right - rc.left);
    EXPECT_EQ(86, rc.bottom - rc.top);

    ASSERT_TRUE(PumpUntil([&] { return !DisplayShown(); }, 8000));
    DWORD dwElapsed = GetTickCount() - dwShown;
    EXPECT_GE(dwElapsed, 1500u);
    EXPECT_LE(dwElapsed, 5000u);  // generous: a loaded machine delivers timers late
}

TEST_F(OrvexE2E, VolumeDownAtTheTopShowsNothing)
{
    // The key waits for a change notification that does not come.
    ASSERT_TRUE(SendAppCommandFromNewThread(APPCOMMAND_VOLUME_DOWN));
    EXPECT_FALSE(PumpUntil([&] { return DisplayShown(); }, 1000));

    // The key did arrive: one sent after it on the same road shows the display.
    ASSERT_TRUE(SendAppCommandFromNewThread(APPCOMMAND_VOLUME_UP));
    EXPECT_TRUE(PumpUntil([&] { return DisplayShown(); }, 5000));
}

TEST_F(OrvexE2E, ASecondStartEndsWithZeroLeavingOneInstance)
{
    std::unique_ptr<CProcess> second = StartOrvex(OrvexPath(), DirectoryOf(OrvexPath()));
    ASSERT_TRUE(second->Started());
    EXPECT_EQ(0, second->Wait(START_TIMEOUT_MS));
    EXPECT_EQ(-1, m_orvex->Wait(0));
    EXPECT_EQ(1, CountOrvexWindows());
    EXPECT_TRUE(IsWindow(m_hWnd));
}

TEST_F(OrvexE2E, CloseToTheHiddenWindowEndsWithOne)
{
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, m_orvex->Wait(START_TIMEOUT_MS));
    EXPECT_EQ(0, CountOrvexWindows());
    EXPECT_FALSE(IsWindow(m_hDisplay));
}

TEST(OrvexE2EStart, WithoutItsHookLibraryItEndsWithZeroAndNoWindow)
{
    // A copy of the program alone in a folder of its own.
    char szTemp[MAX_PATH];
    ASSERT_TRUE(GetTempPathA(sizeof(szTemp), szTemp));
    std::string dir = std::string(szTemp) + "orvex-alone";
    CreateDirectoryA(dir.c_str(), NULL);
    std::string exe = dir + "\\Orvex.exe";
    ASSERT_TRUE(CopyFileA(OrvexPath().c_str(), exe.c_str(), FALSE));
    DeleteFileA((dir + "\\Orvex.dll").c_str());

    // Nor is one in the current folder taken (it would be injected into every program).
    for (const std::string& cwd : {dir, DirectoryOf(OrvexPath())}) {
        std::unique_ptr<CProcess> alone = StartOrvex(exe, cwd);
        ASSERT_TRUE(alone->Started());
        EXPECT_EQ(0, alone->Wait(START_TIMEOUT_MS)) << cwd;
    }
    EXPECT_EQ(0, CountOrvexWindows());
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace
