// The property sheet: page set, page building, the window's set-up, banner, About box, help
// and the apply-all step.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "FakeMirrend.h"
#include "Pixels.h"
#include "PageUtil.h"
#include "PallumApp.h"
#include "Banner.h"
#include "PallumSheet.h"
#include "AppletTestSupport.h"
#include "resource.h"

namespace {

const char kTestPagesKey[] = "Software\\KelvoraTests\\Pages";
const unsigned ALL_TEST_PAGES = (1u << PAGE_COUNT) - 1;

using PageSetTest = AppletTest;

std::vector<int> Flags(const CPageSet& set)
{
    return { set.GetGPBtn(), set.GetMedia(), set.GetModePanel(), set.GetAppMode(), set.GetRemocon() };
}

TEST_F(PageSetTest, ReadsAllFiveFlagsAndAMissingKeyClearsThem)
{
    CRegistryScratch key(HKEY_CURRENT_USER, kTestPagesKey, true);
    key.SetDword("GPBtn", 1);
    key.SetDword("Media", 0);
    key.SetDword("ModePanel", 7);
    key.SetDword("AppMode", 1);
    key.SetDword("Remocon", 1);
    CPageSet set;
    EXPECT_TRUE(set.ReadPageSet(HKEY_CURRENT_USER, kTestPagesKey));
    EXPECT_EQ((std::vector<int> { 1, 0, 7, 1, 1 }), Flags(set));
    EXPECT_EQ(7, set.GetFlag(PAGE_SUBLCD));
    EXPECT_FALSE(set.ReadPageSet(HKEY_CURRENT_USER, "Software\\KelvoraTests\\NoSuchKey"));
    EXPECT_EQ((std::vector<int> { 0, 0, 0, 0, 0 }), Flags(set));
}

TEST_F(PageSetTest, UnreadableValuesLeaveOnlyTheirPagesOut)
{
    CRegistryScratch key(HKEY_CURRENT_USER, kTestPagesKey, true);
    key.SetDword("GPBtn", 1);
    key.SetString("Media", "1"); // text, not a number
    const unsigned long long qword = 1;
    key.SetValue("ModePanel", REG_QWORD, &qword, sizeof(qword));
    const BYTE shortData[2] = { 1, 0 };
    key.SetValue("AppMode", REG_DWORD, shortData, sizeof(shortData)); // too short
    // "Remocon" missing.
    CPageSet set;
    EXPECT_FALSE(set.ReadPageSet(HKEY_CURRENT_USER, kTestPagesKey));
    EXPECT_EQ((std::vector<int> { 1, 0, 0, 0, 0 }), Flags(set));
}

using SheetBuildTest = AppletTest;

TEST_F(SheetBuildTest, CreatesTheFlaggedPagesInTabOrder)
{
    CTestSheet sheet(ALL_TEST_PAGES);
    const int flags[PAGE_COUNT] = { 1, 1, 0, 1, 1 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    EXPECT_EQ((std::vector<std::string> { "Init 0", "Init 1", "Init 3", "Init 4" }), PageLog());
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_EQ(sheet.GetPallumPage(PAGE_BUTTONS), sheet.GetPage(0));
    EXPECT_EQ(sheet.GetPallumPage(PAGE_REMOCON), sheet.GetPage(3));
    EXPECT_EQ(nullptr, sheet.GetPallumPage(PAGE_SUBLCD));
    EXPECT_NE(nullptr, sheet.GetSheetIcon());
    EXPECT_EQ(0u, sheet.m_psh.dwFlags & PSH_HASHELP);
    // Every page got the sheet and its one general settings record.
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        CTestPage* pPage = static_cast<CTestPage*>(sheet.GetPage(i));
        EXPECT_EQ(&sheet, pPage->m_pSheet);
        EXPECT_EQ(&sheet.GetGeneral(), pPage->m_pGeneral);
    }
}

TEST_F(SheetBuildTest, AFailedInitLeavesNoPage)
{
    {
        CTestSheet sheet(ALL_TEST_PAGES, PAGE_APPMODE);
        const int flags[PAGE_COUNT] = { 1, 1, 1, 1, 1 };
        EXPECT_FALSE(sheet.BuildFromFlags(flags));
        EXPECT_EQ(0, sheet.GetPageCount());
        for (int i = 0; i < PAGE_COUNT; ++i)
            EXPECT_EQ(nullptr, sheet.GetPallumPage(static_cast<PallumPageId>(i))) << i;
        // The RC page was never created; the four others are gone again.
        EXPECT_EQ((std::vector<std::string> { "Init 0", "Init 1", "Init 2", "Init 3", "Delete 0", "Delete 1",
                      "Delete 2", "Delete 3" }),
            PageLog());
    }
    EXPECT_EQ(8u, PageLog().size()); // nothing deleted twice by the sheet's destructor
}

TEST_F(SheetBuildTest, ProductPagesFollowThePageSetInItsOrder)
{
    CTestSheet sheet(0);
    const int flags[PAGE_COUNT] = { 0, 1, 1, 1, 1 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    ASSERT_EQ(4, sheet.GetPageCount());
    EXPECT_EQ(sheet.GetPallumPage(PAGE_MEDIA), sheet.GetPage(0));
    EXPECT_EQ(sheet.GetPallumPage(PAGE_SUBLCD), sheet.GetPage(1));
    EXPECT_EQ(sheet.GetPallumPage(PAGE_APPMODE), sheet.GetPage(2));
    EXPECT_EQ(sheet.GetPallumPage(PAGE_REMOCON), sheet.GetPage(3));

    CTestSheet empty(0);
    const int none[PAGE_COUNT] = { 0, 0, 0, 0, 0 };
    EXPECT_TRUE(empty.BuildFromFlags(none));
    EXPECT_EQ(0, empty.GetPageCount());
}

TEST_F(SheetBuildTest, PreparePagesReadsThePageSetAndTheGeneralSettings)
{
    const int flags[PAGE_COUNT] = { -1, -1, -1, -1, 1 };
    CPageSetOverride pages(flags);
    FakeMirrend::StoredGeneral().nExtReceiver = 0;
    CPallumSheet sheet("Pallum sheet under test", nullptr, 0);
    EXPECT_TRUE(sheet.PreparePages());
    EXPECT_EQ(1, FakeMirrend::CountCalls("ReadSettingGeneralSettingManager"));
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(0, sheet.GetGeneral().m_nExtReceiver);
}

// ---- The running sheet ------------------------------------------------------------------

using SheetWindowTest = AppletTest;

TEST_F(SheetWindowTest, OpensOnTheStartPageWithIconsMenuAndHelpButton)
{
    struct Case {
        int flags[PAGE_COUNT];
        int nStartPage;
        const char* pszActive;
    };
    const Case cases[] = {
        { { 1, 1, 1, 1, 1 }, 2, "Sub LCD" },
        { { 0, 1, 1, 1, 1 }, 2, "Application mode" },
        { { 1, 0, 0, 0, 1 }, 2, "Buttons" }, // fewer than three pages: the first one
        { { 1, 1, 1, 1, 1 }, 0, "Buttons" },
    };
    for (const Case& c : cases) {
        CTestSheet sheet(ALL_TEST_PAGES);
        ASSERT_TRUE(sheet.BuildFromFlags(c.flags));
        sheet.SetStartPage(c.nStartPage);
        std::vector<std::string> tabs;
        std::string active;
        HICON hBig = nullptr, hSmall = nullptr;
        DWORD dwExStyle = 0;
        std::string lastMenuText;
        UINT nLastMenuId = 0, nSeparatorState = 0;
        bool bHelpButton = true;
        sheet.Run({Do([&] {
            HWND hSheet = sheet.m_hWnd;
            tabs = TabTitles(hSheet);
            HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
            const int nCur = static_cast<int>(SendMessageA(hTab, TCM_GETCURSEL, 0, 0));
            if (nCur >= 0 && nCur < static_cast<int>(tabs.size()))
                active = tabs[nCur];
            hBig = reinterpret_cast<HICON>(SendMessageA(hSheet, WM_GETICON, ICON_BIG, 0));
            hSmall = reinterpret_cast<HICON>(SendMessageA(hSheet, WM_GETICON, ICON_SMALL, 0));
            dwExStyle = static_cast<DWORD>(GetWindowLongA(hSheet, GWL_EXSTYLE));
            HMENU hMenu = GetSystemMenu(hSheet, FALSE);
            const int nItems = GetMenuItemCount(hMenu);
            char szText[64] = "";
            GetMenuStringA(hMenu, nItems - 1, szText, sizeof(szText), MF_BYPOSITION);
            lastMenuText = szText;
            nLastMenuId = GetMenuItemID(hMenu, nItems - 1);
            nSeparatorState = GetMenuState(hMenu, nItems - 2, MF_BYPOSITION);
            HWND hHelp = GetDlgItem(hSheet, IDHELP);
            bHelpButton = hHelp && IsWindowVisible(hHelp);
            PressSheetButton(hSheet, PSBTN_CANCEL);
        })});
        EXPECT_EQ(active, c.pszActive) << c.nStartPage;
        EXPECT_EQ(sheet.GetSheetIcon(), hBig);
        EXPECT_EQ(sheet.GetSheetIcon(), hSmall);
        EXPECT_NE(0u, dwExStyle & WS_EX_CONTEXTHELP);
        EXPECT_EQ("&About...", lastMenuText);
        EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), nLastMenuId);
        EXPECT_NE(0u, nSeparatorState & MF_SEPARATOR);
        EXPECT_FALSE(bHelpButton);
    }
}

