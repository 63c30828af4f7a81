// The Application mode page in a real sheet over the fake settings library: the switch and
// its row group, the rows' texts, the custom program dialog, Restore Defaults, read-only,
// saving and the ways Init fails.
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "AppModePage.h"
#include "PageSheet.h"
#include "resource.h"

namespace {

using FakeMirrend::APP_BUTTONS;

class AppModePageTest : public PageSheetTest<CAppModePage, PAGE_APPMODE> {
};

const int kRowGroup[] = {4055, 4056, 4050, 4054, 4057, 4051, 4027, 4058, 4052, 4028, 4059, 4053, 4029};
const int kSelectButtons[] = {IDC_APPMODE_SELECT_PREVIOUS, IDC_APPMODE_SELECT_NEXT, IDC_APPMODE_SELECT_PLAYPAUSE,
                              IDC_APPMODE_SELECT_STOP};
// The program name item of each library index.
const int kRowTexts[] = {IDC_APPMODE_PREVIOUS_APP, IDC_APPMODE_NEXT_APP, IDC_APPMODE_PLAYPAUSE_APP,
                         IDC_APPMODE_STOP_APP};

FakeMirrend::Button& Stored(int nIndex)
{
    return FakeMirrend::StoredButtons(APP_BUTTONS).at(static_cast<size_t>(nIndex));
}

void GiveProgram(int nIndex, const char* pszName, const char* pszTarget)
{
    Stored(nIndex).strAppName = pszName;
    Stored(nIndex).strAppTarget = pszTarget;
}

std::vector<bool> RowGroupEnabled(const CAppModePage& page)
{
    std::vector<bool> states;
    for (int nId : kRowGroup)
        states.push_back(IsWindowEnabled(GetDlgItem(page.m_hWnd, nId)) != FALSE);
    return states;
}

const std::vector<bool> kAllOn(std::size(kRowGroup), true);
const std::vector<bool> kAllOff(std::size(kRowGroup), false);

TEST_F(AppModePageTest, RowGroupFollowsTheSwitchAndMarksThePage)
{
    for (int nAppMode : {0, 1}) {
        FakeMirrend::StoredGeneral().nAppMode = nAppMode;
        RunSheet([&](CPallumSheet& sheet, CAppModePage& page) {
            EXPECT_EQ(RowGroupEnabled(page), nAppMode ? kAllOn : kAllOff) << "stored " << nAppMode;
            EXPECT_TRUE(Enabled(page, IDC_APPMODE_USE) && Enabled(page, IDC_RESTORE_DEFAULTS));
            EXPECT_FALSE(ApplyEnabled(sheet));
            PressItem(page.m_hWnd, IDC_APPMODE_USE);
            EXPECT_EQ(page.m_bUseAppMode, nAppMode ? 0 : 1);
            EXPECT_EQ(RowGroupEnabled(page), nAppMode ? kAllOff : kAllOn);
            EXPECT_TRUE(ApplyEnabled(sheet));
            PressItem(page.m_hWnd, IDC_APPMODE_USE);
            EXPECT_EQ(RowGroupEnabled(page), nAppMode ? kAllOn : kAllOff);
        });
    }
}

TEST_F(AppModePageTest, RowsNameOnlyRegisteredPrograms)
{
    GiveProgram(1, "Sketchpad", "C:\\Tools\\sketch.exe");
    GiveProgram(2, "Nameplate", "");   // a name without a target is no program
    RunSheet([](CPallumSheet&, CAppModePage& page) {
        const char* const expected[] = {"<No selection>", "Sketchpad", "<No selection>", "<No selection>"};
        for (int nIndex = 0; nIndex < 4; ++nIndex)
            EXPECT_EQ(Text(page, kRowTexts[nIndex]), expected[nIndex]) << nIndex;
    });
}

TEST_F(AppModePageTest, TheDialogEditsTheRecordOfItsRowOnlyWhenConfirmed)
{
    struct Case {
        int nIndex;
        int nAnswer;
        const char* pszTarget;   // what the user leaves in the dialog's target
        const char* pszRow;      // the row's text afterwards
    };
    const Case cases[] = {
        {0, 1, "C:\\Tools\\new.exe", "New name"},
        {1, 1, "C:\\Tools\\new.exe", "New name"},
        {2, 1, "C:\\Tools\\new.exe", "New name"},
        {3, 1, "", "<No selection>"},   // stored, but not a registered program
        {1, 0, "C:\\Tools\\new.exe", "Old name"},
    };
    for (const Case& c : cases) {
        FakeMirrend::Reset();
        FakeMirrend::StoredGeneral().nAppMode = 1;
        GiveProgram(c.nIndex, "Old name", "C:\\Tools\\old.exe");
        Stored(c.nIndex).strAppOption = "/old";
        FakeMirrend::ScriptDialog(c.nAnswer, "New name", c.pszTarget, "/new", "C:\\New");
        RunSheet([&](CPallumSheet& sheet, CAppModePage& page) {
            Click(page.m_hWnd, kSelectButtons[c.nIndex]);
            const FakeMirrend::Call* pDialog = FakeMirrend::LastCall("ShowCustomAppDialog");
            ASSERT_NE(pDialog, nullptr);
            EXPECT_EQ(pDialog->nDialogSize, 261);
            EXPECT_EQ(pDialog->dialogIn[0], "Old name");
            EXPECT_EQ(pDialog->dialogIn[2], "/old");

            const CButtonInfo* pButton = page.m_manager.GetBtnInfoPtr(c.nIndex);
            const bool bConfirmed = c.nAnswer != 0;
            EXPECT_EQ(pButton->GetAppName(), bConfirmed ? "New name" : "Old name");
            EXPECT_EQ(pButton->GetAppTarget(), bConfirmed ? c.pszTarget : "C:\\Tools\\old.exe");
            EXPECT_EQ(pButton->GetAppWorkDir(), bConfirmed ? "C:\\New" : "");
            EXPECT_EQ(Text(page, kRowTexts[c.nIndex]), c.pszRow);
            EXPECT_EQ(ApplyEnabled(sheet), bConfirmed);
        });
    }
}

TEST_F(AppModePageTest, RestoreDefaultsClearsTheSwitchAndEveryRowWhateverTheDefaultsHold)
{
    FakeMirrend::StoredGeneral().nAppMode = 1;
    for (int nIndex = 0; nIndex < 4; ++nIndex) {
        GiveProgram(nIndex, "Mine", "C:\\mine.exe");
        Stored(nIndex).strDefAppName = "Maker's";
        Stored(nIndex).strDefAppTarget = "C:\\maker.exe";
    }
    RunSheet([](CPallumSheet& sheet, CAppModePage& page) {
        EXPECT_EQ(Text(page, IDC_APPMODE_STOP_APP), "Mine");
        Click(page.m_hWnd, IDC_RESTORE_DEFAULTS);
        EXPECT_EQ(SendMessageA(Item(page, IDC_APPMODE_USE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(RowGroupEnabled(page), kAllOff);
        for (int nIndex = 0; nIndex < 4; ++nIndex) {
            EXPECT_EQ(Text(page, kRowTexts[nIndex]), "<No selection>");
            EXPECT_EQ(page.m_manager.GetBtnInfoPtr(nIndex)->GetAppName(), "Maker's");
        }
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_TRUE(Apply(sheet).empty());
    });
    EXPECT_EQ(FakeMirrend::StoredGeneral().nAppMode, 0);
    EXPECT_EQ(Stored(3).strAppTarget, "C:\\maker.exe");
}

TEST_F(AppModePageTest, ReadOnlyShowsTheRowsButChangesAndWritesNothing)
{
    FakeMirrend::StoredGeneral().nAppMode = 1;
    FakeMirrend::SetReadOnly(1);
    RunSheet([](CPallumSheet& sheet, CAppModePage& page) {
        for (int nId : {IDC_APPMODE_GROUP, IDC_APPMODE_PREVIOUS_NAME, IDC_APPMODE_PREVIOUS_APP,
                        IDC_APPMODE_STOP_NAME, IDC_APPMODE_STOP_APP})
            EXPECT_TRUE(Enabled(page, nId)) << nId;
        for (int nId : kSelectButtons)
            EXPECT_FALSE(Enabled(page, nId)) << nId;
        EXPECT_FALSE(Enabled(page, IDC_APPMODE_USE) || Enabled(page, IDC_RESTORE_DEFAULTS));
        // Unlocked later: the page keeps the state it was shown with.
        FakeMirrend::SetReadOnly(0);
        page.SetModified(TRUE);
        EXPECT_TRUE(Apply(sheet).empty());
    });
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGeneralSettingManager"), 0);
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingAppButtonInfo"), 0);
}

TEST_F(AppModePageTest, ApplyWritesTheFlagAndTheFourRecordsAndSaysWhenAWriteFails)
{
    struct Case {
        FakeMirrend::Record failing;   // RECORD_COUNT: none
        bool bWarned;
    };
    const Case cases[] = {
        {FakeMirrend::RECORD_COUNT, false},
        {FakeMirrend::GENERAL, true},
        {APP_BUTTONS, true},
    };
    for (const Case& c : cases) {
        FakeMirrend::Reset();
        if (c.failing != FakeMirrend::RECORD_COUNT)
            FakeMirrend::FailWrite(c.failing);
        RunSheet([&](CPallumSheet& sheet, CAppModePage& page) {
            PressItem(page.m_hWnd, IDC_APPMODE_USE);
            const std::vector<std::string> boxes = Apply(sheet);
            EXPECT_EQ(boxes, c.bWarned ? std::vector<std::string>{"Warning.|Registry write error."}
                                       : std::vector<std::string>{});
        });
        // Both records are written, whichever fails.
        const FakeMirrend::Call* pGeneral = FakeMirrend::LastCall("WriteSettingGeneralSettingManager");
        const FakeMirrend::Call* pButtons = FakeMirrend::LastCall("WriteSettingAppButtonInfo");
        ASSERT_TRUE(pGeneral && pButtons);
        EXPECT_EQ(pGeneral->general.nAppMode, 1);
        EXPECT_EQ(pButtons->buttons.size(), 4u);
    }
}

TEST_F(AppModePageTest, InitFailsWithoutTheLibrarysFourRecords)
{
    auto keepIndices = [](std::vector<int> indices) {
        std::vector<FakeMirrend::Button>& buttons = FakeMirrend::StoredButtons(APP_BUTTONS);
        std::vector<FakeMirrend::Button> kept;
        for (int nIndex : indices) {
            FakeMirrend::Button button = buttons[0];
            button.nIndex = nIndex;
            kept.push_back(button);
        }
        buttons = kept;
    };
    struct Case {
        const char* pszWhat;
        std::function<void()> arrange;
        BOOL bResult;
    };
    const Case cases[] = {
        {"the maker's four", [] {}, TRUE},
        {"a failed read", [] { FakeMirrend::FailRead(APP_BUTTONS); }, FALSE},
        {"three records", [&] { keepIndices({0, 1, 2}); }, FALSE},
        {"five records", [&] { keepIndices({0, 1, 2, 3, 4}); }, FALSE},
        {"four, but not at 0 to 3", [&] { keepIndices({0, 1, 2, 5}); }, FALSE},
    };
    for (const Case& c : cases) {
        FakeMirrend::Reset();
        c.arrange();
        CPallumSheet sheet("Pallum sheet under test", nullptr, 0);
        EXPECT_EQ(sheet.PreparePages(), c.bResult) << c.pszWhat;
        EXPECT_EQ(sheet.GetPageCount(), c.bResult ? 1 : 0) << c.pszWhat;
    }
    CPallumSheet sheet("Pallum sheet under test", nullptr, 0);
    CGeneralSettingManager general;
    EXPECT_FALSE(CAppModePage().Init(nullptr, &general));
    EXPECT_FALSE(CAppModePage().Init(&sheet, nullptr));
}

}  // namespace
