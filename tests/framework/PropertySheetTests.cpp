#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "Framework.h"
#include "HelpRecorder.h"
#include "UiScript.h"
#include "resource.h"

namespace {

const int IDC_APPLY_BUTTON = 0x3021;
const UINT IDM_TEST_COMMAND = 0x0011;

using Log = std::vector<std::string>;

class CLoggingPage : public CPropertyPage {
public:
    CLoggingPage(UINT nIDTemplate, const char* pszName, Log* pLog, DWORD dwHelpId, UINT nIDCaption = 0)
        : CPropertyPage(nIDTemplate, nIDCaption), m_name(pszName), m_pLog(pLog), m_dwHelpId(dwHelpId)
    {
    }

    int m_bCheck = 0;
    CString m_strText = "abc";
    int m_nTextChanges = 0;

    BOOL OnInitDialog() override
    {
        m_pLog->push_back(m_name + " init");
        return CPropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Check(pDX, IDC_CHECK, m_bCheck);
        DDX_Text(pDX, IDC_TEXT, m_strText);
        DDV_MaxChars(pDX, m_strText, 8);
    }
    BOOL OnApply() override
    {
        m_pLog->push_back(m_name + " apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        m_pLog->push_back(m_name + " reset");
        CPropertyPage::OnReset();
    }
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override
    {
        m_pLog->push_back(m_name + " help " + std::to_string(pHelpInfo->iCtrlId));
        if (pHelpInfo->iCtrlId != IDC_CHECK)
            return FALSE;
        const DWORD table[] = {IDC_CHECK, m_dwHelpId, 0, 0};
        FrameworkWinHelp(static_cast<HWND>(pHelpInfo->hItemHandle), "TEST.HLP", HELP_WM_HELP,
                         reinterpret_cast<ULONG_PTR>(table));
        return TRUE;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        static const CCommandEntry<CLoggingPage> kCommands[] = {
            {IDC_TEXT, EN_CHANGE, &CLoggingPage::OnTextChanged},
        };
        return DispatchCommand(this, kCommands, wParam) || CPropertyPage::OnCommand(wParam, lParam);
    }
    void OnTextChanged()
    {
        ++m_nTextChanges;
        SetModified(TRUE);
    }

private:
    std::string m_name;
    Log* m_pLog;
    DWORD m_dwHelpId;
};

class CTestSheet : public CPropertySheet {
public:
    explicit CTestSheet(Log* pLog) : CPropertySheet("Framework test sheet"), m_pLog(pLog) {}

    int m_nPaints = 0;
    bool m_bFirstPageHadWindowAtInit = false;
    CLoggingPage* m_pFirstPage = nullptr;

    int OnCreate(LPCREATESTRUCTA lpCreateStruct) override
    {
        m_pLog->push_back("sheet create");
        if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
            return -1;
        ModifyStyleEx(0, WS_EX_CONTEXTHELP);
        return 0;
    }
    BOOL OnInitDialog() override
    {
        const BOOL bResult = CPropertySheet::OnInitDialog();
        m_pLog->push_back("sheet init");
        m_bFirstPageHadWindowAtInit = m_pFirstPage && m_pFirstPage->m_hWnd;
        AppendMenuA(GetSystemMenu(FALSE), MF_STRING, IDM_TEST_COMMAND, "&Test...");
        return bResult;
    }
    void OnSysCommand(UINT nID, LPARAM lParam) override
    {
        if (nID == IDM_TEST_COMMAND) {
            m_pLog->push_back("sheet command");
            return;
        }
        CPropertySheet::OnSysCommand(nID, lParam);
    }
    void OnPaint() override
    {
        ++m_nPaints;
        CPropertySheet::OnPaint();
    }
    BOOL OnHelpInfo(HELPINFO* pHelpInfo) override
    {
        m_pLog->push_back("sheet help " + std::to_string(pHelpInfo->iCtrlId));
        if (pHelpInfo->iCtrlId == IDOK) {
            const DWORD table[] = {IDOK, 0xC010, 0, 0};
            FrameworkWinHelp(static_cast<HWND>(pHelpInfo->hItemHandle), "TEST.HLP", HELP_WM_HELP,
                             reinterpret_cast<ULONG_PTR>(table));
        }
        return FALSE;
    }

private:
    Log* m_pLog;
};

// Presses a sheet button from inside the modal loop.
UiScript::Step Press(CPropertySheet& sheet, int nButton)
{
    return Do([&sheet, nButton] { PressSheetButton(sheet.m_hWnd, nButton); });
}

// Three pages over the three test templates, and a sheet holding them.
struct SheetFixture {
    Log log;
    CLoggingPage one{IDD_PAGE_ONE, "one", &log, 2001};
    CLoggingPage two{IDD_PAGE_TWO, "two", &log, 2002, IDS_PAGE_CAPTION};
    CLoggingPage three{IDD_PAGE_THREE, "three", &log, 2003};
    CTestSheet sheet{&log};

