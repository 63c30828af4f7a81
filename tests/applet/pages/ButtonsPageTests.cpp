// The Buttons page in a real sheet over the fake settings library: rows, captions, icons,
// program lists, picks, the custom program dialog, Restore Defaults, saving and help.
#include "ButtonsSheet.h"

#include <algorithm>
#include <cstdlib>

#include "HelpRecorder.h"
#include "PageUtil.h"
#include "Pixels.h"
#include "ProgramList.h"

namespace {

using FakeMirrend::GP_BUTTONS;

const std::vector<int> kFullList = {1, 2, 5, 100, 101, 102, 103, 104, 105, 106, 107,
                                    108, 109, 110, 116, 117, 118, 119, 120, 4, 99};

FakeMirrend::Button& Stored(int nIndex)
{
    for (FakeMirrend::Button& button : FakeMirrend::StoredButtons(GP_BUTTONS)) {
        if (button.nIndex == nIndex)
            return button;
    }
    static FakeMirrend::Button none;
    ADD_FAILURE() << "no stored button at index " << nIndex;
    return none;
}

// ---- Rows ------------------------------------------------------------------------------

TEST_F(ButtonsSheetTest, RowsArePackedFromSparseLibraryIndices)
{
    StoreButtons({0, 2, 5});
    RunSheet([](CPallumSheet&, CGPButtonPage& page) {
        ASSERT_EQ(page.m_buttons.GetCount(), 3);
        EXPECT_EQ(page.m_buttons.GetAt(1)->GetBtnName(), "Key2");
        EXPECT_EQ(page.m_buttons.GetAt(2)->GetBtnName(), "Key5");
        EXPECT_EQ(page.m_buttons.GetAt(3), nullptr);
        EXPECT_EQ(page.m_buttons.GetAt(-1), nullptr);
        EXPECT_EQ(page.m_buttons.GetIcon(3), nullptr);

        EXPECT_EQ(Text(page, IDC_BUTTON0_CAPTION), "Key0 button");
        EXPECT_EQ(Text(page, IDC_BUTTON1_CAPTION), "Key2 button");
        EXPECT_EQ(Text(page, IDC_BUTTON2_CAPTION), "Key5 button");
        for (int nSlot = 0; nSlot < 3; ++nSlot) {
            const CButtonSlotItems& items = g_buttonSlots[nSlot];
            EXPECT_TRUE(Visible(page, items.nIcon) && Visible(page, items.nCaption) && Visible(page, items.nList))
                << "slot " << nSlot;
            EXPECT_TRUE(Enabled(page, items.nList));
            // The row's picture control took over the template's picture.
            EXPECT_EQ(page.m_buttons.GetIcon(nSlot)->m_hWnd, Item(page, items.nIcon));
        }
        // Icon numbers 100, 102 and 105 give their own pictures.
        EXPECT_EQ(page.m_buttons.GetIcon(0)->m_nBitmapId, UINT(IDB_BUTTON_ASSIST));
        EXPECT_EQ(page.m_buttons.GetIcon(1)->m_nBitmapId, UINT(IDB_BUTTON_ZOOM_OUT));
        EXPECT_EQ(page.m_buttons.GetIcon(2)->m_nBitmapId, UINT(IDB_BUTTON_BRIGHTNESS));
        for (int nSlot = 3; nSlot < 5; ++nSlot) {
            const CButtonSlotItems& items = g_buttonSlots[nSlot];
            EXPECT_FALSE(Visible(page, items.nIcon) || Visible(page, items.nCaption) || Visible(page, items.nList))
                << "slot " << nSlot;
            EXPECT_EQ(page.GetSlotList(nSlot).GetCount(), 0);
        }
        EXPECT_TRUE(Enabled(page, IDC_BUTTONS_RESTORE));
    });
}

TEST_F(ButtonsSheetTest, RecordsBeyondTheFifthHaveNoRowButAreRestoredAndWritten)
{
    StoreButtons({0, 1, 2, 3, 4, 5, 7});
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        EXPECT_EQ(page.m_buttons.GetCount(), 7);
        EXPECT_TRUE(Visible(page, IDC_BUTTON4_LIST));
        Click(page.m_hWnd, IDC_BUTTONS_RESTORE);
        EXPECT_TRUE(Apply(sheet).empty());
    });
    const FakeMirrend::Call* pWrite = FakeMirrend::LastCall("WriteSettingGPButtonInfo");
    ASSERT_NE(pWrite, nullptr);
    ASSERT_EQ(pWrite->buttons.size(), 7u);
    EXPECT_EQ(Stored(7).nAppNo, 1);
}

