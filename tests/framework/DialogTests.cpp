#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Framework.h"
#include "KelvoraTestSupport.h"
#include "UiScript.h"
#include "resource.h"

namespace {

// A picture control that handles its own painting and one private message.
class CCountingStatic : public CStatic {
public:
    static const UINT WM_PROBE = WM_APP + 7;

    int m_nPaints = 0;
    int m_nProbes = 0;

    void OnPaint() override
    {
        ++m_nPaints;
        CPaintDC dc(this);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PROBE) {
            ++m_nProbes;
            return 42;
        }
        return CStatic::WindowProc(message, wParam, lParam);
    }
};

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_TEST_DIALOG) {}

    int m_bCheck = 1;
    CString m_strText = "hello";
    int m_nNumber = -17;
    int m_nCombo = 1;
    int m_nRadio = 2;
    int m_nMaxChars = 8;
    CComboBox m_combo;
    CCountingStatic m_picture;
    std::vector<std::string> m_log;

    BOOL OnInitDialog() override
    {
        m_log.push_back("init");
        // Controls must be filled before the base loads the selection into them.
        m_combo.SubclassDlgItem(IDC_COMBO, this);
        m_combo.AddString("zero");
        m_combo.AddString("one");
        m_combo.AddString("two");
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PICTURE, m_picture);
        DDX_Check(pDX, IDC_CHECK, m_bCheck);
        DDX_Text(pDX, IDC_TEXT, m_strText);
        DDV_MaxChars(pDX, m_strText, m_nMaxChars);
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDX_CBIndex(pDX, IDC_COMBO, m_nCombo);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        static const CCommandEntry<CTestDialog> kCommands[] = {
            {IDC_ACTION, BN_CLICKED, &CTestDialog::OnAction},
            {IDC_TEXT, EN_CHANGE, &CTestDialog::OnTextChanged},
            {IDC_COMBO, CBN_SELCHANGE, &CTestDialog::OnComboChanged},
        };
        return DispatchCommand(this, kCommands, wParam) || CDialog::OnCommand(wParam, lParam);
    }
    void OnAction() { m_log.push_back("action"); }
    void OnTextChanged() { m_log.push_back("text changed"); }
    void OnComboChanged() { m_log.push_back("combo changed"); }
};

UINT CheckState(HWND hDialog, int nID)
{
    return static_cast<UINT>(SendDlgItemMessageA(hDialog, nID, BM_GETCHECK, 0, 0));
}

// UpdateData(TRUE) while a script answers the prompt it may show; the prompt's text goes to
// *pPrompt (unchanged when there was none).
BOOL SaveAnsweringPrompt(CDialog& dlg, std::string* pPrompt)
{
    BOOL bSaved = TRUE;
    bool bReturned = false;
    UiScript script(5000);
    script.Then([&] {
              bSaved = dlg.UpdateData(TRUE);
              bReturned = true;
              return true;
          })
        .Then(AnswerMessageBox(pPrompt));
    script.Start();
    EXPECT_TRUE(PumpUntil([&] { return bReturned; }, 6000));
    return bSaved;
}

WNDPROC g_pfnBelowForeign = nullptr;

// Someone else's subclass procedure.
LRESULT CALLBACK ForeignProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(g_pfnBelowForeign, hWnd, message, wParam, lParam);
}

}  // namespace