    SheetFixture()
    {
        sheet.AddPage(&one);
        sheet.AddPage(&two);
        sheet.AddPage(&three);
        sheet.m_pFirstPage = &one;
    }

    // Waits until the sheet shows its page.
    UiScript::Step SheetShown()
    {
        return [this] { return sheet.m_hWnd && sheet.GetActivePage() && sheet.GetActivePage()->m_hWnd; };
    }
    UiScript::Step Press(int nButton) { return ::Press(sheet, nButton); }
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet.m_hWnd, IDC_APPLY_BUTTON)) != FALSE; }
    Log Events(const std::string& suffix) const
    {
        Log result;
        for (const std::string& entry : log) {
            if (entry.size() > suffix.size() && entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0)
                result.push_back(entry);
        }
        return result;
    }
};

LOGFONTA WindowFont(HWND hWnd)
{
    LOGFONTA font = {};
    if (HFONT hFont = reinterpret_cast<HFONT>(SendMessageA(hWnd, WM_GETFONT, 0, 0)))
        GetObjectA(hFont, sizeof(font), &font);
    return font;
}

std::string TabText(HWND hTab, int nItem)
{
    char szText[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    SendMessageA(hTab, TCM_GETITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item));
    return szText;
}

// A dialog template of this program, as the resource compiler wrote it.
std::vector<BYTE> TemplateBytes(UINT nID)
{
    HRSRC hFound = FindResourceA(nullptr, MAKEINTRESOURCEA(nID), RT_DIALOG);
    HGLOBAL hLoaded = hFound ? LoadResource(nullptr, hFound) : nullptr;
    const BYTE* pData = hLoaded ? static_cast<const BYTE*>(LockResource(hLoaded)) : nullptr;
    return pData ? std::vector<BYTE>(pData, pData + SizeofResource(nullptr, hFound)) : std::vector<BYTE>();
}

}  // namespace

TEST(PropertySheetTest, PageWindowExistsOnlyOnceThePageWasShown)
{
    SheetFixture f;
    EXPECT_EQ(f.sheet.GetActivePage(), &f.one);
    EXPECT_EQ(f.sheet.GetTabControl(), nullptr);
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            EXPECT_NE(f.one.m_hWnd, nullptr);
            EXPECT_EQ(f.two.m_hWnd, nullptr);
            EXPECT_EQ(f.three.m_hWnd, nullptr);
            EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
            EXPECT_TRUE(f.sheet.SetActivePage(2));
            EXPECT_EQ(f.sheet.GetActivePage(), &f.three);
            EXPECT_NE(f.three.m_hWnd, nullptr);
            EXPECT_EQ(f.two.m_hWnd, nullptr);
            EXPECT_FALSE(f.sheet.SetActivePage(3));
            EXPECT_TRUE(f.sheet.SetActivePage(&f.one));
            EXPECT_EQ(f.sheet.GetActiveIndex(), 0);
            EXPECT_EQ(f.two.m_hWnd, nullptr);

            CWnd* pTab = f.sheet.GetTabControl();
            ASSERT_NE(pTab, nullptr);
            char szClass[32] = {};
            GetClassNameA(pTab->m_hWnd, szClass, sizeof(szClass));
            EXPECT_STREQ(szClass, "SysTabControl32");
            EXPECT_EQ(pTab->SendMessage(TCM_GETITEMCOUNT), 3);
            EXPECT_EQ(TabText(pTab->m_hWnd, 1), "Caption from strings");
            EXPECT_EQ(f.sheet.GetWindowText(), "Framework test sheet");
        }))
        .Then(f.Press(PSBTN_CANCEL));
    script.Start();
    EXPECT_EQ(f.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(f.sheet.m_hWnd, nullptr);
    EXPECT_EQ(f.one.m_hWnd, nullptr);
    EXPECT_EQ(f.three.m_hWnd, nullptr);
    // The sheet's base initialisation creates the first page.
    EXPECT_EQ(f.Events(" init"), (Log{"one init", "sheet init", "three init"}));
}