TEST_F(ButtonsSheetTest, NoButtonLeavesEveryRowHiddenAndStillWrites)
{
    StoreButtons({});
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        EXPECT_EQ(page.m_buttons.GetCount(), 0);
        EXPECT_FALSE(page.m_buttons.Load());
        for (const CButtonSlotItems& items : g_buttonSlots)
            EXPECT_FALSE(Visible(page, items.nList) || Visible(page, items.nCaption));
        EXPECT_TRUE(Enabled(page, IDC_BUTTONS_RESTORE));
        page.SetModified(TRUE);
        EXPECT_TRUE(Apply(sheet).empty());
    });
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGPButtonInfo"), 1);
}

TEST_F(ButtonsSheetTest, CaptionsForEveryLocaleAndAccessKey)
{
    struct Case {
        int nLocale;
        const char* pszName;
        const char* pszKey;
        const char* pszCaption;
    };
    const Case cases[] = {
        {2, "Internet", "i", "&Internet button"},
        {1, "Internet", "i", "Internet button (&i)"},
        {0, "Internet", "i", "Internet button (&i)"},
        {2, "Presentation", "t", "Presen&tation button"},
        {2, "Zoom", "Q", "Zoom button (&Q)"},
        {2, "Mail", " q ", "Mail button (& q )"},
        {2, "Quick", " q ", "&Quick button"},
        {2, "Zoom", "ZO", "Zoom button"},
        {1, "Zoom", "", "Zoom button"},
        {2, "Zoom", "   ", "Zoom button"},
    };
    StoreButtons({0});
    RunSheet([&](CPallumSheet&, CGPButtonPage& page) {
        CButtonInfoManager& manager = page.m_buttons.m_manager;
        for (const Case& c : cases) {
            FakeMirrend::SetLocaleKind(c.nLocale);
            Stored(0).strName = c.pszName;
            Stored(0).strAccessKey = c.pszKey;
            CRegManager::ReadSettingGPButtonInfo(manager);
            EXPECT_EQ(page.GetButtonCaption(0), std::string(c.pszCaption))
                << "locale " << c.nLocale << ", name " << c.pszName << ", key '" << c.pszKey << "'";
        }
        EXPECT_EQ(page.GetButtonCaption(1), "");
    });
}

TEST_F(ButtonsSheetTest, EveryIconNumberShowsAThirtyTwoPixelPicture)
{
    StoreButtons({0});
    RunSheet([](CPallumSheet&, CGPButtonPage& page) {
        const std::pair<int, UINT> expected[] = {
            {1, 5219}, {2, 5220}, {3, 189}, {4, 189}, {5, 5208}, {99, 189}, {100, 5221}, {101, 5203},
            {102, 5223}, {103, 5222}, {104, 5231}, {105, 5232}, {106, 5233}, {107, 5234}, {108, 189},
            {109, 5236}, {110, 5237}, {111, 5238}, {112, 5239}, {113, 5240}, {114, 5241},
            {115, 5242}, {116, 5243}, {117, 5244}, {118, 5247}, {119, 5256}, {120, 5257}, {121, 189}};
        for (const auto& [nIcon, nBitmap] : expected) {
            Stored(0).nIconID = nIcon;
            CRegManager::ReadSettingGPButtonInfo(page.m_buttons.m_manager);
            EXPECT_EQ(page.GetButtonBitmapId(0), nBitmap) << "icon " << nIcon;
            HBITMAP hBitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nBitmap));
            BITMAP bm = {};
            ASSERT_NE(hBitmap, nullptr) << "bitmap " << nBitmap;
            GetObjectA(hBitmap, sizeof(bm), &bm);
            EXPECT_TRUE(bm.bmWidth == 32 && bm.bmHeight == 32) << "bitmap " << nBitmap;
            DeleteObject(hBitmap);
        }
        EXPECT_EQ(page.GetButtonBitmapId(1), 0u);
    });
}

