// The hidden "Voldlg" window's decisions: when the display shows, when it hides.
#include "FakeMixer.h"
#include "OsdTestSupport.h"

#include <gtest/gtest.h>

namespace {

void DropQuitMessage()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class OrvexWindowTest : public ::testing::Test {
protected:
    HWND m_hWnd = NULL;

    void SetUp() override
    {
        InstallFakeMixer();
        g_hInstance = GetModuleHandleA(NULL);
        g_nShowPending = 0;
        g_hShellHook = NULL;
        m_hWnd = CreateOrvexWindow(g_hInstance);
        ASSERT_TRUE(m_hWnd);
        ASSERT_TRUE(g_hVolumeDisplay);
    }

    void TearDown() override
    {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
        UnregisterClassA(ORVEX_CLASS_NAME, g_hInstance);
        DropQuitMessage();
    }

    LRESULT Send(UINT uMsg, WPARAM wParam, LPARAM lParam)
    {
        return SendMessageA(m_hWnd, uMsg, wParam, lParam);
    }
    LRESULT Key(int nCommand, int nDevice = FAPPCOMMAND_KEY)
    {
        return Send(WM_APPCOMMAND, (WPARAM)m_hWnd, MAKELPARAM(0, nCommand | nDevice));
    }
    LRESULT Changed(DWORD dwControlID)
    {
        return Send(MM_MIXM_CONTROL_CHANGE, (WPARAM)g_hMixer, (LPARAM)dwControlID);
    }
    void Hide() { Send(WM_TIMER, IDT_HIDE_DISPLAY, 0); }
    bool DisplayShown() { return IsWindowVisible(g_hVolumeDisplay) != FALSE; }
    // Stops the hide timer; true when it was running.
    bool TakeHideTimer() { return KillTimer(m_hWnd, IDT_HIDE_DISPLAY) != FALSE; }
};

TEST_F(OrvexWindowTest, CreatedHiddenWithTheMixerOpenOnItAndTheDisplayOwnedByIt)
{
    char szClass[32];
    GetClassNameA(m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("Voldlg", szClass);
    EXPECT_EQ(m_hWnd, FindWindowA("Voldlg", "Orvex Window"));
    EXPECT_FALSE(IsWindowVisible(m_hWnd));
    EXPECT_EQ((DWORD_PTR)m_hWnd, g_fake.dwCallback);
    EXPECT_EQ(7u, g_dwVolumeControlID);
    EXPECT_EQ(m_hWnd, GetWindow(g_hVolumeDisplay, GW_OWNER));
    EXPECT_FALSE(DisplayShown());
}

TEST_F(OrvexWindowTest, KeyAtTheEndOfTheRangeShowsAtOnceAndLeavesThePendingFlag)
{
    g_fake.dwVolumeValue = 65535;
    EXPECT_EQ(1, Key(APPCOMMAND_VOLUME_UP));
    EXPECT_TRUE(DisplayShown());
    EXPECT_TRUE(TakeHideTimer());
    EXPECT_EQ(0, g_nShowPending);
    EXPECT_EQ(2, g_fake.nOpens);  // at creation and again for the key

    Hide();
    g_fake.dwVolumeValue = 0;
    g_nShowPending = 1;
    Key(APPCOMMAND_VOLUME_DOWN);
    EXPECT_TRUE(DisplayShown());
    EXPECT_TRUE(TakeHideTimer());
    EXPECT_EQ(1, g_nShowPending);
}

TEST_F(OrvexWindowTest, KeyInsideTheRangeWaitsForTheFirstNotification)
{
    // Down at the top and up at the bottom are inside the range too.
    const struct { DWORD dwVolume; int nCommand; } keys[] = {
        {30000, APPCOMMAND_VOLUME_UP}, {65535, APPCOMMAND_VOLUME_DOWN}, {0, APPCOMMAND_VOLUME_UP},
    };
    for (const auto &key : keys) {
        g_fake.dwVolumeValue = key.dwVolume;
        Key(key.nCommand);
        EXPECT_FALSE(DisplayShown());
        EXPECT_EQ(1, g_nShowPending);
        EXPECT_FALSE(TakeHideTimer());

        // The volume control's notification shows it.
        EXPECT_EQ(1, Changed(7));
        EXPECT_TRUE(DisplayShown());
        EXPECT_TRUE(TakeHideTimer());
        EXPECT_EQ(0, g_nShowPending);
        Hide();
    }

    // So does the mute control's.
    g_fake.dwVolumeValue = 100;
    Key(APPCOMMAND_VOLUME_DOWN);
    Changed(8);
    EXPECT_TRUE(DisplayShown());
    EXPECT_TRUE(TakeHideTimer());
}

TEST_F(OrvexWindowTest, OtherControlsStrayNotificationsAndTheMuteKeyShowNothing)
{
    g_fake.dwVolumeValue = 30000;
    // Another control first: the pending show is dropped, the volume's change then too late.
    Key(APPCOMMAND_VOLUME_UP);
    Changed(99);
    EXPECT_EQ(0, g_nShowPending);
    Changed(7);
    EXPECT_FALSE(DisplayShown());

    // The mute key cancels a pending show and shows nothing itself.
    Key(APPCOMMAND_VOLUME_UP);
    EXPECT_EQ(1, Key(APPCOMMAND_VOLUME_MUTE));
    EXPECT_EQ(0, g_nShowPending);
    Changed(8);
    EXPECT_FALSE(DisplayShown());
    EXPECT_FALSE(TakeHideTimer());
}

TEST_F(OrvexWindowTest, OnlyKeyboardVolumeCommandsCount)
{
    g_fake.dwVolumeValue = 65535;
    const int opens = g_fake.nOpens;
    EXPECT_EQ(1, Key(APPCOMMAND_VOLUME_UP, FAPPCOMMAND_MOUSE));
    EXPECT_EQ(1, Key(APPCOMMAND_VOLUME_UP, FAPPCOMMAND_OEM));
    EXPECT_EQ(1, Key(APPCOMMAND_MEDIA_PLAY_PAUSE));
    EXPECT_EQ(1, Key(APPCOMMAND_BASS_UP));
    EXPECT_FALSE(DisplayShown());
    EXPECT_EQ(0, g_nShowPending);
    EXPECT_EQ(opens, g_fake.nOpens);
}

TEST_F(OrvexWindowTest, WithoutAReadableVolumeAKeyOnlyWaits)
{
    g_fake.nDevices = 0;
    Key(APPCOMMAND_VOLUME_UP);
    EXPECT_FALSE(DisplayShown());
    EXPECT_EQ(1, g_nShowPending);

    InstallFakeMixer();
    g_fake.bVolumeReadFails = true;
    Key(APPCOMMAND_VOLUME_DOWN);
    EXPECT_FALSE(DisplayShown());
    EXPECT_EQ(1, g_nShowPending);

    // With no control found, a notification naming "no control" is no match.
    InstallFakeMixer();
    g_fake.bHasSpeakers = false;
    Key(APPCOMMAND_VOLUME_DOWN);
    Changed(NO_CONTROL);
    EXPECT_FALSE(DisplayShown());
}

TEST_F(OrvexWindowTest, AnyTimerHidesTheDisplayAndStopsTheHideTimer)
{
    g_fake.dwVolumeValue = 65535;
    Key(APPCOMMAND_VOLUME_UP);
    ASSERT_TRUE(DisplayShown());
    EXPECT_EQ(1, Send(WM_TIMER, 5, 0));
    EXPECT_FALSE(DisplayShown());
    EXPECT_FALSE(TakeHideTimer());
}

TEST_F(OrvexWindowTest, AnotherShowRestartsTheTwoSecondsAndTheTimerThenHides)
{
    g_fake.dwVolumeValue = 65535;
    Key(APPCOMMAND_VOLUME_UP);
    PumpUntil([] { return false; }, 800);  // well into the display's time, messages handled
    ASSERT_TRUE(DisplayShown());
    Key(APPCOMMAND_VOLUME_UP);
    DWORD dwShown = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return !DisplayShown(); }, 8000));
    DWORD dwElapsed = GetTickCount() - dwShown;
    EXPECT_GE(dwElapsed, 1900u);
    EXPECT_LT(dwElapsed, 5000u);  // generous: a loaded machine delivers timers late
}

TEST_F(OrvexWindowTest, CloseRemovesTheDisplaySetsTheExitEventAndQuits)
{
    g_hExitEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    HWND hDisplay = g_hVolumeDisplay;
    SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(m_hWnd));
    EXPECT_FALSE(IsWindow(hDisplay));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(g_hExitEvent, 0));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    CloseHandle(g_hExitEvent);
    g_hExitEvent = NULL;
}

} // namespace
