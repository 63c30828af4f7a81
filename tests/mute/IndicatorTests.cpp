// The indicator window: template, layout, icons, close timer, cleanup and the whole start.
#include "MuteTestSupport.h"

#include <vector>

#include "IconColours.h"

namespace {

class Indicator : public HushwellTest {
protected:
    void SetUp() override
    {
        HushwellTest::SetUp();
        g_fakeMixer.devices.resize(1);
        g_fakeMixer.devices[0].lines = {SpeakerLine(0)};
    }
};

// An icon drawn on white.
CPixels IconPixels(HICON icon, int size)
{
    return PixelsOf(size, size, [&](HDC dc) {
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    });
}

TEST_F(Indicator, TemplateIsTheDocumentedOne)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(IDD_INDICATOR), MAKEINTRESOURCEW(5));
    ASSERT_NE(found, nullptr);
    const WORD* w = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    auto dword = [](const WORD* at) { return DWORD(at[0]) | (DWORD(at[1]) << 16); };
    ASSERT_EQ(w[1], 0xFFFF);                  // an extended template
    EXPECT_EQ(dword(w + 4), 0x00000088u);     // WS_EX_TOPMOST | WS_EX_TOOLWINDOW
    EXPECT_EQ(dword(w + 6), 0x8080084Cu);
    EXPECT_EQ(w[8], 1);                       // one control
    EXPECT_EQ(w[11], 27);
    EXPECT_EQ(w[12], 26);
    const WORD* p = w + 13;
    EXPECT_EQ(p[0], 0);                       // no menu
    EXPECT_EQ(p[1], 0);                       // the standard class
    EXPECT_EQ(p[2], 0);                       // no caption
    EXPECT_EQ(p[3], 8);                       // point size, weight, italic and charset, face
    p += 6;
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(p), L"MS Shell Dlg");
    p += wcslen(reinterpret_cast<const wchar_t*>(p)) + 1;
    if ((p - w) % 2)
        ++p;                                  // controls start on a DWORD boundary
    EXPECT_EQ(dword(p + 2), static_cast<DWORD>(WS_EX_STATICEDGE));
    EXPECT_EQ(dword(p + 4), 0x50000C03u);
    EXPECT_EQ(p[6], 5);
    EXPECT_EQ(p[7], 3);
    EXPECT_EQ(p[8], 21);
    EXPECT_EQ(p[9], 20);
    EXPECT_EQ(dword(p + 10), static_cast<DWORD>(IDC_INDICATOR_ICON));
    const wchar_t* className = reinterpret_cast<const wchar_t*>(p + 12);
    EXPECT_TRUE((p[12] == 0xFFFF && p[13] == 0x0082) || lstrcmpiW(className, L"STATIC") == 0);
}

TEST_F(Indicator, LayoutCentresA72PixelWindowWithA65PixelIcon)
{
    POINT at = IndicatorOrigin(RECT{0, 0, 1024, 768});
    EXPECT_EQ(at.x, 476);
    EXPECT_EQ(at.y, 348);
    at = IndicatorOrigin(RECT{0, 0, 1023, 767});
    EXPECT_EQ(at.x, 475);
    EXPECT_EQ(at.y, 347);

    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    RECT desktop, window, icon;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(indicator, &window);
    POINT expected = IndicatorOrigin(desktop);
    EXPECT_EQ(window.left, expected.x);
    EXPECT_EQ(window.top, expected.y);
    EXPECT_EQ(window.right - window.left, 72);
    EXPECT_EQ(window.bottom - window.top, 72);
    GetWindowRect(GetDlgItem(indicator, IDC_INDICATOR_ICON), &icon);
    MapWindowPoints(nullptr, indicator, reinterpret_cast<POINT*>(&icon), 2);
    EXPECT_EQ(icon.left, 2);
    EXPECT_EQ(icon.top, 2);
    EXPECT_EQ(icon.right - icon.left, 65);
    EXPECT_EQ(icon.bottom - icon.top, 65);
}

TEST_F(Indicator, IconsAre65PixelsGreyWhenMutedWithBlueWavesForSound)
{
    LoadIndicatorIcons();
    ASSERT_NE(g_hMuteIcon, nullptr);
    ASSERT_NE(g_hSoundIcon, nullptr);
    for (HICON icon : {g_hMuteIcon, g_hSoundIcon}) {
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm;
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 65);
        EXPECT_EQ(bm.bmHeight, 65);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    EXPECT_TRUE(IconColours(IconPixels(g_hMuteIcon, 65)).Muted());
    IconColours sound(IconPixels(g_hSoundIcon, 65));
    EXPECT_TRUE(sound.Sound());
    EXPECT_EQ(sound.grey, 0);
}

TEST_F(Indicator, PublishesItsHandleInTheSharedBlockUntilCleanup)
{
    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, HUSHWELL_BLOCK_NAME);
    ASSERT_NE(block, nullptr);
    const void* view = MapViewOfFile(block, FILE_MAP_READ, 0, 0, HUSHWELL_BLOCK_SIZE);
    ASSERT_NE(view, nullptr);
    DWORD value;
    memcpy(&value, view, sizeof value);
    EXPECT_EQ(UnpackWindowHandle(value), indicator);
    UnmapViewOfFile(view);
    CloseHandle(block);

    SendMessageW(indicator, WM_CLOSE, 0, 0);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, HUSHWELL_BLOCK_NAME), nullptr);
}

TEST_F(Indicator, CloseTimerEndsItAndEachResourceIsReleasedOnce)
{
    s_version = 6;
    HWND indicator = CreateIndicator();
    ASSERT_NE(indicator, nullptr);
    ASSERT_EQ(m_core.volume.refs, 2);

    SendMessageW(indicator, WM_TIMER, CLOSE_TIMER_ID - 1, 0);
    EXPECT_TRUE(IsWindow(indicator));

    SendMessageW(indicator, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_core.volume.refs, 1);
    EXPECT_EQ(g_hSharedBlock, nullptr);

    SendMessageW(indicator, WM_TIMER, CLOSE_TIMER_ID, 0);
    EXPECT_FALSE(IsWindow(indicator));
    EXPECT_EQ(m_core.volume.refs, 1);
    EXPECT_TRUE(Pump());
}

TEST_F(Indicator, StartWithoutStateEndsAtOnceAndReleasesTheMutex)
{
    g_fakeMixer.devices.clear();
    DWORD started = GetTickCount();
    EXPECT_EQ(RunHushwell(GetModuleHandleW(nullptr)), 0);
    EXPECT_LT(GetTickCount() - started, 1500u);
    EXPECT_EQ(g_hMutex, nullptr);
    HANDLE mutex = CreateMutexW(nullptr, TRUE, HUSHWELL_MUTEX_NAME);
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(mutex);
}

}  // namespace