TEST_F(ButtonsSheetTest, RowPictureShowsTheWindowColourForMagenta)
{
    StoreButtons({0});
    Stored(0).nIconID = 103;
    RunSheet([](CPallumSheet&, CGPButtonPage& page) {
        HWND hIcon = Item(page, IDC_BUTTON0_ICON);
        RedrawWindow(hIcon, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        // The corner of every row picture is background.
        EXPECT_EQ(ScreenPixel(hIcon, 0, 0), GetSysColor(COLOR_WINDOW));
    });
}

// ---- Program lists ---------------------------------------------------------------------

TEST_F(ButtonsSheetTest, ProgramListOrderAndConditions)
{
    StoreButtons({0});
    RunSheet([this](CPallumSheet&, CGPButtonPage& page) {
        // Everything listed, platform 1: no different-image presentation, no custom program.
        page.FillAllProgramLists();
        std::vector<int> expected = {115, 114, 113, 112};
        expected.insert(expected.end(), kFullList.begin(), kFullList.end());
        EXPECT_EQ(ListPrograms(page, 0), expected);

        // Platform 3 and a registered custom program head the list.
        FakeMirrend::SetPlatformKind(3);
        Stored(0).strAppName = "Sketchpad";
        Stored(0).strAppTarget = "C:\\Tools\\sketch.exe";
        CRegManager::ReadSettingGPButtonInfo(page.m_buttons.m_manager);
        page.FillAllProgramLists();
        std::vector<int> top = ListPrograms(page, 0);
        ASSERT_GE(top.size(), 2u);
        EXPECT_EQ(top[0], 3);
        EXPECT_EQ(top[1], 111);
        EXPECT_EQ(ListTexts(page, 0)[0], "Sketchpad");
        EXPECT_EQ(ListTexts(page, 0)[1], "Presentation(Different image)");

        // DisplayList 257 passes, 0 and 2 fail, a missing value fails; each only for itself.
        FakeMirrend::SetPlatformKind(1);
        Stored(0).strAppTarget = "";
        CRegManager::ReadSettingGPButtonInfo(page.m_buttons.m_manager);
        SetDisplayList(0);
        SetDisplayList(103, 257);
        SetDisplayList(102, 2);
        SetDisplayList(104, 1);
        DeleteRegValue(HKEY_LOCAL_MACHINE, kAppsKey + std::string("105"), "DisplayList");
        page.FillAllProgramLists();
        EXPECT_EQ(ListPrograms(page, 0), (std::vector<int>{1, 2, 5, 103, 104, 4, 99}));
        EXPECT_EQ(ListTexts(page, 0)[3], "Zoom in");
        EXPECT_EQ(ListTexts(page, 0).back(), "Select your program...");

        // Installed checks: 100, 101 and 108 need the library's word as well.
        SetDisplayList(1);
        FakeMirrend::SetAppInstalled(100, FALSE);
        FakeMirrend::SetAppInstalled(108, FALSE);
        page.FillAllProgramLists();
        const std::vector<int> programs = ListPrograms(page, 0);
        EXPECT_EQ(std::count(programs.begin(), programs.end(), 100), 0);
        EXPECT_EQ(std::count(programs.begin(), programs.end(), 108), 0);
        EXPECT_EQ(std::count(programs.begin(), programs.end(), 101), 1);
    });
}

TEST_F(ButtonsSheetTest, TvOutFollowsTheGeneralRecord)
{
    StoreButtons({0});
    auto hasTvOut = [](CGPButtonPage& page) {
        page.FillAllProgramLists();
        const std::vector<int> programs = ListPrograms(page, 0);
        return std::count(programs.begin(), programs.end(), 5) == 1;
    };
    RunSheet([&](CPallumSheet& sheet, CGPButtonPage& page) {
        CGeneralSettingManager& general = sheet.GetGeneral();
        // By parameter: the install parameter alone decides, whatever the library says.
        general.m_nTvOutByParam = 1;
        general.m_nInstallParam = 0;
        EXPECT_FALSE(hasTvOut(page));
        general.m_nInstallParam = 0x40;
        FakeMirrend::SetAppInstalled(5, FALSE);
        EXPECT_TRUE(hasTvOut(page));
        // Otherwise the library's installed check, handed the install parameter unchanged.
        general.m_nTvOutByParam = 0;
        EXPECT_FALSE(hasTvOut(page));
        FakeMirrend::SetAppInstalled(5, TRUE);
        FakeMirrend::ClearCalls();
        EXPECT_TRUE(hasTvOut(page));
        const FakeMirrend::Call* pCall = FakeMirrend::LastCall("IsAppInstalled");
        ASSERT_NE(pCall, nullptr);
        EXPECT_EQ(pCall->nInstallParam, 0x40);
    });
}

TEST_F(ButtonsSheetTest, StoredChoiceIsSelectedOrElseSelectYourProgram)
{
    StoreButtons({0, 1, 2, 3});
    Stored(0).nAppNo = 3;
    Stored(0).strAppName = "Sketchpad";
    Stored(0).strAppTarget = "C:\\Tools\\sketch.exe";
    Stored(1).nAppNo = 111;   // platform kind 1: not offered
    Stored(2).nAppNo = 4;
    Stored(3).nAppNo = 3;     // no custom program registered
    RunSheet([](CPallumSheet&, CGPButtonPage& page) {
        EXPECT_EQ(page.GetSlotList(0).GetCurSel(), 0);
        EXPECT_EQ(SelectedProgram(page, 0), 3);
        EXPECT_EQ(SelectedProgram(page, 1), 99);
        EXPECT_EQ(page.m_buttons.GetAt(1)->GetStartupAppNo(), 111);
        EXPECT_EQ(SelectedProgram(page, 2), 4);
        EXPECT_EQ(SelectedProgram(page, 3), 99);
        // A disabled button's caption is greyed, the others are not.
        EXPECT_FALSE(Enabled(page, IDC_BUTTON2_CAPTION));
        EXPECT_TRUE(Enabled(page, IDC_BUTTON0_CAPTION));
        EXPECT_FALSE(page.IsModified());
    });
}

TEST_F(ButtonsSheetTest, TheDisplayListIsReadForEveryFillAndARowRefilledAfterAPickReadsItAfresh)
{
    StoreButtons({0, 1, 2});
    RunSheet([this](CPallumSheet&, CGPButtonPage& page) {
        auto offers = [&page](int nSlot, int nProgram) {
            const std::vector<int> programs = ListPrograms(page, nSlot);
            return std::find(programs.begin(), programs.end(), nProgram) != programs.end();
        };
        SetDisplayList(0);
        SetDisplayList(103, 1);
        page.FillAllProgramLists();
        for (int nSlot = 0; nSlot < 3; ++nSlot) {
            EXPECT_TRUE(offers(nSlot, 103)) << nSlot;
            EXPECT_FALSE(offers(nSlot, 104)) << nSlot;
        }
        SetDisplayList(104, 1);
        Pick(page, 1, 103);
        EXPECT_TRUE(offers(1, 104));
        EXPECT_FALSE(offers(0, 104));
        page.FillAllProgramLists();
        EXPECT_TRUE(offers(2, 104));
    });
}

TEST_F(ButtonsSheetTest, APickIsStoredInTheRecordAndMarksThePage)
{
    StoreButtons({0, 1});
    Stored(1).nAppNo = 4;
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        EXPECT_FALSE(ApplyEnabled(sheet));
        EXPECT_FALSE(Enabled(page, IDC_BUTTON1_CAPTION));
        Pick(page, 1, 103);
        EXPECT_EQ(page.m_buttons.GetAt(1)->GetStartupAppNo(), 103);
        EXPECT_EQ(SelectedProgram(page, 1), 103);
        EXPECT_TRUE(Enabled(page, IDC_BUTTON1_CAPTION));
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_TRUE(Apply(sheet).empty());
        EXPECT_FALSE(ApplyEnabled(sheet));
        // The entry already chosen, chosen again: stored again and the page is modified.
        Pick(page, 1, 103);
        EXPECT_TRUE(ApplyEnabled(sheet));
        // A selection end without a selection stores nothing.
        page.GetSlotList(1).SetCurSel(-1);
        SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_BUTTON1_LIST, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(page.GetSlotList(1).m_hWnd));
        EXPECT_EQ(page.m_buttons.GetAt(1)->GetStartupAppNo(), 103);
    });
    EXPECT_EQ(Stored(1).nAppNo, 103);
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGPButtonInfo"), 1);
}