// Pixels of a bitmap resource, as drawn unscaled.
CPixels LoadPicture(UINT nId)
{
    HBITMAP hBitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId));
    BITMAP bm;
    if (!hBitmap || !GetObjectA(hBitmap, sizeof(bm), &bm))
        return CPixels();
    CPixels picture = PixelsOf(bm.bmWidth, bm.bmHeight, [&](HDC hDC) {
        HDC hMem = CreateCompatibleDC(hDC);
        HGDIOBJ hOld = SelectObject(hMem, hBitmap);
        BitBlt(hDC, 0, 0, bm.bmWidth, bm.bmHeight, hMem, 0, 0, SRCCOPY);
        SelectObject(hMem, hOld);
        DeleteDC(hMem);
    });
    DeleteObject(hBitmap);
    return picture;
}

// What paint draws on a w x h surface filled with kBackground first.
const COLORREF kBackground = RGB(1, 2, 3);
template <typename Paint>
CPixels DrawnOnBackground(int w, int h, Paint paint)
{
    return PixelsOf(w, h, [&](HDC hDC) {
        RECT rc = {0, 0, w, h};
        HBRUSH hBrush = CreateSolidBrush(kBackground);
        FillRect(hDC, &rc, hBrush);
        DeleteObject(hBrush);
        paint(hDC);
    });
}

