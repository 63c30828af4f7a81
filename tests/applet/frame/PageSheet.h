// Runs a real "KELVORA Controls Properties" sheet holding only the Buttons page, over the
// fake settings library, and lets a test act inside its modal loop on the sheet's thread.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeMirrend.h"
#include "GPButtonPage.h"
#include "PallumSheet.h"
#include "RegistryRestore.h"

class ButtonsSheetTest : public ::testing::Test {
protected:
    using Body = std::function<void(CPallumSheet&, CGPButtonPage&)>;

    static const char* const kAppsKey;

    void SetUp() override;

    // Library indices of the stored buttons; each gets a distinct name and icon.
    static void StoreButtons(const std::vector<int>& indices);
    // The DisplayList value of every maker function (100 to 120).
    void SetDisplayList(DWORD dwValue);
    void SetDisplayList(int nProgram, DWORD dwValue);

    // Builds the sheet as the applet does, runs it, calls body once the Buttons page is up
    // and closes the sheet with Cancel. False (with a test failure) when it could not run.
    bool RunSheet(const Body& body);

    // Test actions inside the sheet.
    static std::vector<int> ListPrograms(CGPButtonPage& page, int nSlot);
    static std::vector<std::string> ListTexts(CGPButtonPage& page, int nSlot);
    static int SelectedProgram(CGPButtonPage& page, int nSlot);
    // Selects the entry of nProgram and sends CBN_SELENDOK as the list would.
    static void Pick(CGPButtonPage& page, int nSlot, int nProgram);
    static HWND Item(CGPButtonPage& page, int nId) { return GetDlgItem(page.m_hWnd, nId); }
    static bool Visible(CGPButtonPage& page, int nId) { return IsWindowVisible(Item(page, nId)) != FALSE; }
    static bool Enabled(CGPButtonPage& page, int nId) { return IsWindowEnabled(Item(page, nId)) != FALSE; }
    static std::string Text(CGPButtonPage& page, int nId);
    static bool ApplyEnabled(CPallumSheet& sheet);
    // Presses Apply; message boxes it raises are answered with OK and their texts collected.
    static std::vector<std::string> Apply(CPallumSheet& sheet);

    RegistryRestore m_restore;
};