TEST_F(ButtonsSheetTest, CustomProgramDialogCancelledConfirmedUnchangedAndEdited)
{
    StoreButtons({0});
    Stored(0).nAppNo = 2;
    Stored(0).strAppName = std::string(300, 'n');   // longer than the dialog's buffers
    Stored(0).strAppTarget = "C:\\Tools\\sketch.exe";
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        CButtonInfo* pButton = page.m_buttons.GetAt(0);
        // Cancelled: nothing stored, the list back on the stored choice, the page modified.
        FakeMirrend::ScriptDialog(0, "Ignored", "C:\\ignored.exe", "", "");
        Pick(page, 0, 99);
        EXPECT_EQ(pButton->GetStartupAppNo(), 2);
        EXPECT_EQ(SelectedProgram(page, 0), 2);
        EXPECT_TRUE(ApplyEnabled(sheet));

        // Confirmed unchanged: the texts, cut to 261 characters, are stored again with 3.
        FakeMirrend::ScriptDialog(1);
        Pick(page, 0, 99);
        const FakeMirrend::Call* pCall = FakeMirrend::LastCall("ShowCustomAppDialog");
        ASSERT_NE(pCall, nullptr);
        EXPECT_EQ(pCall->nDialogSize, 261);
        EXPECT_EQ(pCall->dialogIn[0], std::string(261, 'n'));
        EXPECT_EQ(pButton->GetStartupAppNo(), 3);
        EXPECT_EQ(pButton->GetAppName(), std::string(261, 'n'));
        EXPECT_EQ(pButton->GetAppTarget(), "C:\\Tools\\sketch.exe");

        // Confirmed edited: all four texts, and the new name heads the list, selected.
        FakeMirrend::ScriptDialog(1, "Sketchpad", "C:\\Tools\\pad.exe", "/new", "C:\\Work");
        Pick(page, 0, 99);
        EXPECT_EQ(pButton->GetAppName(), "Sketchpad");
        EXPECT_EQ(pButton->GetAppTarget(), "C:\\Tools\\pad.exe");
        EXPECT_EQ(pButton->GetAppOption(), "/new");
        EXPECT_EQ(pButton->GetAppWorkDir(), "C:\\Work");
        EXPECT_EQ(page.GetSlotList(0).GetCurSel(), 0);
        EXPECT_EQ(ListTexts(page, 0)[0], "Sketchpad");
    });
    EXPECT_EQ(FakeMirrend::CountCalls("ShowCustomAppDialog"), 3);
}

