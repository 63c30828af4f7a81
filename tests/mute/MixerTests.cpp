// The mixer way: which device and line the state is read from, and which lines are switched.
#include "MuteTestSupport.h"

namespace {

class MixerWay : public HushwellTest {
protected:
    void ExpectBalancedUse()
    {
        EXPECT_EQ(g_fakeMixer.misuse, 0);
        for (const FakeMixerDevice& device : g_fakeMixer.devices)
            EXPECT_EQ(device.opens, device.closes);
    }
};

FakeLine LineWithVolumeThenMute(DWORD muteValue)
{
    FakeLine line = SpeakerLine(muteValue);
    FakeControl volume;
    volume.type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    volume.value = 777;
    line.controls.insert(line.controls.begin(), volume);
    return line;
}

TEST_F(MixerWay, TwoDevicesReadFromFirstReadableAndSwitchEverySpeakerLine)
{
    g_fakeMixer.devices.resize(2);
    FakeLine unreadable = SpeakerLine(1);
    unreadable.controls[0].readFails = true;
    FakeLine recording = SpeakerLine(1);
    recording.componentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    g_fakeMixer.devices[0].lines = {unreadable, recording};
    // The later speaker line's value wins within a device.
    g_fakeMixer.devices[1].lines = {LineWithVolumeThenMute(1), SpeakerLine(0)};

    EXPECT_EQ(ReadMixerMute(), 0);

    SetMixerMute(1);
    const FakeMixerDevice& first = g_fakeMixer.devices[0];
    const FakeMixerDevice& second = g_fakeMixer.devices[1];
    EXPECT_EQ(first.lines[0].controls[0].writes, 0);  // could not be read, left alone
    EXPECT_EQ(first.lines[1].controls[0].writes, 0);  // not a speaker line
    EXPECT_EQ(second.lines[0].controls[0].writes, 0);  // the volume control
    EXPECT_EQ(second.lines[0].controls[0].value, 777u);
    EXPECT_EQ(second.lines[0].controls[1].value, 1u);
    EXPECT_EQ(second.lines[1].controls[0].value, 1u);
    EXPECT_EQ(second.lines[1].controls[0].writes, 1);
    ExpectBalancedUse();
}

TEST_F(MixerWay, ReadStopsAtTheFirstDeviceWithAState)
{
    g_fakeMixer.devices.resize(2);
    // Muted with every bit set: still a state, not the "none found" -1.
    g_fakeMixer.devices[0].lines = {SpeakerLine(0xFFFFFFFF)};
    g_fakeMixer.devices[1].lines = {SpeakerLine(0)};

    EXPECT_EQ(ReadMixerMute(), 1);
    EXPECT_EQ(g_fakeMixer.devices[1].opens, 0);
    ExpectBalancedUse();
}

TEST_F(MixerWay, OnlyLinesWhoseFlagsAreExactlyActiveCount)
{
    g_fakeMixer.devices.resize(1);
    auto& lines = g_fakeMixer.devices[0].lines;
    lines = {SpeakerLine(1, 0), SpeakerLine(1, MIXERLINE_LINEF_ACTIVE | MIXERLINE_LINEF_DISCONNECTED),
             SpeakerLine(1, MIXERLINE_LINEF_ACTIVE | MIXERLINE_LINEF_SOURCE)};

    EXPECT_EQ(ReadMixerMute(), -1);

    lines.push_back(SpeakerLine(0));
    EXPECT_EQ(ReadMixerMute(), 0);
    SetMixerMute(1);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(lines[i].controls[0].writes, 0) << "line " << i;
    EXPECT_EQ(lines[3].controls[0].value, 1u);
    ExpectBalancedUse();
}

TEST_F(MixerWay, FailingCapsEndTheReadButOnlySkipTheDeviceWhenSwitching)
{
    g_fakeMixer.devices.resize(2);
    g_fakeMixer.devices[0].capsFail = true;
    g_fakeMixer.devices[0].lines = {SpeakerLine(0)};
    g_fakeMixer.devices[1].lines = {SpeakerLine(1)};

    EXPECT_EQ(ReadMixerMute(), -1);
    EXPECT_EQ(g_fakeMixer.devices[1].opens, 0);

    SetMixerMute(0);
    EXPECT_EQ(g_fakeMixer.devices[0].lines[0].controls[0].writes, 0);
    EXPECT_EQ(g_fakeMixer.devices[1].lines[0].controls[0].value, 0u);
    ExpectBalancedUse();
}

TEST_F(MixerWay, UnopenableDevicesAndLinesWithoutUsableControlsAreSkipped)
{
    g_fakeMixer.devices.resize(2);
    g_fakeMixer.devices[0].openFails = true;
    g_fakeMixer.devices[0].lines = {SpeakerLine(0)};
    FakeLine unlistable = SpeakerLine(0);
    unlistable.controlsFail = true;
    FakeLine volumeOnly = LineWithVolumeThenMute(0);
    volumeOnly.controls.pop_back();
    FakeLine noControls;
    g_fakeMixer.devices[1].lines = {unlistable, volumeOnly, noControls, SpeakerLine(1)};

    EXPECT_EQ(ReadMixerMute(), 1);
    SetMixerMute(0);
    const auto& lines = g_fakeMixer.devices[1].lines;
    EXPECT_EQ(lines[0].controls[0].writes, 0);
    EXPECT_EQ(lines[1].controls[0].writes, 0);
    EXPECT_EQ(lines[3].controls[0].value, 0u);
    ExpectBalancedUse();
}

TEST_F(MixerWay, NoDeviceHasNoStateAndTheIndicatorClosesUnseen)
{
    EXPECT_EQ(ReadMixerMute(), -1);
    SetMixerMute(1);
    EXPECT_EQ(g_fakeMixer.misuse, 0);

    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    EXPECT_FALSE(IsWindowVisible(indicator));
    EXPECT_TRUE(Pump());  // the posted WM_CLOSE ends the dialog
    EXPECT_FALSE(IsWindowVisible(indicator));
    EXPECT_EQ(ShownIcon(), nullptr);
    EXPECT_EQ(g_hSharedBlock, nullptr);
}

TEST_F(MixerWay, ToggleSwitchesShowsAndPostsTheNewStatesIcon)
{
    g_fakeMixer.devices.resize(1);
    g_fakeMixer.devices[0].lines = {SpeakerLine(0)};

    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    EXPECT_EQ(m_core.creations, 0);
    EXPECT_TRUE(IsWindowVisible(indicator));
    EXPECT_EQ(g_fakeMixer.devices[0].lines[0].controls[0].value, 1u);
    EXPECT_EQ(ShownIcon(), nullptr);  // posted, not yet handled
    EXPECT_FALSE(Pump());
    EXPECT_EQ(ShownIcon(), g_hMuteIcon);

    SendMessageW(indicator, WM_TOGGLE_MUTE, 0, 0);
    EXPECT_EQ(g_fakeMixer.devices[0].lines[0].controls[0].value, 0u);
    Pump();
    EXPECT_EQ(ShownIcon(), g_hSoundIcon);
    ExpectBalancedUse();
}

}  // namespace