TEST(PropertySheetTest, ApplyAndOkReachEveryPageWithAWindowAndNoOther)
{
    SheetFixture f;
    f.sheet.SetActivePage(2);
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            EXPECT_EQ(f.sheet.GetActivePage(), &f.three);
            EXPECT_EQ(f.one.m_hWnd, nullptr);
            EXPECT_TRUE(f.sheet.SetActivePage(0));
            EXPECT_FALSE(f.ApplyEnabled());
            f.one.SetModified(TRUE);
            EXPECT_TRUE(f.ApplyEnabled());
            EXPECT_TRUE(f.one.IsModified());
        }))
        .Then(f.Press(PSBTN_APPLYNOW))
        .Then(Do([&] {
            EXPECT_EQ(f.Events(" apply"), (Log{"one apply", "three apply"}));
            EXPECT_TRUE(IsWindow(f.sheet.m_hWnd));   // Apply keeps the sheet open
            EXPECT_FALSE(f.ApplyEnabled());
            EXPECT_FALSE(f.one.IsModified());
            f.log.clear();
        }))
        .Then(f.Press(PSBTN_OK));
    script.Start();
    EXPECT_EQ(f.sheet.DoModal(), IDOK);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(f.Events(" apply"), (Log{"one apply", "three apply"}));
    EXPECT_TRUE(f.Events(" reset").empty());
    EXPECT_EQ(f.two.m_hWnd, nullptr);
}

TEST(PropertySheetTest, CancelAndTheCloseBoxApplyNothing)
{
    for (bool bCloseBox : {false, true}) {
        SCOPED_TRACE(bCloseBox ? "close box" : "Cancel");
        SheetFixture f;
        UiScript script;
        script.Then(f.SheetShown())
            .Then(Do([&] {
                f.sheet.SetActivePage(1);
                f.two.SetModified(TRUE);
                SetDlgItemTextA(f.two.m_hWnd, IDC_TEXT, "changed");
            }))
            .Then([&] {
                if (bCloseBox)
                    PostMessageA(f.sheet.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
                else
                    f.sheet.PressButton(PSBTN_CANCEL);
                PostMessageA(nullptr, WM_NULL, 0, 0);
                return true;
            });
        script.Start();
        EXPECT_EQ(f.sheet.DoModal(), IDCANCEL);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_TRUE(f.Events(" apply").empty());
        EXPECT_EQ(f.two.m_strText, "abc");   // the page's members kept their values
        EXPECT_EQ(f.sheet.m_hWnd, nullptr);
    }
}

// An owner that moves the tabs (as the applet does for its banner) reselects the page shown;
// that page must follow the tabs rather than stay over them.
TEST(PropertySheetTest, ReselectingThePageShownLaysItOutBelowMovedTabs)
{
    SheetFixture f;
    RECT rcDisplay = {}, rcPage = {};
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            HWND hTab = f.sheet.GetTabControl()->m_hWnd;
            RECT rcTab;
            GetWindowRect(hTab, &rcTab);
            MapWindowPoints(nullptr, f.sheet.m_hWnd, reinterpret_cast<POINT*>(&rcTab), 2);
            SetWindowPos(hTab, nullptr, rcTab.left, rcTab.top + 28, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            EXPECT_TRUE(f.sheet.SetActivePage(0));
            GetClientRect(hTab, &rcDisplay);
            TabCtrl_AdjustRect(hTab, FALSE, &rcDisplay);
            MapWindowPoints(hTab, nullptr, reinterpret_cast<POINT*>(&rcDisplay), 2);
            GetWindowRect(f.one.m_hWnd, &rcPage);
        }))
        .Then(f.Press(PSBTN_CANCEL));
    script.Start();
    f.sheet.DoModal();
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(rcPage.left, rcDisplay.left);
    EXPECT_EQ(rcPage.top, rcDisplay.top);
}

