// Finding and reading the speaker line's volume and mute controls.
#include "FakeMixer.h"

#include <gtest/gtest.h>

namespace {

const HWND NOTIFY_WINDOW = (HWND)(UINT_PTR)0x1234;

// Reads over the given starting values and checks what ReadVolumeAndMute leaves in them.
void ExpectRead(DWORD dwFrom, BYTE bFrom, DWORD dwVolume, BYTE bMute)
{
    DWORD dwRead = dwFrom;
    BYTE bRead = bFrom;
    ReadVolumeAndMute(&dwRead, &bRead);
    EXPECT_EQ(dwVolume, dwRead) << "starting from " << dwFrom;
    EXPECT_EQ(bMute, bRead) << "starting from " << (int)bFrom;
}

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFakeMixer(); }
    void TearDown() override { EXPECT_FALSE(g_fake.bBadRequest); }
};

TEST_F(MixerTest, OpensDeviceZeroWithWindowNotificationsAndFindsBothControls)
{
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(0u, g_fake.uOpenedDevice);
    EXPECT_EQ((DWORD_PTR)NOTIFY_WINDOW, g_fake.dwCallback);
    EXPECT_EQ((DWORD)CALLBACK_WINDOW, g_fake.dwOpenFlags);
    EXPECT_EQ(g_fake.hOpen, g_hMixer);
    EXPECT_EQ(7u, g_dwVolumeControlID);
    EXPECT_EQ(8u, g_dwMuteControlID);
}

TEST_F(MixerTest, ControlLookupFailuresLeaveTheReadsSkipped)
{
    const struct { const char *pszCase; void (*script)(); bool bOpen; } cases[] = {
        {"no device", [] { g_fake.nDevices = 0; }, false},
        {"open fails", [] { g_fake.openResult = MMSYSERR_ALLOCATED; }, false},
        {"no speaker line", [] { g_fake.bHasSpeakers = false; }, true},
        // Without a volume control the mute control is not looked for either.
        {"no volume control", [] { g_fake.bHasVolume = false; }, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pszCase);
        InstallFakeMixer();
        c.script();
        OpenMixer(NOTIFY_WINDOW);
        EXPECT_EQ(c.bOpen, g_hMixer != NULL);
        EXPECT_EQ(NO_CONTROL, g_dwVolumeControlID);
        EXPECT_EQ(NO_CONTROL, g_dwMuteControlID);
        ExpectRead(12345, 7, 12345, 7);
    }
}

TEST_F(MixerTest, EveryOpenClosesThePreviousHandleAndFindsTheCurrentDevice)
{
    OpenMixer(NOTIFY_WINDOW);
    HMIXER hFirst = g_hMixer;
    g_fake.dwVolumeID = 21;
    g_fake.dwMuteID = 22;
    OpenMixer(NOTIFY_WINDOW);
    ASSERT_EQ(1u, g_fake.closed.size());
    EXPECT_EQ(hFirst, g_fake.closed[0]);
    EXPECT_NE(hFirst, g_hMixer);
    EXPECT_EQ(21u, g_dwVolumeControlID);
    EXPECT_EQ(22u, g_dwMuteControlID);

    // A failed reopen leaves nothing open and no stale controls.
    g_fake.openResult = MMSYSERR_NODRIVER;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(2u, g_fake.closed.size());
    EXPECT_EQ(NULL, g_hMixer);
    EXPECT_EQ(NO_CONTROL, g_dwVolumeControlID);
}

TEST_F(MixerTest, ReadsTheLowWordOfVolumeAndMute)
{
    OpenMixer(NOTIFY_WINDOW);
    g_fake.dwVolumeValue = 0x0003FFFF;
    g_fake.dwMuteValue = 0x00010000;  // low word zero: not muted
    ExpectRead(0, 1, 65535, 0);
    g_fake.dwVolumeValue = 4380;
    g_fake.dwMuteValue = 2;
    ExpectRead(0, 0, 4380, 1);
}

TEST_F(MixerTest, UnreadableControlsKeepTheVolumeAndCountAsNotMuted)
{
    g_fake.bHasMute = false;
    g_fake.dwVolumeValue = 20000;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(7u, g_dwVolumeControlID);
    EXPECT_EQ(NO_CONTROL, g_dwMuteControlID);
    ExpectRead(0, 1, 20000, 0);

    InstallFakeMixer();
    OpenMixer(NOTIFY_WINDOW);
    g_fake.bVolumeReadFails = true;
    g_fake.dwMuteValue = 1;
    ExpectRead(333, 0, 333, 1);
    g_fake.bMuteReadFails = true;
    ExpectRead(333, 1, 333, 0);
}

} // namespace
