// The RC page in a real sheet, with the fake settings library.
#include <windows.h>

#include "FakeMirrend.h"
#include "ModalDriver.h"
#include "PallumSheet.h"
#include "RemoconPage.h"
#include "TestSupport.h"
#include "resource.h"

namespace {

using RemoconPageTest = AppletTest;

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

// What the page showed and did while the drive ran.
struct Seen {
    UINT nChecked = 99;
    bool bBoxEnabled = false, bResetEnabled = false, bApplyEnabled = false;
};

Seen ReadPage(HWND hSheet)
{
    Seen seen;
    HWND hPage = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    seen.nChecked = IsDlgButtonChecked(hPage, IDC_REMOCON_EXT_RECEIVER);
    seen.bBoxEnabled = IsWindowEnabled(GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER));
    seen.bResetEnabled = IsWindowEnabled(GetDlgItem(hPage, IDC_REMOCON_RESET));
    seen.bApplyEnabled = IsWindowEnabled(GetDlgItem(hSheet, IDC_SHEET_APPLY));
    return seen;
}

// Runs a sheet holding only the RC page on the stored general record; pResult gets the
// sheet's record afterwards.
void RunRemoconSheet(
    const std::function<void(CModalDriver&, HWND, HWND)>& drive, CGeneralSettingManager* pResult = nullptr)
{
    CTestSheet sheet(0);
    CRegManager::ReadSettingGeneralSettingManager(sheet.GetGeneral());
    const int flags[PAGE_COUNT] = { 0, 0, 0, 0, 1 };
    ASSERT_TRUE(sheet.BuildFromFlags(flags));
    FakeMirrend::ClearCalls();
    sheet.Run([&](CModalDriver& d, HWND hSheet) {
        drive(d, hSheet, reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
    });
    if (pResult)
        *pResult = sheet.GetGeneral();
}

TEST_F(RemoconPageTest, CheckingTheBoxAndApplyingStoresOne)
{
    FakeMirrend::StoredGeneral().nExtReceiver = 0;
    Seen before, after;
    CGeneralSettingManager result;
    RunRemoconSheet(
        [&](CModalDriver& d, HWND hSheet, HWND hPage) {
            before = ReadPage(hSheet);
            SendMessageA(GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER), BM_CLICK, 0, 0);
            after = ReadPage(hSheet);
            d.PressSheetButton(hSheet, PSBTN_APPLYNOW);
            d.PressSheetButton(hSheet, PSBTN_CANCEL);
        },
        &result);
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
        RunRemoconSheet([&](CModalDriver& d, HWND hSheet, HWND hPage) {
            d.Click(hPage, IDC_REMOCON_RESET);
            after = ReadPage(hSheet);
            d.PressSheetButton(hSheet, PSBTN_CANCEL);
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
    RunRemoconSheet(
        [&](CModalDriver& d, HWND hSheet, HWND hPage) {
            seen = ReadPage(hSheet);
            // A click that slips through still is not saved.
            SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_REMOCON_RESET, BN_CLICKED), 0);
            d.PressSheetButton(hSheet, PSBTN_OK);
            d.WaitGone(hSheet);
        },
        &result);
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
    RunRemoconSheet([&](CModalDriver& d, HWND hSheet, HWND hPage) {
        hBox = GetDlgItem(hPage, IDC_REMOCON_EXT_RECEIVER);
        hReset = GetDlgItem(hPage, IDC_REMOCON_RESET);
        for (int nID : { IDC_REMOCON_EXT_RECEIVER, IDC_REMOCON_RESET, -1, 4000 })
            results.push_back(SendHelp(hPage, hPage, nID));
        d.PressSheetButton(hSheet, PSBTN_CANCEL);
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