TEST(DialogTest, ModelessDialogLoadsAndSavesEveryExchangeKind)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND h = dlg.m_hWnd;
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), &dlg);
    EXPECT_EQ(dlg.m_log, std::vector<std::string>{"init"});

    // Load: members into controls.
    EXPECT_EQ(CheckState(h, IDC_CHECK), 1u);
    EXPECT_EQ(ItemText(h, IDC_TEXT), "hello");
    EXPECT_EQ(SendDlgItemMessageA(h, IDC_TEXT, EM_GETLIMITTEXT, 0, 0), 8);
    EXPECT_EQ(ItemText(h, IDC_NUMBER), "-17");
    EXPECT_EQ(SendDlgItemMessageA(h, IDC_COMBO, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(CheckState(h, IDC_RADIO1), 0u);
    EXPECT_EQ(CheckState(h, IDC_RADIO2), 0u);
    EXPECT_EQ(CheckState(h, IDC_RADIO3), 1u);
    // Loading raised no notification: UpdateData locks them out.
    EXPECT_EQ(dlg.m_log, std::vector<std::string>{"init"});

    // Save: controls into members.
    SendDlgItemMessageA(h, IDC_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
    SetDlgItemTextA(h, IDC_TEXT, "world");
    SetDlgItemTextA(h, IDC_NUMBER, "  2147483647 ");
    SendDlgItemMessageA(h, IDC_COMBO, CB_SETCURSEL, 2, 0);
    CheckRadioButton(h, IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_bCheck, 0);
    EXPECT_EQ(dlg.m_strText, "world");
    EXPECT_EQ(dlg.m_nNumber, 2147483647);
    EXPECT_EQ(dlg.m_nCombo, 2);
    EXPECT_EQ(dlg.m_nRadio, 0);
    // A change made outside UpdateData does notify.
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"init", "text changed"}));

    // No selection either way: -1.
    SendDlgItemMessageA(h, IDC_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    CheckRadioButton(h, IDC_RADIO1, IDC_RADIO3, 0);
    SendDlgItemMessageA(h, IDC_RADIO1, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_nCombo, -1);
    EXPECT_EQ(dlg.m_nRadio, -1);

    // Loading an index past the group clears every radio button.
    dlg.m_nRadio = 7;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CheckState(h, IDC_RADIO1) + CheckState(h, IDC_RADIO2) + CheckState(h, IDC_RADIO3), 0u);
    dlg.m_nRadio = 1;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CheckState(h, IDC_RADIO2), 1u);
    // The edit after the group (it starts a new one) is not a radio button of it.
    EXPECT_EQ(ItemText(h, IDC_AFTER), "");

    EXPECT_TRUE(dlg.DestroyWindow());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(dlg.m_picture.m_hWnd, nullptr);
}

TEST(DialogTest, FailedValidationPromptsFocusesAndStopsTheExchange)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND h = dlg.m_hWnd;

    // Longer than DDV_MaxChars allows (text set by a program is not limited).
    SetDlgItemTextA(h, IDC_TEXT, "123456789");
    SetDlgItemTextA(h, IDC_NUMBER, "5");
    std::string prompt;
    EXPECT_FALSE(SaveAnsweringPrompt(dlg, &prompt));
    EXPECT_EQ(prompt, "Please enter no more than 8 characters.");
    EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_TEXT));
    // The text member took its value (exchanged before the check); later ones did not run.
    EXPECT_EQ(dlg.m_strText, "123456789");
    EXPECT_EQ(dlg.m_nNumber, -17);

    // Exactly at the limit is accepted; a number that is not one is refused.
    SetDlgItemTextA(h, IDC_TEXT, "12345678");
    SetDlgItemTextA(h, IDC_NUMBER, "12x");
    EXPECT_FALSE(SaveAnsweringPrompt(dlg, &prompt));
    EXPECT_EQ(prompt, "Please enter an integer.");
    EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_NUMBER));
    EXPECT_EQ(dlg.m_strText, "12345678");
    EXPECT_EQ(dlg.m_nNumber, -17);

    SetDlgItemTextA(h, IDC_NUMBER, "99999999999");   // out of range
    prompt.clear();
    EXPECT_FALSE(SaveAnsweringPrompt(dlg, &prompt));
    EXPECT_EQ(prompt, "Please enter an integer.");
    EXPECT_EQ(dlg.m_nNumber, -17);
}

TEST(DialogTest, EditLimitCountsBytes)
{
    CTestDialog dlg;
    dlg.m_strText.Empty();
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND hEdit = GetDlgItem(dlg.m_hWnd, IDC_TEXT);
    for (int i = 0; i < 12; ++i)
        SendMessageA(hEdit, WM_CHAR, 'a' + i, 0);
    EXPECT_EQ(ItemText(dlg.m_hWnd, IDC_TEXT), "abcdefgh");
}

