#include "ButtonsSheet.h"

const char* const ButtonsSheetTest::kAppsKey =
    "software\\Kelvora\\Kelvora Controls\\defaultSetting\\startupapp\\apps\\";

void ButtonsSheetTest::SetUp()
{
    PageSheetTest::SetUp();
    m_registry.Keep(HKEY_LOCAL_MACHINE, std::string(kAppsKey, strlen(kAppsKey) - 1));
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
    SetRegDword(HKEY_LOCAL_MACHINE, kAppsKey + std::to_string(nProgram), "DisplayList", dwValue);
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
