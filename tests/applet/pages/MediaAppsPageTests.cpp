// The Media Apps page in a real sheet over the fake settings library: the lists, prevention,
// the Audio/Video and HD DVD rows, picks, Restore Defaults, read-only, saving and help.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppletTestSupport.h"
#include "MediaAppsPage.h"
#include "PageSheet.h"
#include "UiScript.h"
#include "resource.h"

namespace {

using namespace FakeMirrend;

class MediaAppsPageTest : public PageSheetTest<CMediaAppsPage, PAGE_MEDIA> {
protected:
    void SetUp() override
    {
        PageSheetTest::SetUp();
        m_registry.Keep(HKEY_LOCAL_MACHINE, HDDVD_MARKER_KEY);
        DeleteRegKey(HKEY_LOCAL_MACHINE, HDDVD_MARKER_KEY);
    }

    static std::vector<std::string> Entries(const CWnd& page, int nList)
    {
        std::vector<std::string> texts;
        const int nCount = static_cast<int>(SendMessageA(Item(page, nList), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            char szText[128] = "";
            SendMessageA(Item(page, nList), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(szText));
            texts.push_back(szText);
        }
        return texts;
    }
    static int Selected(const CWnd& page, int nList)
    {
        return static_cast<int>(SendMessageA(Item(page, nList), CB_GETCURSEL, 0, 0));
    }
    // What the list tells its page when the user picks entry nIndex.
    static void Pick(const CWnd& page, int nList, int nIndex)
    {
        SendMessageA(Item(page, nList), CB_SETCURSEL, nIndex, 0);
        SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(page, nList)));
    }
    static std::vector<std::string> Writes()
    {
        std::vector<std::string> names;
        for (const Call& call : Calls())
            if (call.strFunction.compare(0, 5, "Write") == 0)
                names.push_back(call.strFunction);
        return names;
    }
};

const int kPreventSet[] = {IDC_MEDIA_PREVENT, IDC_MEDIA_PREVENT_GROUP, IDC_MEDIA_PREVENT_TEXT1,
                           IDC_MEDIA_PREVENT_TEXT2};
const int kSelectTexts[] = {IDC_MEDIA_SELECT_TEXT1, IDC_MEDIA_SELECT_TEXT2};

TEST_F(MediaAppsPageTest, InitNeedsBothPointersAndThePlayerList)
{
    CGeneralSettingManager general;
    CPallumSheet sheet("Media Apps page under test", nullptr, 0);
    EXPECT_FALSE(CMediaAppsPage().Init(&sheet, nullptr));
    EXPECT_FALSE(CMediaAppsPage().Init(nullptr, &general));
    EXPECT_TRUE(CMediaAppsPage().Init(&sheet, &general));
    FailRead(PLAYERS);   // a media list that cannot be read fails nothing (below)
    EXPECT_FALSE(CMediaAppsPage().Init(&sheet, &general));
}

TEST_F(MediaAppsPageTest, PreventionIsOfferedOnlyWhereSupportedAndSavedOnlyThere)
{
    const struct {
        int nSupport, nPrevent;
        bool bClick, bChecked;
        int nStored;   // the record's m_nPrevent after the save
    } cases[] = {
        {0, 1, false, false, 1},   // hidden, and the record keeps its value
        {1, 1, true, true, 0},
        {1, 0, true, false, 1},
        {1, 5, false, true, 1},    // any nonzero value is on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "support " << c.nSupport << ", prevent " << c.nPrevent);
        Reset();
        StoredGeneral().nPreventSupport = c.nSupport;
        StoredGeneral().nPrevent = c.nPrevent;
        RunSheet([&](CPallumSheet& sheet, CMediaAppsPage& page) {
            for (int nId : kPreventSet)
                EXPECT_EQ(Visible(page, nId), c.nSupport != 0) << nId;
            for (int nId : kSelectTexts)
                EXPECT_EQ(Visible(page, nId), c.nSupport == 0) << nId;
            EXPECT_EQ(SendMessageA(Item(page, IDC_MEDIA_PREVENT), BM_GETCHECK, 0, 0),
                      c.bChecked ? BST_CHECKED : BST_UNCHECKED);
            if (c.bClick)
                PressItem(page.m_hWnd, IDC_MEDIA_PREVENT);
            EXPECT_EQ(ApplyEnabled(sheet), c.bClick);
            sheet.ApplyAllPages(&page);
        });
        EXPECT_EQ(StoredGeneral().nPrevent, c.nStored);
        EXPECT_EQ(Writes(), (std::vector<std::string>{"WriteSettingCDMediaManager", "WriteSettingDVDMediaManager",
                                                      "WriteSettingMP3MediaManager",
                                                      "WriteSettingGeneralSettingManager"}));
    }
}

