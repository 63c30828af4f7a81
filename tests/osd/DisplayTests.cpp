// The volume display: level table, placement, suppression and the drawn pixels.
#include "FakeMixer.h"
#include "OsdTestSupport.h"
#include "Pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The level bounds as the display must use them, kept apart from the code's own copy.
const DWORD BOUNDS[34] = {
    0, 1, 329, 391, 464, 552, 656, 779, 926, 1101, 1308, 1554, 1847, 2196, 2609, 3101, 3686,
    4380, 5206, 6187, 7353, 8739, 10387, 12345, 14672, 17437, 20724, 24631, 29274, 34792,
    41350, 49415, 58408, 65535,
};

const COLORREF YELLOW = RGB(244, 230, 66);
const COLORREF GREY = RGB(195, 195, 195);
const COLORREF RAMP = RGB(130, 136, 204);
const COLORREF WAVE = RGB(0, 0, 255);

TEST(LevelTable, EachBoundBelongsToTheLowerLevelAndTheNextValueToTheUpper)
{
    EXPECT_EQ(0, LevelFromVolume(0));
    for (int i = 1; i <= 33; ++i) {
        EXPECT_EQ(i - 1, LevelFromVolume(BOUNDS[i])) << "volume " << BOUNDS[i];
        if (i <= 32) {
            EXPECT_EQ(i, LevelFromVolume(BOUNDS[i] + 1)) << "volume " << BOUNDS[i] + 1;
        }
    }
}

TEST(Placement, CentredHorizontallyOnA1024WideDesktop)
{
    RECT rcDesktop = {0, 0, 1024, 768};
    POINT pt = VolumeDisplayPosition(rcDesktop, 71);
    EXPECT_EQ(421, pt.x);
    EXPECT_EQ(348, pt.y);  // (768 - 71) / 2, truncated
}

// What is on screen in the display's client area.
CPixels ReadClientPixels(HWND hWnd)
{
    return ScreenPixels(hWnd, RECT{0, 0, BITMAP_WIDTH, BITMAP_HEIGHT});
}

class DisplayTest : public ::testing::Test {
protected:
    HWND m_hOwner = NULL;

    void SetUp() override
    {
        InstallFakeMixer();
        g_hInstance = GetModuleHandleA(NULL);
        m_hOwner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                   g_hInstance, NULL);
        ASSERT_TRUE(m_hOwner);
        OpenMixer(m_hOwner);
        CreateVolumeDisplay(m_hOwner);
        ASSERT_TRUE(g_hVolumeDisplay);
    }

    void TearDown() override
    {
        DestroyVolumeDisplay();
        DestroyWindow(m_hOwner);
    }

    CPixels ShowAt(DWORD dwVolume, DWORD dwMute)
    {
        g_fake.dwVolumeValue = dwVolume;
        g_fake.dwMuteValue = dwMute;
        InvalidateRect(g_hVolumeDisplay, NULL, FALSE);
        ShowVolumeDisplay(true);
        return ReadClientPixels(g_hVolumeDisplay);
    }
};

