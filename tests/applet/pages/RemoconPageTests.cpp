// The RC page in a real sheet, with the fake settings library.
#include <windows.h>

#include "AppletTestSupport.h"
#include "FakeMirrend.h"
#include "PageSheet.h"
#include "RemoconPage.h"
#include "resource.h"

namespace {

// What the page showed.
struct Seen {
    UINT nChecked = 99;
    bool bBoxEnabled = false, bResetEnabled = false, bApplyEnabled = false;
};

class RemoconPageTest : public PageSheetTest<CRemoconPage, PAGE_REMOCON> {
protected:
    static Seen ReadPage(CPallumSheet& sheet, CRemoconPage& page)
    {
        return { IsDlgButtonChecked(page.m_hWnd, IDC_REMOCON_EXT_RECEIVER), Enabled(page, IDC_REMOCON_EXT_RECEIVER),
                 Enabled(page, IDC_REMOCON_RESET), ApplyEnabled(sheet) };
    }
};

TEST_F(RemoconPageTest, InitNeedsBothPointersAndTakesTheStoredFlag)
{
    CRemoconPage page;
    EXPECT_EQ(1, page.m_bExtReceiver);
    CGeneralSettingManager general;
    general.m_nExtReceiver = 0;
    CPallumSheet sheet("RC page under test", nullptr, 0);
    EXPECT_FALSE(page.Init(&sheet, nullptr));
    EXPECT_EQ(nullptr, page.m_pGeneral);
    EXPECT_FALSE(page.Init(nullptr, &general));
    EXPECT_EQ(&general, page.m_pGeneral);
    EXPECT_EQ(1, page.m_bExtReceiver);
    EXPECT_TRUE(page.Init(&sheet, &general));
    EXPECT_EQ(&sheet, page.m_pSheet);
    EXPECT_EQ(0, page.m_bExtReceiver);
    EXPECT_STREQ("CRemoconPage", page.GetRuntimeClass()->m_lpszClassName);
}

TEST_F(RemoconPageTest, CheckingTheBoxAndApplyingStoresOne)
{
    FakeMirrend::StoredGeneral().nExtReceiver = 0;
    Seen before, after;
    CGeneralSettingManager result;
    RunSheet([&](CPallumSheet& sheet, CRemoconPage& page) {
        before = ReadPage(sheet, page);
        PressItem(page.m_hWnd, IDC_REMOCON_EXT_RECEIVER);
        after = ReadPage(sheet, page);
        EXPECT_TRUE(Apply(sheet).empty());
        result = sheet.GetGeneral();
    });
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), before.nChecked);
    EXPECT_TRUE(before.bBoxEnabled);
    EXPECT_TRUE(before.bResetEnabled);
    EXPECT_FALSE(before.bApplyEnabled);
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), after.nChecked);
    EXPECT_TRUE(after.bApplyEnabled);
    ASSERT_EQ(1, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"));
    EXPECT_EQ(1, FakeMirrend::LastCall("WriteSettingGeneralSettingManager")->general.nExtReceiver);
    EXPECT_EQ(1, FakeMirrend::StoredGeneral().nExtReceiver);
    EXPECT_EQ(1, result.m_nExtReceiver);
}

TEST_F(RemoconPageTest, ResetSetsTheBoxAndMarksTheChangeEvenWhenSet)
{
    for (int nStored : { 0, 1 }) {
        FakeMirrend::StoredGeneral().nExtReceiver = nStored;
        Seen after;
        RunSheet([&](CPallumSheet& sheet, CRemoconPage& page) {
            Click(page.m_hWnd, IDC_REMOCON_RESET);
            after = ReadPage(sheet, page);
        });
        EXPECT_EQ(static_cast<UINT>(BST_CHECKED), after.nChecked) << nStored;
        EXPECT_TRUE(after.bApplyEnabled) << nStored;
        // Cancel writes nothing.
        EXPECT_EQ(0, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager")) << nStored;
        EXPECT_EQ(nStored, FakeMirrend::StoredGeneral().nExtReceiver);
    }
}

TEST_F(RemoconPageTest, ReadOnlyShowsTheValueAndWritesNothing)
{
    FakeMirrend::StoredGeneral().nExtReceiver = 0;
    FakeMirrend::SetReadOnly(1);
    Seen seen;
    CGeneralSettingManager result;
    RunSheet([&](CPallumSheet& sheet, CRemoconPage& page) {
        seen = ReadPage(sheet, page);
        // A click that slips through still is not saved.
        SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REMOCON_RESET, BN_CLICKED), 0);
        sheet.PressButton(PSBTN_OK);
        result = sheet.GetGeneral();
    });
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), seen.nChecked);
    EXPECT_FALSE(seen.bBoxEnabled);
    EXPECT_FALSE(seen.bResetEnabled);
    EXPECT_EQ(0, FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"));
    EXPECT_EQ(0, result.m_nExtReceiver);
}

TEST_F(RemoconPageTest, HelpForTheBoxAndReset)
{
    CHelpRecorder help;
    std::vector<LRESULT> results;
    HWND hBox = nullptr, hReset = nullptr;
    RunSheet([&](CPallumSheet&, CRemoconPage& page) {
        hBox = Item(page, IDC_REMOCON_EXT_RECEIVER);
        hReset = Item(page, IDC_REMOCON_RESET);
        for (int nID : { IDC_REMOCON_EXT_RECEIVER, IDC_REMOCON_RESET, -1, 4000 })
            results.push_back(SendHelp(page.m_hWnd, page.m_hWnd, nID));
    });
    const std::vector<DWORD> table = { 4098, 49204, 1016, 49191, 0, 0 };
    ASSERT_EQ(2u, CHelpRecorder::Calls().size());
    EXPECT_EQ(hBox, CHelpRecorder::Calls()[0].hItem);
    EXPECT_EQ(hReset, CHelpRecorder::Calls()[1].hItem);
    for (const HelpCall& call : CHelpRecorder::Calls()) {
        EXPECT_EQ("PALLUM.HLP", call.strFile);
        EXPECT_EQ(static_cast<UINT>(HELP_WM_HELP), call.uCommand);
        EXPECT_EQ(table, call.table);
    }
    for (LRESULT result : results)
        EXPECT_EQ(FALSE, result);
}

} // namespace
