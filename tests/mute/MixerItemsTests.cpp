// Mute controls that report several items: the read gets room for every item a driver writes,
// and a control with more items than can be held is passed over.
#include "MuteTestSupport.h"

namespace {

class MixerItems : public HushwellTest {};

TEST_F(MixerItems, MultiItemMuteIsReadAndSwitchedWithinItsBuffer)
{
    struct Case {
        DWORD items;
        int read;         // what ReadMixerMute gives with the control's value at 1
        DWORD afterSet;   // the control's value after SetMixerMute(0)
    };
    const Case cases[] = {
        {0, 1, 0},
        {2, 1, 0},
        {32, 1, 0},
        {33, -1, 1},        // more than the buffer holds: neither read nor switched
        {0x100000, -1, 1},  // an 8 MB write were it passed on
    };
    for (const Case& c : cases) {
        InstallFakeMixer();
        g_fakeMixer.devices.resize(1);
        FakeLine line = SpeakerLine(1);
        line.controls[0].items = c.items;
        g_fakeMixer.devices[0].lines = {line};

        EXPECT_EQ(ReadMixerMute(), c.read) << c.items << " items";
        SetMixerMute(0);
        const FakeControl& control = g_fakeMixer.devices[0].lines[0].controls[0];
        EXPECT_EQ(control.value, c.afterSet) << c.items << " items";
        EXPECT_EQ(g_fakeMixer.misuse, 0) << c.items << " items";
        EXPECT_EQ(g_fakeMixer.devices[0].opens, g_fakeMixer.devices[0].closes);
    }
}

// A later speaker line with an ordinary mute still decides when an earlier one is passed over.
TEST_F(MixerItems, OversizedControlDoesNotHideTheNextLine)
{
    g_fakeMixer.devices.resize(1);
    FakeLine wide = SpeakerLine(0);
    wide.controls[0].items = 1000;
    g_fakeMixer.devices[0].lines = {wide, SpeakerLine(1)};
    EXPECT_EQ(ReadMixerMute(), 1);
    SetMixerMute(0);
    EXPECT_EQ(g_fakeMixer.devices[0].lines[0].controls[0].writes, 0);
    EXPECT_EQ(g_fakeMixer.devices[0].lines[1].controls[0].value, 0u);
}

}  // namespace
