// The Core Audio way and the choice of way by the system's major version.
#include "MuteTestSupport.h"

namespace {

class CoreAudioWay : public HushwellTest {
protected:
    void SetUp() override
    {
        HushwellTest::SetUp();
        s_version = 6;
    }
};

TEST_F(CoreAudioWay, TogglesBetweenMutedAndSoundWithTheMatchingIcon)
{
    m_core.volume.muted = TRUE;
    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    EXPECT_TRUE(g_bCoreAudio);
    EXPECT_FALSE(m_core.volume.muted);
    EXPECT_EQ(m_core.volume.lastContext, nullptr);
    EXPECT_TRUE(IsWindowVisible(indicator));
    Pump();
    EXPECT_EQ(ShownIcon(), g_hSoundIcon);

    SendMessageW(indicator, WM_TOGGLE_MUTE, 0, 0);
    EXPECT_TRUE(m_core.volume.muted);
    Pump();
    EXPECT_EQ(ShownIcon(), g_hMuteIcon);
    // Only the endpoint is used, and it alone is held: enumerator and device are let go.
    EXPECT_EQ(m_core.enumerator.refs, 1);
    EXPECT_EQ(m_core.device.refs, 1);
    EXPECT_EQ(m_core.volume.refs, 2);
}

TEST_F(CoreAudioWay, FailedReadCountsAsSoundOn)
{
    m_core.volume.getMuteResult = E_FAIL;
    ASSERT_NE(CreateIndicator(), nullptr);
    EXPECT_EQ(m_core.volume.setMuteCalls, 1);
    EXPECT_TRUE(m_core.volume.muted);
    Pump();
    EXPECT_EQ(ShownIcon(), g_hMuteIcon);
}

TEST_F(CoreAudioWay, EachFailingStepDestroysTheIndicatorAndReleasesWhatItGot)
{
    struct Step {
        const char* name;
        HRESULT create, endpoint, activate;
    } steps[] = {
        {"enumerator", E_FAIL, S_OK, S_OK},
        {"enumerator S_FALSE", S_FALSE, S_OK, S_OK},
        {"default endpoint", S_OK, E_NOTFOUND, S_OK},
        {"activate", S_OK, S_OK, E_NOINTERFACE},
        {"activate S_FALSE", S_OK, S_OK, S_FALSE},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        FakeCoreAudio core;
        InstallFakeCoreAudio(core);
        core.createResult = step.create;
        core.enumerator.defaultResult = step.endpoint;
        core.device.activateResult = step.activate;

        EXPECT_FALSE(IsWindow(CreateIndicator()));
        EXPECT_EQ(g_pEndpointVolume, nullptr);
        EXPECT_EQ(core.enumerator.refs, 1);
        EXPECT_EQ(core.device.refs, 1);
        EXPECT_EQ(core.volume.refs, 1);
        EXPECT_EQ(core.volume.setMuteCalls, 0);
        Pump();
    }
}

TEST_F(CoreAudioWay, MajorVersionChoosesTheWayOnce)
{
    struct Case {
        DWORD version;
        bool coreAudio;
    } cases[] = {{5, false}, {6, true}, {10, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        InstallFakeMixer();
        g_fakeMixer.devices.resize(1);
        g_fakeMixer.devices[0].lines = {SpeakerLine(0)};
        FakeCoreAudio core;
        InstallFakeCoreAudio(core);
        s_version = c.version;

        HWND indicator = CreateIndicator();
        ASSERT_NE(indicator, nullptr);
        SendMessageW(indicator, WM_TOGGLE_MUTE, 0, 0);
        SendMessageW(indicator, WM_TOGGLE_MUTE, 0, 0);
        EXPECT_EQ(g_bCoreAudio, c.coreAudio);
        EXPECT_EQ(core.creations, c.coreAudio ? 1 : 0);
        EXPECT_EQ(core.volume.setMuteCalls, c.coreAudio ? 3 : 0);
        EXPECT_EQ(g_fakeMixer.devices[0].lines[0].controls[0].writes, c.coreAudio ? 0 : 3);
        DestroyWindow(indicator);
        Pump();
        EXPECT_EQ(core.volume.refs, 1);
    }
}

}  // namespace