TEST_F(DisplayTest, CreatedHiddenTopmostAndCentredWithTheBitmapFillingTheClientArea)
{
    EXPECT_FALSE(IsWindowVisible(g_hVolumeDisplay));
    EXPECT_EQ(m_hOwner, GetWindow(g_hVolumeDisplay, GW_OWNER));
    EXPECT_TRUE(GetWindowLongA(g_hVolumeDisplay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, GetWindowLongA(g_hVolumeDisplay, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(0, g_nLevel);
    EXPECT_EQ(0, g_bMute);

    RECT rc, rcClient, rcDesktop;
    GetWindowRect(g_hVolumeDisplay, &rc);
    GetClientRect(g_hVolumeDisplay, &rcClient);
    GetWindowRect(GetDesktopWindow(), &rcDesktop);
    EXPECT_EQ(182, rc.right - rc.left);
    EXPECT_EQ(86, rc.bottom - rc.top);
    EXPECT_EQ(176, rcClient.right);
    EXPECT_EQ(80, rcClient.bottom);
    EXPECT_EQ(VolumeDisplayPosition(rcDesktop, 0).x, rc.left);
    EXPECT_NE(nullptr, GetDlgItem(g_hVolumeDisplay, 1000));
}

TEST_F(DisplayTest, ShowsWithoutActivationAndHides)
{
    HWND hUser = CreateWindowExA(0, "STATIC", "user", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL,
                                 NULL, g_hInstance, NULL);
    SetActiveWindow(hUser);
    ASSERT_EQ(hUser, GetActiveWindow());
    ShowVolumeDisplay(true);
    EXPECT_TRUE(IsWindowVisible(g_hVolumeDisplay));
    EXPECT_EQ(hUser, GetActiveWindow());
    ShowVolumeDisplay(false);
    EXPECT_FALSE(IsWindowVisible(g_hVolumeDisplay));
    DestroyWindow(hUser);
}

TEST_F(DisplayTest, NeverShownWhileTheMediaCenterRendererExists)
{
    ASSERT_TRUE(RegisterPlainClass(EHOME_RENDER_CLASS));
    HWND hRenderer = CreateWindowExA(0, EHOME_RENDER_CLASS, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                     g_hInstance, NULL);
    ASSERT_TRUE(hRenderer);

    ShowVolumeDisplay(true);
    EXPECT_FALSE(IsWindowVisible(g_hVolumeDisplay));

    DestroyWindow(hRenderer);
    UnregisterClassA(EHOME_RENDER_CLASS, g_hInstance);
    ShowVolumeDisplay(true);
    EXPECT_TRUE(IsWindowVisible(g_hVolumeDisplay));
}

TEST_F(DisplayTest, FullVolumeDrawsTheWedgeUpToTheTopMarkerYellowOrGreyWhenMuted)
{
    CPixels px = ShowAt(65535, 0);
    EXPECT_EQ(32, g_nLevel);
    EXPECT_EQ(RGB(0, 0, 0), px.At(0, 0));           // outer frame
    EXPECT_EQ(RGB(204, 204, 204), px.At(2, 40));    // background
    EXPECT_GT(px.Count(WAVE, 26, 5, 45, 36), 10);   // the speaker's waves
    EXPECT_EQ(YELLOW, px.At(20, 65));
    EXPECT_EQ(YELLOW, px.At(100, 60));
    EXPECT_EQ(YELLOW, px.At(160, 22));              // just under the tip at (161, 19)
    EXPECT_EQ(YELLOW, px.At(161, 19));
    EXPECT_NE(YELLOW, px.At(161, 16));
    EXPECT_NE(YELLOW, px.At(163, 60));
    EXPECT_EQ(0, px.Count(GREY));

    px = ShowAt(65535, 1);
    EXPECT_EQ(1, g_bMute);
    EXPECT_EQ(0, px.Count(WAVE));
    EXPECT_EQ(GREY, px.At(100, 60));
    EXPECT_EQ(GREY, px.At(160, 22));
    EXPECT_EQ(0, px.Count(YELLOW));
}

TEST_F(DisplayTest, TheWedgeFollowsTheLevelAndLevelZeroShowsTheBareRamp)
{
    CPixels px = ShowAt(30000, 0);  // level 28, tip (143, 24)
    EXPECT_EQ(28, g_nLevel);
    EXPECT_EQ(YELLOW, px.At(140, 30));
    EXPECT_EQ(RAMP, px.At(150, 60));

    px = ShowAt(1, 0);
    EXPECT_EQ(0, g_nLevel);
    EXPECT_LE(px.Count(YELLOW), 1);
    EXPECT_EQ(RAMP, px.At(30, 66));
    EXPECT_GT(px.Count(WAVE), 10);

    // A failed read leaves the last values on the display.
    g_fake.bVolumeReadFails = true;
    px = ShowAt(65535, 0);
    EXPECT_EQ(0, g_nLevel);
    EXPECT_EQ(1u, g_dwVolume);
}

} // namespace
