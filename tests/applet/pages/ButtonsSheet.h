// The Buttons page in the one-page sheet (PageSheet.h), with the library records and
// registry values its tests script, and its program lists read back.
#pragma once

#include "GPButtonPage.h"
#include "PageSheet.h"

class ButtonsSheetTest : public PageSheetTest<CGPButtonPage, PAGE_BUTTONS> {
protected:
    static const char* const kAppsKey;

    void SetUp() override;

    // Library indices of the stored buttons; each gets a distinct name and icon.
    static void StoreButtons(const std::vector<int>& indices);
    // The DisplayList value of every maker function (100 to 120).
    static void SetDisplayList(DWORD dwValue);
    static void SetDisplayList(int nProgram, DWORD dwValue);

    static std::vector<int> ListPrograms(CGPButtonPage& page, int nSlot);
    static std::vector<std::string> ListTexts(CGPButtonPage& page, int nSlot);
    static int SelectedProgram(CGPButtonPage& page, int nSlot);
    // Selects the entry of nProgram and sends CBN_SELENDOK as the list would.
    static void Pick(CGPButtonPage& page, int nSlot, int nProgram);
};