TEST(PropertySheetTest, FailedExchangeKeepsThePageAndRefusesOk)
{
    SheetFixture f;
    std::string firstPrompt;
    std::string secondPrompt;
    HWND hEdit = nullptr;
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            hEdit = GetDlgItem(f.one.m_hWnd, IDC_TEXT);
            EXPECT_EQ(SendMessageA(hEdit, EM_GETLIMITTEXT, 0, 0), 8);
            SetWindowTextA(hEdit, "123456789");
        }))
        .Then([&] {
            EXPECT_FALSE(f.sheet.SetActivePage(1));   // blocks in the prompt until the next step
            return true;
        })
        .Then(AnswerMessageBox(&firstPrompt))
        .Then(Do([&] {
            EXPECT_EQ(f.sheet.GetActivePage(), &f.one);
            EXPECT_EQ(f.two.m_hWnd, nullptr);
            EXPECT_EQ(GetFocus(), hEdit);
            // Staying on the page shown changes no page: nothing is asked of it.
            EXPECT_TRUE(AnswerMessageBoxes([&] { EXPECT_TRUE(f.sheet.SetActivePage(0)); }).empty());
        }))
        .Then(f.Press(PSBTN_OK))
        .Then(AnswerMessageBox(&secondPrompt))
        .Then(Do([&] {
            EXPECT_TRUE(IsWindow(f.sheet.m_hWnd));
            EXPECT_TRUE(f.Events(" apply").empty());
            EXPECT_EQ(GetFocus(), hEdit);
            SetWindowTextA(hEdit, "12345678");
        }))
        .Then(f.Press(PSBTN_OK));
    script.Start();
    EXPECT_EQ(f.sheet.DoModal(), IDOK);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(firstPrompt, "Please enter no more than 8 characters.");
    EXPECT_EQ(secondPrompt, "Please enter no more than 8 characters.");
    EXPECT_EQ(f.Events(" apply"), (Log{"one apply"}));
    EXPECT_EQ(f.one.m_strText, "12345678");
}

TEST(PropertySheetTest, ModifiedStateFollowsTheUserNotTheLoading)
{
    SheetFixture f;
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            // Loading the text into the edit raised no change.
            EXPECT_EQ(f.one.m_nTextChanges, 0);
            EXPECT_FALSE(f.ApplyEnabled());
            f.one.m_strText = "reload";
            f.one.UpdateData(FALSE);
            EXPECT_EQ(f.one.m_nTextChanges, 0);
            EXPECT_FALSE(f.ApplyEnabled());
            // The user types at the end.
            SendDlgItemMessageA(f.one.m_hWnd, IDC_TEXT, EM_SETSEL, 6, 6);
            SendDlgItemMessageA(f.one.m_hWnd, IDC_TEXT, WM_CHAR, 'x', 0);
            EXPECT_EQ(f.one.m_nTextChanges, 1);
            EXPECT_TRUE(f.ApplyEnabled());
            // Leaving and coming back reloads the controls from the members.
            f.sheet.SetActivePage(2);
            f.one.m_bCheck = 1;
            f.sheet.SetActivePage(0);
            EXPECT_EQ(IsDlgButtonChecked(f.one.m_hWnd, IDC_CHECK), 1u);
            EXPECT_EQ(f.one.m_strText, "reloadx");
        }))
        .Then(f.Press(PSBTN_CANCEL));
    script.Start();
    EXPECT_EQ(f.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(script.TimedOut());
}