using BannerTest = AppletTest;

TEST_F(BannerTest, PartsAreDrawnLeftTiledRightAtTheirSizes)
{
    const CPixels left = LoadPicture(IDB_BANNER_LEFT);
    const CPixels middle = LoadPicture(IDB_BANNER_MIDDLE);
    const CPixels right = LoadPicture(IDB_BANNER_RIGHT);
    ASSERT_EQ(250, left.nWidth);
    ASSERT_EQ(181, middle.nWidth);
    ASSERT_EQ(80, right.nWidth);
    ASSERT_EQ(28, left.nHeight);
    EXPECT_EQ(28, GetBitmapHeight(IDB_BANNER_LEFT));
    EXPECT_EQ(0, GetBitmapHeight(9999));

    // Expected colour of banner pixel (x, y) for a client area whose right edge is nRight.
    auto expected = [&](int nRight, int x, int y) -> COLORREF {
        if (x >= nRight - right.nWidth)
            return right.At(x - (nRight - right.nWidth), y);
        if (x < left.nWidth)
            return left.At(x, y);
        return middle.At((x - left.nWidth) % middle.nWidth, y);
    };
    for (int nRight : { 330, 331, 600, 900 }) {
        const CPixels surface = DrawnOnBackground(nRight + 20, 40, [&](HDC hDC) { DrawBanner(hDC, nRight); });
        int nWrong = 0;
        for (int y : { 0, 13, 27 })
            for (int x = 0; x < nRight; ++x)
                nWrong += surface.At(x, y) != expected(nRight, x, y);
        EXPECT_EQ(0, nWrong) << "right edge " << nRight;
        // Nothing below the band (past the right edge the window clips a last tile).
        EXPECT_EQ(kBackground, surface.At(10, 28)) << nRight;
    }
}