TEST_F(MediaAppsPageTest, AHiddenAudioVideoRowStillShowsAndWritesTheMp3List)
{
    for (int nRow : {0, 1}) {
        Reset();
        StoredGeneral().nAudioVideoRow = nRow;
        RunSheet([&](CPallumSheet& sheet, CMediaAppsPage& page) {
            EXPECT_EQ(Visible(page, IDC_MEDIA_AUDIOVIDEO_TEXT), nRow != 0);
            EXPECT_EQ(Visible(page, IDC_MEDIA_AUDIOVIDEO_LIST), nRow != 0);
            EXPECT_EQ(Entries(page, IDC_MEDIA_AUDIOVIDEO_LIST),
                      (std::vector<std::string>{"Windows Media Player", "KELVORA Media Center"}));
            Pick(page, IDC_MEDIA_AUDIOVIDEO_LIST, 1);
            EXPECT_TRUE(Apply(sheet).empty());
        });
        EXPECT_EQ(StoredMedia(MP3_MEDIA).nCurrent, 1) << "row " << nRow;
    }
}

TEST_F(MediaAppsPageTest, ListsShowTheirPlayersAndACurrentOneOnlyWhereItIsInTheList)
{
    const struct {
        const char* pszCase;
        Record record;
        int nList;
        std::vector<int> ids;
        int nCurrent;
        bool bFailRead;
        size_t nCount;
        int nSelected;
    } cases[] = {
        {"maker's", CD_MEDIA, IDC_MEDIA_CD_LIST, {3, 0, 1}, 0, false, 3, 0},
        {"current", DVD_MEDIA, IDC_MEDIA_DVD_LIST, {2, 0, 1}, 2, false, 3, 2},
        {"none chosen", MP3_MEDIA, IDC_MEDIA_AUDIOVIDEO_LIST, {0, 1}, -1, false, 2, -1},
        {"past the list", MP3_MEDIA, IDC_MEDIA_AUDIOVIDEO_LIST, {0, 1}, 7, false, 2, -1},
        {"past the list", CD_MEDIA, IDC_MEDIA_CD_LIST, {3, 0}, 7, false, 2, -1},
        {"empty", DVD_MEDIA, IDC_MEDIA_DVD_LIST, {}, -1, false, 0, -1},
        {"unreadable", CD_MEDIA, IDC_MEDIA_CD_LIST, {3, 0, 1}, 0, true, 0, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszCase);
        Reset();
        // The other lists choose none either, so no list's selection can come from another's.
        for (Record record : {CD_MEDIA, DVD_MEDIA, MP3_MEDIA})
            StoredMedia(record).nCurrent = -1;
        StoredMedia(c.record) = {c.ids, c.nCurrent, c.ids.empty() ? -1 : 0};
        FailRead(c.record, c.bFailRead);
        RunSheet([&](CPallumSheet& sheet, CMediaAppsPage& page) {
            EXPECT_EQ(Entries(page, c.nList).size(), c.nCount);
            EXPECT_EQ(Selected(page, c.nList), c.nSelected);
            EXPECT_EQ(Enabled(page, c.nList), c.nCount > 0);
            if (c.nCount == 0 || c.nSelected == 0)
                return;
            // A list without a selection takes any first pick, the first entry too.
            Pick(page, c.nList, 0);
            EXPECT_TRUE(ApplyEnabled(sheet));
            EXPECT_TRUE(Apply(sheet).empty());
        });
        if (c.nCount > 0 && c.nSelected != 0) {
            EXPECT_EQ(StoredMedia(c.record).nCurrent, 0);
        }
    }
}