// ---- Restore, read-only, saving --------------------------------------------------------

TEST_F(ButtonsSheetTest, RestoreDefaultsBringsBackTheMakersChoices)
{
    // The fake's maker defaults: five buttons, the fifth with a custom program.
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        // Every button on its default already: the page is marked all the same.
        page.OnRestoreDefaults();
        EXPECT_TRUE(ApplyEnabled(sheet));
        Apply(sheet);

        const std::string caption = Text(page, IDC_BUTTON0_CAPTION);
        const UINT nBitmap = page.m_buttons.GetIcon(0)->m_nBitmapId;
        const int nDefault0 = page.m_buttons.GetAt(0)->GetStartupAppNo();
        Pick(page, 0, 4);
        Pick(page, 2, 105);
        EXPECT_FALSE(Enabled(page, IDC_BUTTON0_CAPTION));
        Apply(sheet);
        EXPECT_FALSE(ApplyEnabled(sheet));

        Click(page.m_hWnd, IDC_BUTTONS_RESTORE);
        EXPECT_EQ(SelectedProgram(page, 0), nDefault0);
        EXPECT_EQ(page.m_buttons.GetAt(0)->GetStartupAppNo(), nDefault0);
        EXPECT_NE(page.m_buttons.GetAt(2)->GetStartupAppNo(), 105);
        EXPECT_TRUE(Enabled(page, IDC_BUTTON0_CAPTION));
        EXPECT_EQ(Text(page, IDC_BUTTON0_CAPTION), caption);
        EXPECT_EQ(page.m_buttons.GetIcon(0)->m_nBitmapId, nBitmap);
        EXPECT_TRUE(ApplyEnabled(sheet));
    });
}

