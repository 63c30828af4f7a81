// Finding and reading the speaker line's volume and mute controls.
#include "fake_mixer.h"

#include <gtest/gtest.h>

namespace {

const HWND NOTIFY_WINDOW = (HWND)(UINT_PTR)0x1234;

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFakeMixer(); }
    void TearDown() override { EXPECT_FALSE(g_fake.bBadRequest); }

    void ExpectNoControls()
    {
        EXPECT_EQ(NO_CONTROL, g_dwVolumeControlID);
        EXPECT_EQ(NO_CONTROL, g_dwMuteControlID);
        DWORD dwVolume = 12345;
        BYTE bMute = 7;
        ReadVolumeAndMute(&dwVolume, &bMute);
        EXPECT_EQ(12345u, dwVolume);
        EXPECT_EQ(7, bMute);
    }
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
    g_fake.nDevices = 0;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(0, g_fake.nOpens);
    EXPECT_EQ(NULL, g_hMixer);
    ExpectNoControls();

    InstallFakeMixer();
    g_fake.openResult = MMSYSERR_ALLOCATED;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(NULL, g_hMixer);
    ExpectNoControls();

    InstallFakeMixer();
    g_fake.bHasSpeakers = false;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_NE((HMIXER)NULL, g_hMixer);
    ExpectNoControls();

    // Without a volume control the mute control is not looked for either.
    InstallFakeMixer();
    g_fake.bHasVolume = false;
    OpenMixer(NOTIFY_WINDOW);
    ExpectNoControls();
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
    DWORD dwVolume = 0;
    BYTE bMute = 1;
    ReadVolumeAndMute(&dwVolume, &bMute);
    EXPECT_EQ(65535u, dwVolume);
    EXPECT_EQ(0, bMute);

    g_fake.dwVolumeValue = 4380;
    g_fake.dwMuteValue = 2;
    ReadVolumeAndMute(&dwVolume, &bMute);
    EXPECT_EQ(4380u, dwVolume);
    EXPECT_EQ(1, bMute);
}

TEST_F(MixerTest, UnreadableControlsKeepTheVolumeAndCountAsNotMuted)
{
    g_fake.bHasMute = false;
    g_fake.dwVolumeValue = 20000;
    OpenMixer(NOTIFY_WINDOW);
    EXPECT_EQ(7u, g_dwVolumeControlID);
    EXPECT_EQ(NO_CONTROL, g_dwMuteControlID);
    DWORD dwVolume = 0;
    BYTE bMute = 1;
    ReadVolumeAndMute(&dwVolume, &bMute);
    EXPECT_EQ(20000u, dwVolume);
    EXPECT_EQ(0, bMute);

    InstallFakeMixer();
    OpenMixer(NOTIFY_WINDOW);
    g_fake.bVolumeReadFails = true;
    g_fake.dwMuteValue = 1;
    dwVolume = 333;
    bMute = 0;
    ReadVolumeAndMute(&dwVolume, &bMute);
    EXPECT_EQ(333u, dwVolume);
    EXPECT_EQ(1, bMute);

    g_fake.bMuteReadFails = true;
    ReadVolumeAndMute(&dwVolume, &bMute);
    EXPECT_EQ(0, bMute);
}

} // namespace