namespace {

// Runs the dialog modally; once it shows, its check box is unticked and pfnEnd ends it.
INT_PTR RunUntickingThen(CTestDialog& dlg, void (*pfnEnd)(HWND))
{
    UiScript script;
    script.Then([&] {
        if (!dlg.m_hWnd)
            return false;
        SendDlgItemMessageA(dlg.m_hWnd, IDC_CHECK, BM_SETCHECK, BST_UNCHECKED, 0);
        pfnEnd(dlg.m_hWnd);
        PostMessageA(nullptr, WM_NULL, 0, 0);
        return true;
    });
    script.Start();
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_FALSE(script.TimedOut());
    return nResult;
}

}  // namespace

TEST(DialogTest, ModalDialogEndsWithOkOrCancel)
{
    {
        CTestDialog dlg;
        EXPECT_EQ(RunUntickingThen(dlg, [](HWND h) { Click(h, IDOK); }), IDOK);
        EXPECT_EQ(dlg.m_bCheck, 0);   // OK saved the controls
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
    {
        CTestDialog dlg;
        EXPECT_EQ(RunUntickingThen(dlg, [](HWND h) { PostMessageA(h, WM_CLOSE, 0, 0); }), IDCANCEL);   // the close box
        EXPECT_EQ(dlg.m_bCheck, 1);   // Cancel saved nothing
    }
    {
        // OK with a refused value keeps the dialog open.
        CTestDialog dlg;
        std::string prompt;
        bool bStillOpen = false;
        UiScript script;
        script.Then([&] {
                  if (!dlg.m_hWnd)
                      return false;
                  SetDlgItemTextA(dlg.m_hWnd, IDC_TEXT, "far too long");
                  Click(dlg.m_hWnd, IDOK);
                  return true;
              })
            .Then(AnswerMessageBox(&prompt))
            .Then([&] {
                bStillOpen = IsWindow(dlg.m_hWnd) != FALSE;
                Click(dlg.m_hWnd, IDCANCEL);
                PostMessageA(nullptr, WM_NULL, 0, 0);
                return true;
            });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_FALSE(script.TimedOut());
        EXPECT_EQ(prompt, "Please enter no more than 8 characters.");
        EXPECT_TRUE(bStillOpen);
    }
    {
        // Without a parent the active window owns the dialog and waits, disabled.
        CTestDialog owner;
        ASSERT_TRUE(owner.Create(IDD_TEST_DIALOG));
        owner.ShowWindow(SW_SHOW);
        SetActiveWindow(owner.m_hWnd);
        CTestDialog dlg;
        HWND hOwnerSeen = nullptr;
        BOOL bOwnerEnabled = TRUE;
        UiScript script;
        script.Then([&] {
            if (!dlg.m_hWnd)
                return false;
            hOwnerSeen = GetWindow(dlg.m_hWnd, GW_OWNER);
            bOwnerEnabled = owner.IsWindowEnabled();
            Click(dlg.m_hWnd, IDCANCEL);
            PostMessageA(nullptr, WM_NULL, 0, 0);
            return true;
        });
        script.Start();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(hOwnerSeen, owner.m_hWnd);
        EXPECT_FALSE(bOwnerEnabled);
        EXPECT_TRUE(owner.IsWindowEnabled());
    }
    {
        CDialog missing(IDD_MISSING);
        EXPECT_EQ(missing.DoModal(), -1);
        EXPECT_FALSE(missing.Create(IDD_MISSING));
    }
}

TEST(DialogTest, CommandTableAndSubclassedControlGetTheirMessages)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND h = dlg.m_hWnd;

    Click(h, IDC_ACTION);
    // Same id, other code: no row matches.
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_ACTION, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_ACTION)));
    // A real selection change from the control.
    SendDlgItemMessageA(h, IDC_COMBO, CB_SETCURSEL, 0, 0);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_COMBO)));
    EXPECT_EQ(dlg.m_log, (std::vector<std::string>{"init", "action", "combo changed"}));

    // The combo box object wraps the item.
    EXPECT_EQ(dlg.m_combo.GetCount(), 3);
    EXPECT_EQ(dlg.m_combo.GetLBText(2), "two");
    EXPECT_EQ(dlg.m_combo.GetLBText(9), "");
    EXPECT_EQ(dlg.m_combo.SetItemData(1, 103), 1);
    EXPECT_EQ(dlg.m_combo.GetItemData(1), 103u);

    // The picture item's messages reach the object that DDX_Control bound to it.
    HWND hPicture = GetDlgItem(h, IDC_PICTURE);
    EXPECT_EQ(dlg.m_picture.m_hWnd, hPicture);
    EXPECT_EQ(CWnd::FromHandle(hPicture), &dlg.m_picture);
    EXPECT_EQ(SendMessageA(hPicture, CCountingStatic::WM_PROBE, 0, 0), 42);
    EXPECT_EQ(dlg.m_picture.m_nProbes, 1);
    ShowWindow(h, SW_SHOW);
    const int nPaintsBefore = dlg.m_picture.m_nPaints;
    dlg.m_picture.InvalidateRect(nullptr);
    UpdateWindow(hPicture);
    EXPECT_EQ(dlg.m_picture.m_nPaints, nPaintsBefore + 1);
    // Messages the object does not take still reach the control.
    SetWindowTextA(hPicture, "caption");
    EXPECT_EQ(ItemText(h, IDC_PICTURE), "caption");

    // Letting go gives the item its own procedure back.
    EXPECT_EQ(dlg.m_picture.UnsubclassWindow(), hPicture);
    EXPECT_EQ(SendMessageA(hPicture, CCountingStatic::WM_PROBE, 0, 0), 0);
    EXPECT_EQ(dlg.m_picture.m_nProbes, 1);
    CCountingStatic other;
    EXPECT_TRUE(other.SubclassDlgItem(IDC_PICTURE, &dlg));
    EXPECT_FALSE(other.SubclassDlgItem(IDC_ACTION, &dlg));   // one window per object
    CCountingStatic twice;
    EXPECT_FALSE(twice.SubclassWindow(hPicture));            // one object per window
    EXPECT_EQ(SendMessageA(hPicture, CCountingStatic::WM_PROBE, 0, 0), 42);
    EXPECT_EQ(other.m_nProbes, 1);
}