TEST_F(ButtonsSheetTest, ReadOnlyDisablesTheListsAndWritesNothing)
{
    FakeMirrend::SetReadOnly(1);
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        for (const CButtonSlotItems& items : g_buttonSlots)
            EXPECT_FALSE(Enabled(page, items.nList));
        EXPECT_FALSE(Enabled(page, IDC_BUTTONS_RESTORE));
        EXPECT_TRUE(Visible(page, IDC_BUTTON0_LIST));
        EXPECT_NE(SelectedProgram(page, 0), -1);
        page.m_buttons.GetAt(0)->SetStartupAppNo(4);
        page.SetModified(TRUE);
        EXPECT_TRUE(Apply(sheet).empty());
        EXPECT_TRUE(page.SaveSettings());
    });
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGPButtonInfo"), 0);
}

TEST_F(ButtonsSheetTest, FailedWriteWarnsAndTheNextApplyWritesAgain)
{
    StoreButtons({0});
    FakeMirrend::FailWrite(GP_BUTTONS);
    RunSheet([](CPallumSheet& sheet, CGPButtonPage& page) {
        Pick(page, 0, 103);
        EXPECT_EQ(Apply(sheet), (std::vector<std::string>{"Warning.|Registry write error."}));
        EXPECT_EQ(Stored(0).nAppNo, 4);
        EXPECT_EQ(page.m_buttons.GetAt(0)->GetStartupAppNo(), 103);

        FakeMirrend::FailWrite(GP_BUTTONS, false);
        EXPECT_TRUE(Apply(sheet).empty());
        EXPECT_EQ(Stored(0).nAppNo, 103);
    });
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGPButtonInfo"), 2);
}

TEST_F(ButtonsSheetTest, CancelWritesNothing)
{
    RunSheet([](CPallumSheet&, CGPButtonPage& page) { Pick(page, 0, 103); });
    EXPECT_EQ(FakeMirrend::CountCalls("WriteSettingGPButtonInfo"), 0);
}

