#include "ButtonsSheet.h"

#include <cstdio>

#include "KelvoraTestSupport.h"

const char* const ButtonsSheetTest::kAppsKey =
    "software\\Kelvora\\Kelvora Controls\\defaultSetting\\startupapp\\apps\\";

namespace {

// State of the timers that act inside the modal loops; one sheet runs at a time.
std::function<void()> g_pending;
HWND g_hSheet = nullptr;
std::vector<std::string> g_boxes;

void CALLBACK RunPending(HWND, UINT, UINT_PTR nId, DWORD)
{
    KillTimer(nullptr, nId);
    std::function<void()> pending;
    pending.swap(g_pending);
    if (pending)
        pending();
}

BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM)
{
    char szClass[32] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (hWnd == g_hSheet || std::string(szClass) != "#32770" || !IsWindowVisible(hWnd))
        return TRUE;
    char szCaption[128] = "";
    char szText[512] = "";
    GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
    g_boxes.push_back(std::string(szCaption) + "|" + szText);
    PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

}  // namespace

void ButtonsSheetTest::SetUp()
{
    FakeMirrend::Reset();
    const char* const pages[] = {"GPBtn", "Media", "ModePanel", "AppMode", "Remocon"};
    for (const char* pszValue : pages) {
        m_restore.Keep(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, pszValue);
        RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, pszValue,
                                  std::string(pszValue) == "GPBtn" ? 1 : 0);
    }
    for (int n = 100; n <= 120; ++n)
        m_restore.Keep(HKEY_LOCAL_MACHINE, kAppsKey + std::to_string(n), "DisplayList");
    SetDisplayList(1);
}

void ButtonsSheetTest::StoreButtons(const std::vector<int>& indices)
{
    std::vector<FakeMirrend::Button>& buttons = FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS);
    buttons.clear();
    for (int nIndex : indices) {
        FakeMirrend::Button button;
        button.nIndex = nIndex;
        button.nKind = CButtonInfo::KIND_ZOOMIN;
        button.strName = "Key" + std::to_string(nIndex);
        button.strAccessKey = "";
        button.nIconID = 100 + nIndex;
        button.nAppNo = 4;
        button.nDefaultAppNo = 1;
        buttons.push_back(button);
    }
}

void ButtonsSheetTest::SetDisplayList(DWORD dwValue)
{
    for (int n = 100; n <= 120; ++n)
        SetDisplayList(n, dwValue);
}

void ButtonsSheetTest::SetDisplayList(int nProgram, DWORD dwValue)
{
    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, kAppsKey + std::to_string(nProgram), "DisplayList", dwValue);
}

bool ButtonsSheetTest::RunSheet(const Body& body)
{
    CPallumSheet sheet("KELVORA Controls Properties", nullptr, 0);
    if (!sheet.PreparePages()) {
        ADD_FAILURE() << "the sheet's pages could not be prepared";
        return false;
    }
    CGPButtonPage* pPage = dynamic_cast<CGPButtonPage*>(sheet.GetPallumPage(PAGE_BUTTONS));
    if (pPage == nullptr) {
        ADD_FAILURE() << "no Buttons page";
        return false;
    }
    bool bRan = false;
    g_pending = [&] {
        g_hSheet = sheet.m_hWnd;
        bRan = true;
        body(sheet, *pPage);
        sheet.PressButton(PSBTN_CANCEL);
        PostMessageA(sheet.m_hWnd, WM_NULL, 0, 0);
    };
    SetTimer(nullptr, 0, 1, RunPending);
    const INT_PTR nResult = sheet.DoModal();
    g_hSheet = nullptr;
    g_pending = nullptr;
    EXPECT_NE(nResult, -1);
    EXPECT_TRUE(bRan);
    return bRan;
}

std::vector<int> ButtonsSheetTest::ListPrograms(CGPButtonPage& page, int nSlot)
{
    CComboBox& list = page.GetSlotList(nSlot);
    std::vector<int> programs;
    for (int i = 0; i < list.GetCount(); ++i)
        programs.push_back(static_cast<int>(list.GetItemData(i)));
    return programs;
}

std::vector<std::string> ButtonsSheetTest::ListTexts(CGPButtonPage& page, int nSlot)
{
    CComboBox& list = page.GetSlotList(nSlot);
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetLBText(i).str());
    return texts;
}

int ButtonsSheetTest::SelectedProgram(CGPButtonPage& page, int nSlot)
{
    CComboBox& list = page.GetSlotList(nSlot);
    const int nIndex = list.GetCurSel();
    return nIndex < 0 ? -1 : static_cast<int>(list.GetItemData(nIndex));
}

void ButtonsSheetTest::Pick(CGPButtonPage& page, int nSlot, int nProgram)
{
    CComboBox& list = page.GetSlotList(nSlot);
    int nIndex = -1;
    for (int i = 0; i < list.GetCount(); ++i) {
        if (static_cast<int>(list.GetItemData(i)) == nProgram)
            nIndex = i;
    }
    ASSERT_GE(nIndex, 0) << "program " << nProgram << " is not offered in slot " << nSlot;
    list.SetCurSel(nIndex);
    SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(g_buttonSlots[nSlot].nList, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list.m_hWnd));
}

std::string ButtonsSheetTest::Text(CGPButtonPage& page, int nId)
{
    return ItemText(page.m_hWnd, nId);
}

bool ButtonsSheetTest::ApplyEnabled(CPallumSheet& sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet.m_hWnd, IDC_SHEET_APPLY)) != FALSE;
}

std::vector<std::string> ButtonsSheetTest::Apply(CPallumSheet& sheet)
{
    g_boxes.clear();
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 20, AnswerBoxes);
    sheet.PressButton(PSBTN_APPLYNOW);
    KillTimer(nullptr, nTimer);
    return g_boxes;
}