TEST_F(MediaAppsPageTest, PickingTheSelectedEntryChangesNothingAnotherOneOnlyItsList)
{
    RunSheet([](CPallumSheet& sheet, CMediaAppsPage& page) {
        for (int nList : {IDC_MEDIA_AUDIOVIDEO_LIST, IDC_MEDIA_CD_LIST, IDC_MEDIA_DVD_LIST})
            Pick(page, nList, 0);
        EXPECT_FALSE(ApplyEnabled(sheet));
        Pick(page, IDC_MEDIA_DVD_LIST, 2);
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_EQ(page.m_dvdMedia.GetCurrentPlayerIndex(), 2);
        EXPECT_EQ(page.m_cdMedia.GetCurrentPlayerIndex(), 0);
        EXPECT_EQ(page.m_mp3Media.GetCurrentPlayerIndex(), 0);
    });
    // Changes live in the page until Apply: the sheet closed with Cancel wrote nothing.
    EXPECT_TRUE(Writes().empty());
}

TEST_F(MediaAppsPageTest, RestoreDefaultsResetsTheListsAndPreventionAndMarksThePage)
{
    StoredMedia(CD_MEDIA).nCurrent = 2;
    StoredGeneral().nPrevent = 1;
    RunSheet([](CPallumSheet& sheet, CMediaAppsPage& page) {
        Pick(page, IDC_MEDIA_DVD_LIST, 1);
        Pick(page, IDC_MEDIA_AUDIOVIDEO_LIST, 1);
        Click(page.m_hWnd, IDC_MEDIA_RESTORE);
        for (int nList : {IDC_MEDIA_AUDIOVIDEO_LIST, IDC_MEDIA_CD_LIST, IDC_MEDIA_DVD_LIST})
            EXPECT_EQ(Selected(page, nList), 0) << nList;
        EXPECT_EQ(Entries(page, IDC_MEDIA_CD_LIST).front(), "KELVORA CD Player");
        EXPECT_EQ(SendMessageA(Item(page, IDC_MEDIA_PREVENT), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(Apply(sheet).empty());
        // Even with nothing to restore.
        Click(page.m_hWnd, IDC_MEDIA_RESTORE);
        EXPECT_TRUE(ApplyEnabled(sheet));
    });
    EXPECT_EQ(StoredMedia(CD_MEDIA).nCurrent, 0);
    EXPECT_EQ(StoredGeneral().nPrevent, 0);
}

TEST_F(MediaAppsPageTest, ReadOnlyShowsTheChoicesDisabledAndWritesNothing)
{
    SetReadOnly(1);
    RunSheet([](CPallumSheet& sheet, CMediaAppsPage& page) {
        for (int nId : {IDC_MEDIA_AUDIOVIDEO_LIST, IDC_MEDIA_CD_LIST, IDC_MEDIA_DVD_LIST, IDC_MEDIA_RESTORE,
                        IDC_MEDIA_PREVENT, IDC_MEDIA_HDDVD_LIST})
            EXPECT_FALSE(Enabled(page, nId)) << nId;
        EXPECT_EQ(Selected(page, IDC_MEDIA_CD_LIST), 0);
        sheet.ApplyAllPages(&page);
    });
    EXPECT_TRUE(Writes().empty());
}

TEST_F(MediaAppsPageTest, AFailedWriteSkipsNoOtherRecordAndMakesTheSaveFalse)
{
    RunSheet([](CPallumSheet&, CMediaAppsPage& page) {
        Pick(page, IDC_MEDIA_CD_LIST, 1);
        EXPECT_TRUE(page.SaveSettings());
        FailWrite(DVD_MEDIA);
        ClearCalls();
        EXPECT_FALSE(page.SaveSettings());
        EXPECT_EQ(Writes().size(), 4u);
    });
    EXPECT_EQ(StoredMedia(CD_MEDIA).nCurrent, 1);
}

TEST_F(MediaAppsPageTest, TheHdDvdRowShowsEmptyExactlyWhenTheMarkerKeyOpens)
{
    for (bool bMarker : {false, true}) {
        if (bMarker) {
            HKEY hKey = nullptr;
            ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, HDDVD_MARKER_KEY, 0, nullptr, 0, KEY_WRITE, nullptr,
                                      &hKey, nullptr), ERROR_SUCCESS);
            RegCloseKey(hKey);
        }
        RunSheet([&](CPallumSheet&, CMediaAppsPage& page) {
            EXPECT_EQ(Visible(page, IDC_MEDIA_HDDVD_TEXT), bMarker);
            EXPECT_EQ(Visible(page, IDC_MEDIA_HDDVD_LIST), bMarker);
            EXPECT_TRUE(Entries(page, IDC_MEDIA_HDDVD_LIST).empty());
        });
    }
}