TEST(WndTest, WrappersAndForeignProcedures)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    HWND hAction = GetDlgItem(dlg.m_hWnd, IDC_ACTION);

    // FromHandle of an unbound window gives a stable wrapper; null gives null.
    CWnd* pWrapper = dlg.GetDlgItem(IDC_ACTION);
    ASSERT_NE(pWrapper, nullptr);
    EXPECT_EQ(pWrapper->m_hWnd, hAction);
    EXPECT_EQ(CWnd::FromHandle(hAction), pWrapper);
    EXPECT_EQ(CWnd::FromHandlePermanent(hAction), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(pWrapper->GetWindowText(), "Action");

    // Another procedure chained above ours: letting go cannot unhook us, so ours stays in
    // the chain and forwards; binding again reuses it without dispatching twice.
    CCountingStatic first;
    ASSERT_TRUE(first.SubclassWindow(hAction));
    g_pfnBelowForeign = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hAction, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
    first.UnsubclassWindow();
    EXPECT_EQ(SendMessageA(hAction, CCountingStatic::WM_PROBE, 0, 0), 0);
    EXPECT_EQ(GetWindowTextLengthA(hAction), 6);
    CCountingStatic second;
    ASSERT_TRUE(second.SubclassWindow(hAction));
    EXPECT_EQ(SendMessageA(hAction, CCountingStatic::WM_PROBE, 0, 0), 42);
    EXPECT_EQ(second.m_nProbes, 1);
    dlg.DestroyWindow();
    EXPECT_EQ(second.m_hWnd, nullptr);
}