TEST(PropertySheetTest, DerivedSheetSeesItsWindowFromCreationOn)
{
    SheetFixture f;
    f.sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    CHelpRecorder help;
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            HWND hSheet = f.sheet.m_hWnd;
            EXPECT_EQ(CWnd::FromHandlePermanent(hSheet), &f.sheet);
            EXPECT_TRUE(GetWindowLongPtrA(hSheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
            HWND hHelpButton = GetDlgItem(hSheet, IDHELP);
            EXPECT_TRUE(!hHelpButton || !IsWindowVisible(hHelpButton));

            SendMessageA(hSheet, WM_SYSCOMMAND, IDM_TEST_COMMAND, 0);
            const int nPaints = f.sheet.m_nPaints;
            InvalidateRect(hSheet, nullptr, TRUE);
            UpdateWindow(hSheet);
            EXPECT_GT(f.sheet.m_nPaints, nPaints);

            HWND hOk = GetDlgItem(hSheet, IDOK);
            SendHelp(hOk, hSheet, IDOK);
            ASSERT_EQ(help.Calls().size(), 1u);
            EXPECT_EQ(help.Calls()[0].hItem, hOk);
            EXPECT_EQ(help.Calls()[0].table[1], 0xC010u);
        }))
        .Then([&] {
            // Commands the sheet does not take still work: the close box closes it.
            PostMessageA(f.sheet.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            return true;
        });
    script.Start();
    EXPECT_EQ(f.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(script.TimedOut());
    ASSERT_GE(f.log.size(), 3u);
    EXPECT_EQ(f.log[0], "sheet create");
    EXPECT_EQ(f.Events(" init"), (Log{"one init", "sheet init"}));
    EXPECT_TRUE(f.sheet.m_bFirstPageHadWindowAtInit);   // the base ran the system's initialisation
    EXPECT_EQ(f.Events(" command"), (Log{"sheet command"}));
    EXPECT_EQ(f.Events(" apply"), Log{});
}

TEST(PropertySheetTest, ContextHelpReachesThePageThatOwnsTheItem)
{
    SheetFixture f;
    CHelpRecorder help;
    HWND hCheckOne = nullptr;
    HWND hCheckTwo = nullptr;
    auto askHelp = [](HWND hItem) { SendHelp(hItem, GetParent(hItem), GetDlgCtrlID(hItem)); };
    UiScript script;
    script.Then(f.SheetShown())
        .Then(Do([&] {
            f.sheet.SetActivePage(1);
            hCheckOne = GetDlgItem(f.one.m_hWnd, IDC_CHECK);
            hCheckTwo = GetDlgItem(f.two.m_hWnd, IDC_CHECK);
            askHelp(hCheckTwo);
            askHelp(hCheckOne);
            askHelp(GetDlgItem(f.two.m_hWnd, IDC_TEXT));   // not in the page's table
        }))
        .Then(f.Press(PSBTN_CANCEL));
    script.Start();
    f.sheet.DoModal();
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(f.Events(std::to_string(IDC_CHECK)), (Log{"two help 1001", "one help 1001"}));
    EXPECT_EQ(f.Events(std::to_string(IDC_TEXT)), (Log{"two help 1002"}));
    // The page refused the text's request: it went no further.
    EXPECT_TRUE(f.Events("sheet help 1002").empty());
    ASSERT_EQ(help.Calls().size(), 2u);
    EXPECT_EQ(help.Calls()[0].hItem, hCheckTwo);
    EXPECT_EQ(help.Calls()[0].strFile, "TEST.HLP");
    EXPECT_EQ(help.Calls()[0].uCommand, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(help.Calls()[0].table[0], static_cast<DWORD>(IDC_CHECK));
    EXPECT_EQ(help.Calls()[0].table[1], 2002u);
    EXPECT_EQ(help.Calls()[1].hItem, hCheckOne);
    EXPECT_EQ(help.Calls()[1].table[1], 2001u);
}

// The sheet sizes its page area from the templates' dialog units in its own font: pages whose
// templates declare a bigger font, or none, must run in the sheet's font to fit.
TEST(PropertySheetTest, PagesRunInTheSheetsFontAndFitItsPageArea)
{
    Log log;
    CTestSheet sheet(&log);
    CPropertyPage plain(IDD_PAGE_BIG_FONT);
    CPropertyPage extended(IDD_PAGE_BIG_FONT_EX);
    CPropertyPage noFont(IDD_PAGE_NO_FONT);
    CPropertyPage* pages[] = {&plain, &extended, &noFont};
    const char* titles[] = {"Big", "Big EX", "System font"};
    for (CPropertyPage* pPage : pages)
        sheet.AddPage(pPage);
    UiScript script;
    script.Then([&] { return sheet.m_hWnd && plain.m_hWnd; })
        .Then(Do([&] {
            HWND hTab = sheet.GetTabControl()->m_hWnd;
            RECT area;
            GetClientRect(hTab, &area);
            MapWindowPoints(hTab, nullptr, reinterpret_cast<POINT*>(&area), 2);
            SendMessageA(hTab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
            const LOGFONTA sheetFont = WindowFont(sheet.m_hWnd);
            ASSERT_NE(sheetFont.lfFaceName[0], '\0');
            for (int i = 0; i < 3; ++i) {
                SCOPED_TRACE(titles[i]);
                ASSERT_TRUE(sheet.SetActivePage(i));
                HWND hPage = pages[i]->m_hWnd;
                ASSERT_NE(hPage, nullptr);
                EXPECT_EQ(TabText(hTab, i), titles[i]);
                RECT corner = {};
                GetWindowRect(GetDlgItem(hPage, IDC_CORNER), &corner);
                EXPECT_GT(corner.right, corner.left);
                EXPECT_GE(corner.left, area.left);
                EXPECT_GE(corner.top, area.top);
                EXPECT_LE(corner.right, area.right);
                EXPECT_LE(corner.bottom, area.bottom);
                const LOGFONTA pageFont = WindowFont(hPage);
                EXPECT_STREQ(pageFont.lfFaceName, sheetFont.lfFaceName);
                EXPECT_EQ(pageFont.lfHeight, sheetFont.lfHeight);
                EXPECT_LT(pageFont.lfWeight, FW_BOLD);
                EXPECT_FALSE(pageFont.lfItalic);
            }
            // The extended items came through whole.
            HWND hEdit = GetDlgItem(extended.m_hWnd, IDC_TEXT);
            EXPECT_TRUE(GetWindowLongPtrA(hEdit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        }))
        .Then(Press(sheet, PSBTN_CANCEL));
    script.Start();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(script.Finished());
}

// Templates are read with every field checked against their size: whatever does not parse
// is not copied (the sheet then hands the template to the system as it is).
TEST(PageTemplateTest, TemplatesThatDoNotParseAreNotCopied)
{
    for (UINT nID : {IDD_PAGE_BIG_FONT, IDD_PAGE_BIG_FONT_EX, IDD_PAGE_NO_FONT}) {
        SCOPED_TRACE(nID);
        const std::vector<BYTE> bytes = TemplateBytes(nID);
        ASSERT_GT(bytes.size(), 40u);
        EXPECT_FALSE(CopyDialogTemplateWithFont(bytes.data(), bytes.size(), L"MS Shell Dlg", 8).empty());
        // Any cut into the data (the resource may end in up to three bytes of padding).
        for (size_t cb = 0; cb + 4 <= bytes.size(); ++cb) {
            const std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cb));
            EXPECT_TRUE(CopyDialogTemplateWithFont(cut.data(), cut.size(), L"MS Shell Dlg", 8).empty()) << cb;
        }
        // An item count beyond the items.
        std::vector<BYTE> more = bytes;
        const bool bExtended = more[2] == 0xFF && more[3] == 0xFF;
        ++more[bExtended ? 16 : 8];
        EXPECT_TRUE(CopyDialogTemplateWithFont(more.data(), more.size(), L"MS Shell Dlg", 8).empty());
    }
    EXPECT_TRUE(CopyDialogTemplateWithFont(nullptr, 100, L"MS Shell Dlg", 8).empty());
}

TEST(PropertySheetTest, SheetWithoutPagesShowsABlankPageAndCloses)
{
    for (int nButton : {PSBTN_CANCEL, PSBTN_OK}) {
        Log log;
        CTestSheet sheet(&log);
        bool bShown = false;
        UiScript script(5000);
        script.Then([&] {
                  if (!sheet.m_hWnd)
                      return false;
                  bShown = IsWindowVisible(sheet.m_hWnd) != FALSE;
                  EXPECT_EQ(sheet.GetActivePage(), nullptr);
                  EXPECT_EQ(sheet.GetActiveIndex(), -1);
                  return true;
              })
            .Then(Press(sheet, nButton));
        script.Start();
        EXPECT_EQ(sheet.DoModal(), nButton == PSBTN_OK ? IDOK : IDCANCEL);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_TRUE(bShown);
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        EXPECT_EQ(sheet.GetPageCount(), 0);
    }
}