TEST(ButtonsPageInitTest, NeedsBothPointersAndReadableButtons)
{
    FakeMirrend::Reset();
    CGeneralSettingManager general;
    CPallumSheet sheet("KELVORA Controls Properties", nullptr, 0);
    {
        CGPButtonPage page;
        EXPECT_FALSE(page.Init(&sheet, nullptr));
        EXPECT_FALSE(page.Init(nullptr, &general));
        EXPECT_EQ(page.m_pGeneral, &general);
        EXPECT_TRUE(page.Init(&sheet, &general));
        EXPECT_EQ(page.m_pSheet, &sheet);
    }
    FakeMirrend::FailRead(GP_BUTTONS);
    CGPButtonPage page;
    EXPECT_FALSE(page.Init(&sheet, &general));
}

// ---- Help ------------------------------------------------------------------------------

TEST_F(ButtonsSheetTest, HelpIdsFollowTheButtonKind)
{
    StoreButtons({0});
    RunSheet([](CPallumSheet&, CGPButtonPage& page) {
        const std::pair<int, UINT> kinds[] = {
            {CButtonInfo::KIND_AMBREL, 49189},      {CButtonInfo::KIND_INTERNET, 49186},
            {CButtonInfo::KIND_MAIL, 49187},        {CButtonInfo::KIND_CUSTOMAPP, 49188},
            {CButtonInfo::KIND_CUSTOMAPP2, 49225},  {CButtonInfo::KIND_PRESEN, 49208},
            {CButtonInfo::KIND_TVOUT, 49207},       {CButtonInfo::KIND_HELVANE, 49206},
            {CButtonInfo::KIND_ZOOMOUT, 49209},     {CButtonInfo::KIND_ZOOMIN, 49210},
            {CButtonInfo::KIND_REC, 49211},         {CButtonInfo::KIND_BRIGHT, 49212},
            {CButtonInfo::KIND_MONITOR, 49213},     {CButtonInfo::KIND_CDDVD, 49214},
            {CButtonInfo::KIND_ONENOTE, 49215},     {CButtonInfo::KIND_BRIGHTDOWN, 49217},
            {CButtonInfo::KIND_BRIGHTUP, 49216},    {CButtonInfo::KIND_PRESEN_DIFF, 49218},
            {CButtonInfo::KIND_PRESEN_SI86, 49218}, {CButtonInfo::KIND_PRESEN_SI17, 49218},
            {CButtonInfo::KIND_PRESEN_SI21, 49218}, {CButtonInfo::KIND_PRESEN_SI62, 49218},
            {CButtonInfo::KIND_DISPLAY, 49223},     {CButtonInfo::KIND_DOLBY, 49224},
            {CButtonInfo::KIND_BACKLIGHT, 49226},   {CButtonInfo::KIND_NONE, 0},
        };
        for (const auto& [nKind, nHelp] : kinds) {
            Stored(0).nKind = nKind;
            CRegManager::ReadSettingGPButtonInfo(page.m_buttons.m_manager);
            EXPECT_EQ(page.GetButtonHelpId(0), nHelp) << "kind " << nKind;
        }
        EXPECT_EQ(page.GetButtonHelpId(1), 0u);
        EXPECT_EQ(page.GetButtonHelpId(-1), 0u);
    });
}

