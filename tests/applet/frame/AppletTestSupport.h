// Shared pieces of the applet's unit tests: stand-ins for the maker's button programs, test
// registry keys, and pages that record what the sheet does with them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "KelvoraTestSupport.h"
#include "ModalDriver.h"
#include "PallumSheet.h"

// Test resources (frame_test.rc).
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

// A key made for one test and removed with all below it at the end.
class CScopedRegKey {
public:
    CScopedRegKey(HKEY hRoot, const char* pszPath);
    ~CScopedRegKey();
    CScopedRegKey(const CScopedRegKey&) = delete;
    CScopedRegKey& operator=(const CScopedRegKey&) = delete;

    void SetDword(const char* pszName, DWORD dwValue);
    void SetValue(const char* pszName, DWORD dwType, const void* pData, DWORD cbData);
    void SetString(const char* pszName, const char* pszValue, DWORD dwType = REG_SZ);
    HKEY Key() const { return m_hKey; }

private:
    HKEY m_hRoot;
    std::string m_strPath;
    HKEY m_hKey;
};

// The machine's page set (HKLM) for one test; the previous key is put back at the end.
class CPageSetOverride {
public:
    // flags[i] < 0: value absent.
    explicit CPageSetOverride(const int (&flags)[PAGE_COUNT]);
    ~CPageSetOverride();
    CPageSetOverride(const CPageSetOverride&) = delete;
    CPageSetOverride& operator=(const CPageSetOverride&) = delete;

private:
    struct Saved {
        bool bPresent;
        DWORD dwType;
        std::vector<BYTE> data;
    };
    Saved m_saved[PAGE_COUNT];
    bool m_bKeyExisted;
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
    BOOL OnApply() override;

    PallumPageId m_nPage;
    BOOL m_bInitResult;
    CPallumSheet* m_pSheet;
    CGeneralSettingManager* m_pGeneral;
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
    // Runs the sheet modally and drive() on a helper thread once it shows (CModalDriver).
    INT_PTR Run(const std::function<void(CModalDriver&, HWND)>& drive);

protected:
    CPallumPage* CreatePage(PallumPageId nPage) override;

private:
    unsigned m_nTestPages;
    int m_nFailPage;
};


// Help requests seen through the framework's help seam while a CHelpRecorder lives.
struct HelpCall {
    HWND hItem;
    std::string strFile;
    UINT uCommand;
    std::vector<DWORD> table;   // the (id, context) pairs up to and including 0, 0
};
class CHelpRecorder {
public:
    CHelpRecorder();
    ~CHelpRecorder();
    CHelpRecorder(const CHelpRecorder&) = delete;
    CHelpRecorder& operator=(const CHelpRecorder&) = delete;

    static std::vector<HelpCall>& Calls();
};
// Sends WM_HELP to hWnd as the system does for control nID of hDlg; returns the result.
LRESULT SendHelp(HWND hWnd, HWND hDlg, int nID);

// Every applet test starts from the fake library's defaults and empty logs.
#include <gtest/gtest.h>
class AppletTest : public ::testing::Test {
protected:
    void SetUp() override;
};