TEST_F(BannerTest, AMissingPartDrawsNothing)
{
    int nNext = -1;
    const CPixels surface = DrawnOnBackground(100, 40, [&](HDC hDC) {
        EXPECT_FALSE(DrawBannerBitmap(hDC, 9999, 0, &nNext));
    });
    EXPECT_EQ(-1, nNext);
    EXPECT_EQ(kBackground, surface.At(0, 0));
    DrawnOnBackground(100, 40, [&](HDC hDC) { EXPECT_TRUE(DrawBannerBitmap(hDC, IDB_BANNER_RIGHT, 10, &nNext)); });
    EXPECT_EQ(90, nNext);
}

TEST_F(BannerTest, LayoutMakesRoomAboveTabsAndButtons)
{
    // No tab control: nothing changes.
    HWND hPlain = CreateWindowA("STATIC", "", WS_POPUP, 10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    RECT before, after;
    GetWindowRect(hPlain, &before);
    EXPECT_FALSE(LayoutForBanner(hPlain, 28));
    GetWindowRect(hPlain, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    DestroyWindow(hPlain);

    CTestSheet sheet(ALL_TEST_PAGES);
    const int flags[PAGE_COUNT] = { 1, 0, 0, 0, 1 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    sheet.SetStartPage(2);   // "/s" with fewer than three pages: the first page, still laid out
    const int ids[] = { IDOK, IDCANCEL, IDC_SHEET_APPLY };
    RECT rcSheet0 = {}, rcSheet1 = {}, rcTab0 = {}, rcTab1 = {};
    POINT ptTabInClient = {};
    RECT rcButton0[3] = {}, rcButton1[3] = {}, rcTabItem = {}, rcPage = {};
    COLORREF bannerPixel = 0;
    sheet.Run({Do([&] {
        HWND hSheet = sheet.m_hWnd;
        HWND hTab = sheet.GetTabControl()->GetSafeHwnd();
        GetWindowRect(hSheet, &rcSheet0);
        GetWindowRect(hTab, &rcTab0);
        ptTabInClient = { rcTab0.left, rcTab0.top };
        ScreenToClient(hSheet, &ptTabInClient);
        TabCtrl_GetItemRect(hTab, 0, &rcTabItem);
        MapWindowPoints(hTab, nullptr, reinterpret_cast<POINT*>(&rcTabItem), 2);
        GetWindowRect(sheet.GetActivePage()->m_hWnd, &rcPage);
        for (int i = 0; i < 3; ++i)
            GetWindowRect(GetDlgItem(hSheet, ids[i]), &rcButton0[i]);
        RedrawWindow(hSheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        bannerPixel = ScreenPixel(hSheet, 3, 3);
        EXPECT_TRUE(LayoutForBanner(hSheet, 10));
        GetWindowRect(hSheet, &rcSheet1);
        GetWindowRect(hTab, &rcTab1);
        for (int i = 0; i < 3; ++i)
            GetWindowRect(GetDlgItem(hSheet, ids[i]), &rcButton1[i]);
        PressSheetButton(hSheet, PSBTN_CANCEL);
    })});
    // The band of the banner's height is free at the top, and the page shown follows the tabs.
    EXPECT_GE(ptTabInClient.y, 28);
    EXPECT_GE(rcPage.top, rcTabItem.bottom);
    EXPECT_EQ(LoadPicture(IDB_BANNER_LEFT).At(3, 3), bannerPixel);
    // A further layout moves everything by its height and keeps the sizes.
    EXPECT_EQ(rcSheet0.top, rcSheet1.top);
    EXPECT_EQ(rcSheet0.bottom + 10, rcSheet1.bottom);
    EXPECT_EQ(rcSheet0.right - rcSheet0.left, rcSheet1.right - rcSheet1.left);
    EXPECT_EQ(rcTab0.top + 10, rcTab1.top);
    EXPECT_EQ(rcTab0.bottom - rcTab0.top, rcTab1.bottom - rcTab1.top);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rcButton0[i].top + 10, rcButton1[i].top) << ids[i];
        EXPECT_EQ(rcButton0[i].left, rcButton1[i].left) << ids[i];
    }
}

// ---- System menu, help -----------------------------------------------------------------

using SheetCommandTest = AppletTest;

TEST_F(SheetCommandTest, SystemMenuOpensAboutWithTheLibraryVersionAndStillCloses)
{
    FakeMirrend::StoredGeneral().strVersion = "Version 3.33 test";
    CTestSheet sheet(ALL_TEST_PAGES);
    const int flags[PAGE_COUNT] = { 1, 0, 0, 0, 0 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    bool bAboutOpened = false, bNearIdOpenedAbout = true, bSheetClosed = false, bOwnedBySheet = false;
    std::string version;
    const char kAbout[] = "About KELVORA Controls";
    HWND hSheet = nullptr, hAbout = nullptr;
    ULONGLONG posted = 0;
    const INT_PTR nResult = sheet.Run({
        Do([&] {
            hSheet = sheet.m_hWnd;
            // Only the exact id opens the box.
            PostMessageA(hSheet, WM_SYSCOMMAND, IDM_ABOUTBOX + 1, 0);
            posted = GetTickCount64();
        }),
        [&] {
            if (GetTickCount64() - posted < 500 && !FindWindowA(nullptr, kAbout))
                return false;
            bNearIdOpenedAbout = FindWindowA(nullptr, kAbout) != nullptr;
            PostMessageA(hSheet, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            return true;
        },
        [&] {
            hAbout = FindWindowA(nullptr, kAbout);
            if (!hAbout || !IsWindowVisible(hAbout))
                return false;
            bAboutOpened = true;
            // The box belongs to the sheet, which waits for it.
            bOwnedBySheet = GetWindow(hAbout, GW_OWNER) == hSheet && !IsWindowEnabled(hSheet);
            version = ItemText(hAbout, IDC_ABOUT_VERSION);
            PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
            return true;
        },
        [&] { return !IsWindow(hAbout); },
        Do([&] { PostMessageA(hSheet, WM_SYSCOMMAND, SC_CLOSE, 0); }),
    });
    bSheetClosed = !IsWindow(hSheet);
    EXPECT_TRUE(bAboutOpened);
    EXPECT_EQ("KELVORA Controls Version 3.33 test", version);
    EXPECT_TRUE(bOwnedBySheet);
    EXPECT_FALSE(bNearIdOpenedAbout);
    EXPECT_TRUE(bSheetClosed);
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_TRUE(PageLog().end() == std::find(PageLog().begin(), PageLog().end(), "Save 0"));
}

TEST_F(SheetCommandTest, HelpOnlyForOkCancelAndApply)
{
    CTestSheet sheet(ALL_TEST_PAGES);
    const int flags[PAGE_COUNT] = { 1, 0, 0, 0, 0 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    CHelpRecorder help;
    std::vector<LRESULT> results;
    std::vector<HWND> buttons;
    sheet.Run({Do([&] {
        HWND hSheet = sheet.m_hWnd;
        for (int nID : { IDOK, IDCANCEL, IDC_SHEET_APPLY })
            buttons.push_back(GetDlgItem(hSheet, nID));
        for (int nID : { IDOK, IDCANCEL, IDC_SHEET_APPLY, IDHELP, 0x3020 })
            results.push_back(SendHelp(hSheet, hSheet, nID));
        PressSheetButton(hSheet, PSBTN_CANCEL);
    })});
    ASSERT_EQ(3u, CHelpRecorder::Calls().size());
    const std::vector<DWORD> table = { 1, 0xC010, 2, 0xC011, 0x3021, 0xC012, 0, 0 };
    ASSERT_EQ(3u, buttons.size());
    for (int i = 0; i < 3; ++i) {
        const HelpCall& call = CHelpRecorder::Calls()[i];
        EXPECT_NE(nullptr, call.hItem);
        EXPECT_EQ(buttons[i], call.hItem);
        EXPECT_EQ("PALLUM.HLP", call.strFile);
        EXPECT_EQ(static_cast<UINT>(HELP_WM_HELP), call.uCommand);
        EXPECT_EQ(table, call.table);
    }
    for (LRESULT result : results)
        EXPECT_EQ(FALSE, result);
}

// ---- Apply -------------------------------------------------------------------------------

using ApplyTest = AppletTest;

// Runs a sheet of test pages (the product's pages for the others), calls body inside its
// loop and destroys it.
void RunApplySheet(const int (&flags)[PAGE_COUNT], unsigned nTestPages,
    const std::function<void(HWND, CTestSheet&)>& body)
{
    CTestSheet sheet(nTestPages);
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    sheet.Run({Do([&] { body(sheet.m_hWnd, sheet); })});
}

TEST_F(ApplyTest, SavesOnlyShownPagesOnceAndTellsQuorlatFirst)
{
    CServicesCatcher wendrap("Wendrap");
    CServicesCatcher quorlat("Quorlat");
    const int flags[PAGE_COUNT] = { 1, 1, 1, 0, 0 };
    RunApplySheet(flags, ALL_TEST_PAGES, [](HWND hSheet, CTestSheet& sheet) {
        // Apply with only the first page ever shown.
        PressSheetButton(hSheet, PSBTN_APPLYNOW);
        // Show the third page, then apply from there.
        SendMessageA(hSheet, PSM_SETCURSEL, 2, 0);
        PageLog().push_back("--");
        PressSheetButton(hSheet, PSBTN_APPLYNOW);
        // A call from a page that is not the active one does nothing.
        PageLog().push_back("--");
        sheet.ApplyAllPages(sheet.GetPallumPage(PAGE_BUTTONS));
        PressSheetButton(hSheet, PSBTN_CANCEL);
    });
    const std::vector<std::string> expected = { "Init 0", "Init 1", "Init 2", "Save 0", "--", "Save 0",
        "Save 2", "--", "Delete 0", "Delete 1", "Delete 2" };
    EXPECT_EQ(expected, PageLog());
    EXPECT_EQ((std::vector<std::string> { "Quorlat", "Quorlat" }), ServicesLog());
}

TEST_F(ApplyTest, WendrapWhenThereIsNoQuorlatEvenWhenNothingWasWritten)
{
    FakeMirrend::SetReadOnly(1);
    CServicesCatcher wendrap("Wendrap");
    const int flags[PAGE_COUNT] = { 0, 0, 0, 0, 1 };
    RunApplySheet(flags, 0, [](HWND hSheet, CTestSheet&) { PressSheetButton(hSheet, PSBTN_OK); });
    EXPECT_EQ(0, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"));
    EXPECT_EQ((std::vector<std::string> { "Wendrap" }), ServicesLog());
}

TEST_F(ApplyTest, CancelWritesAndPostsNothing)
{
    CServicesCatcher quorlat("Quorlat");
    const int flags[PAGE_COUNT] = { 1, 0, 0, 0, 1 };
    RunApplySheet(flags, 1u << PAGE_BUTTONS, [](HWND hSheet, CTestSheet&) {
        SendMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        PressSheetButton(hSheet, PSBTN_CANCEL);
    });
    EXPECT_EQ(0, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"));
    EXPECT_TRUE(ServicesLog().empty());
    EXPECT_EQ((std::vector<std::string> { "Init 0", "Delete 0" }), PageLog());
}

TEST_F(ApplyTest, RefusedWritesOnEveryPageWarnOnceAndTheNextApplyWritesThem)
{
    FakeMirrend::FailWrite(FakeMirrend::GENERAL);   // Media Apps, Sub LCD, Application mode, RC
    FakeMirrend::FailWrite(FakeMirrend::GP_BUTTONS);
    const int flags[PAGE_COUNT] = { 1, 1, 1, 1, 1 };
    std::vector<std::string> first, second;
    RunApplySheet(flags, 0, [&](HWND hSheet, CTestSheet&) {
        for (int i = PAGE_COUNT - 1; i >= 0; --i)
            SendMessageA(hSheet, PSM_SETCURSEL, i, 0);
        first = AnswerMessageBoxes([&] { PressSheetButton(hSheet, PSBTN_APPLYNOW); });
        FakeMirrend::FailWrite(FakeMirrend::GENERAL, false);
        FakeMirrend::FailWrite(FakeMirrend::GP_BUTTONS, false);
        second = AnswerMessageBoxes([&] { PressSheetButton(hSheet, PSBTN_APPLYNOW); });
        PressSheetButton(hSheet, PSBTN_CANCEL);
    });
    EXPECT_EQ((std::vector<std::string> { "Warning.|Registry write error." }), first);
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(2, FakeMirrend::CountCalls("WriteSettingGPButtonInfo"));
}

} // namespace