TEST_F(ButtonsSheetTest, ContextHelpOnTheListsAndRestoreDefaults)
{
    StoreButtons({0, 1});
    Stored(0).nKind = CButtonInfo::KIND_ZOOMIN;
    Stored(1).nKind = CButtonInfo::KIND_NONE;
    CHelpRecorder help;
    const std::vector<HelpCall>& calls = help.Calls();
    RunSheet([&](CPallumSheet&, CGPButtonPage& page) {
        auto ask = [&](int nId) { return SendHelp(page.m_hWnd, page.m_hWnd, nId); };
        EXPECT_TRUE(ask(IDC_BUTTON0_LIST));
        EXPECT_TRUE(ask(IDC_BUTTON1_LIST));   // no kind: help id 0
        EXPECT_TRUE(ask(IDC_BUTTONS_RESTORE));
        const size_t nCalls = calls.size();
        ask(IDC_BUTTONS_GROUP);
        ask(IDC_BUTTON0_CAPTION);
        EXPECT_EQ(calls.size(), nCalls);
    });
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].strFile, "PALLUM.HLP");
    EXPECT_EQ(calls[0].uCommand, UINT(HELP_WM_HELP));
    EXPECT_EQ(calls[0].table, (std::vector<DWORD>{IDC_BUTTON0_LIST, 49210, 0, 0}));
    EXPECT_EQ(calls[1].table, (std::vector<DWORD>{IDC_BUTTON1_LIST, 0, 0, 0}));
    EXPECT_EQ(calls[2].table, (std::vector<DWORD>{IDC_BUTTONS_RESTORE, 49191, 0, 0}));
    EXPECT_NE(calls[2].hItem, nullptr);
}

// ---- Default browser and e-mail program --------------------------------------------------

TEST_F(ButtonsSheetTest, BrowserAndMailEntriesNameTheDefaultPrograms)
{
    m_registry.Keep(HKEY_CLASSES_ROOT, "http\\shell\\open\\command");
    m_registry.Keep(HKEY_LOCAL_MACHINE, "software\\clients\\mail");
    const char* pszMs = std::getenv("KELVORA_BTN_VERSION_MS");
    const char* pszOther = std::getenv("KELVORA_BTN_VERSION_OTHER");
    ASSERT_TRUE(pszMs && pszOther);
    std::string strDir(pszOther);
    strDir.erase(strDir.find_last_of("\\/"));
    SetEnvironmentVariableA("BTN_TEST_DIR", strDir.c_str());

    StoreButtons({0});
    RunSheet([&](CPallumSheet&, CGPButtonPage& page) {
        auto entries = [&] {
            page.FillAllProgramLists();
            const std::vector<std::string> texts = ListTexts(page, 0);
            return std::make_pair(texts.at(4), texts.at(5));   // after the four presentations
        };
        SetRegString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, "\"" + std::string(pszMs) + "\" -url \"%1\"");
        SetRegString(HKEY_LOCAL_MACHINE, "software\\clients\\mail", nullptr, "Inkwell Mail");
        EXPECT_EQ(entries(), std::make_pair(std::string("Lumen Web Viewer(default browser)"),
                                            std::string("Inkwell Mail(default e-mail program)")));

        // Environment variables in the command are expanded.
        const std::string strFile = std::string(pszOther).substr(strDir.size());
        SetRegString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, "%BTN_TEST_DIR%" + strFile + " %1");
        EXPECT_EQ(entries().first, "Harbor Browser(default browser)");

        // Nothing found: the suffixes alone.
        SetRegString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, "C:\\nowhere\\browser.exe %1");
        // The mail name is read up to 261 bytes with its terminator.
        SetRegString(HKEY_LOCAL_MACHINE, "software\\clients\\mail", nullptr, std::string(260, 'm'));
        EXPECT_EQ(page.GetDefaultMailName(), std::string(260, 'm'));
        SetRegString(HKEY_LOCAL_MACHINE, "software\\clients\\mail", nullptr, std::string(261, 'm'));
        EXPECT_EQ(entries(), std::make_pair(std::string("(default browser)"),
                                            std::string("(default e-mail program)")));
        // An expansion longer than 260 characters is no path.
        SetEnvironmentVariableA("BTN_TEST_DIR", (strDir + std::string(300, '\\')).c_str());
        SetRegString(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, "%BTN_TEST_DIR%" + strFile);
        EXPECT_EQ(page.GetDefaultBrowserName(), "");
    });
}

}  // namespace
