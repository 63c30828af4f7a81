// Shared pieces of the applet's unit tests: stand-ins for the maker's button programs, test
// registry keys, and pages that record what the sheet does with them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "HelpRecorder.h"
#include "KelvoraTestSupport.h"
#include "PallumSheet.h"
#include "RegistryScratch.h"
#include "UiScript.h"

// Test resources (AppletTestSupport.rc).
#define IDS_TEST_TAB_FIRST   9001   // 9001 to 9005: the five tab titles
#define IDB_TEST_MAPPED      9100   // mapped.bmp, see tools/art/applet_tests.py

// A top-level window titled like one of the maker's button programs; logs every services
// message it receives into ServicesLog() (its title, once per message).
class CServicesCatcher {
public:
    explicit CServicesCatcher(const char* pszTitle);
    ~CServicesCatcher();
    CServicesCatcher(const CServicesCatcher&) = delete;
    CServicesCatcher& operator=(const CServicesCatcher&) = delete;

    HWND m_hWnd;
};
std::vector<std::string>& ServicesLog();

// Writes the page set's five values under root\key; flags[i] < 0: the value is removed.
void WritePageSet(HKEY hRoot, const char* pszKey, const int (&flags)[PAGE_COUNT]);

// The machine's page set (HKLM) for one test; the previous key is put back at the end.
class CPageSetOverride : public CRegistryScratch {
public:
    explicit CPageSetOverride(const int (&flags)[PAGE_COUNT]);
};

// What the test pages did, in order: "Init 3", "Save 0", "Delete 4", ...
std::vector<std::string>& PageLog();

// A page on the RC template with the tab title of its place in the sheet; records Init,
// SaveSettings and its destruction, and answers Init as told.
class CTestPage : public CPallumPage {
public:
    CTestPage(PallumPageId nPage, BOOL bInitResult);
    ~CTestPage() override;

    BOOL Init(CPallumSheet* pSheet, CGeneralSettingManager* pGeneral) override;
    BOOL SaveSettings() override;

    PallumPageId m_nPage;
    BOOL m_bInitResult;
};

// Caption of the sheets the tests build.
extern const char TEST_SHEET_CAPTION[];

// A sheet whose pages in nTestPages (bit per page id) are test pages and the others the
// product's. Init fails for the page nFailPage.
class CTestSheet : public CPallumSheet {
public:
    explicit CTestSheet(unsigned nTestPages, int nFailPage = -1);

    // Sets the page set from flags (< 0: value absent) through a test key, builds the pages.
    BOOL BuildFromFlags(const int (&flags)[PAGE_COUNT]);
    // Runs the sheet modally; once it shows, the steps run inside its loop (UiScript).
    INT_PTR Run(std::vector<UiScript::Step> steps);

protected:
    CPallumPage* CreatePage(PallumPageId nPage) override;

private:
    unsigned m_nTestPages;
    int m_nFailPage;
};

// Every applet test starts from the fake library's defaults and empty logs.
#include <gtest/gtest.h>
class AppletTest : public ::testing::Test {
protected:
    void SetUp() override;
};