TEST_F(MediaAppsPageTest, ApplyOnAnotherPageSavesThisPageOnlyOnceItWasShown)
{
    SetRegDword(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, "Remocon", 1);
    // Shown first, left for the RC page, applied there.
    RunSheet([](CPallumSheet& sheet, CMediaAppsPage& page) {
        Pick(page, IDC_MEDIA_CD_LIST, 1);
        ASSERT_TRUE(sheet.SetActivePage(1));
        EXPECT_TRUE(Apply(sheet).empty());
    });
    EXPECT_EQ(CountCalls("WriteSettingCDMediaManager"), 1);
    EXPECT_EQ(StoredMedia(CD_MEDIA).nCurrent, 1);

    // Behind the Buttons page, applied there: the Media Apps page never had a window.
    ClearCalls();
    SetRegDword(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, "GPBtn", 1);
    CPallumSheet sheet("KELVORA Controls Properties", nullptr, 0);
    ASSERT_TRUE(sheet.PreparePages());
    UiScript script(30000);
    script.Then([&] { return sheet.m_hWnd && IsWindowVisible(sheet.m_hWnd); }).Then([&] {
        EXPECT_EQ(sheet.GetPallumPage(PAGE_MEDIA)->m_hWnd, nullptr);
        Click(sheet.GetPallumPage(PAGE_BUTTONS)->m_hWnd, IDC_BUTTONS_RESTORE);
        Apply(sheet);
        PressSheetButton(sheet.m_hWnd, PSBTN_CANCEL);
        return true;
    });
    script.Start();
    sheet.DoModal();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(CountCalls("WriteSettingGPButtonInfo"), 1);
    EXPECT_EQ(CountCalls("WriteSettingCDMediaManager"), 0);
}

TEST_F(MediaAppsPageTest, HelpOnlyForTheRowTextsRestoreAndPrevention)
{
    const struct {
        int nId;
        DWORD dwContext;   // 0: no help
    } cases[] = {
        {IDC_MEDIA_AUDIOVIDEO_TEXT, 49158}, {IDC_MEDIA_CD_TEXT, 49156}, {IDC_MEDIA_DVD_TEXT, 49157},
        {IDC_MEDIA_RESTORE, 49181},         {IDC_MEDIA_PREVENT, 49203}, {IDC_MEDIA_CD_LIST, 0},
        {IDC_MEDIA_HDDVD_TEXT, 0},          {IDC_MEDIA_HDDVD_LIST, 0},
    };
    RunSheet([&](CPallumSheet&, CMediaAppsPage& page) {
        for (const auto& c : cases) {
            CHelpRecorder help;
            EXPECT_EQ(SendHelp(page.m_hWnd, page.m_hWnd, c.nId), FALSE);
            ASSERT_EQ(help.Calls().size(), c.dwContext ? 1u : 0u) << c.nId;
            if (!c.dwContext)
                continue;
            const HelpCall& call = help.Calls().front();
            EXPECT_EQ(call.hItem, Item(page, c.nId));
            EXPECT_EQ(call.strFile, "PALLUM.HLP");
            // The whole table goes along: five pairs and the closing zeros.
            ASSERT_EQ(call.table.size(), 12u);
            const auto it = std::find(call.table.begin(), call.table.end(), DWORD(c.nId));
            ASSERT_NE(it, call.table.end());
            EXPECT_EQ(*(it + 1), c.dwContext);
        }
    });
}

}  // namespace
