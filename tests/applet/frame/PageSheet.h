// Runs a real "KELVORA Controls Properties" sheet holding only one page of the product, over
// the fake settings library, and calls a test body inside its modal loop, on the sheet's own
// thread, once the page is up; the sheet then closes with Cancel (tests/README.md has an
// example). Every test starts from the fake library's defaults; the page set and whatever
// the test keeps in m_registry are put back afterwards.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeMirrend.h"
#include "PallumSheet.h"
#include "RegistryScratch.h"
#include "UiScript.h"

class PageSheetFixture : public ::testing::Test {
protected:
    explicit PageSheetFixture(PallumPageId nPage) : m_nPage(nPage) {}
    void SetUp() override;

    // False (with a test failure) when the sheet could not run or the page is not in it.
    bool RunPage(const std::function<void(CPallumSheet&, CPallumPage&)>& body);

    // Inside the body.
    static HWND Item(const CWnd& page, int nId) { return GetDlgItem(page.m_hWnd, nId); }
    static std::string Text(const CWnd& page, int nId);
    static bool Visible(const CWnd& page, int nId) { return IsWindowVisible(Item(page, nId)) != FALSE; }
    static bool Enabled(const CWnd& page, int nId) { return IsWindowEnabled(Item(page, nId)) != FALSE; }
    static bool ApplyEnabled(const CPallumSheet& sheet);
    // Presses Apply; the message boxes it raises are answered with OK and come back as
    // "caption|text", in order.
    static std::vector<std::string> Apply(CPallumSheet& sheet);

    // Registry the test changes; the page set key is kept already.
    CRegistryScratch m_registry;

private:
    PallumPageId m_nPage;
};

// The fixture for the page class TPage, the class of row nPage of the page table.
template <class TPage, PallumPageId nPage>
class PageSheetTest : public PageSheetFixture {
protected:
    using Body = std::function<void(CPallumSheet&, TPage&)>;

    PageSheetTest() : PageSheetFixture(nPage) {}

    bool RunSheet(const Body& body)
    {
        bool bTyped = false;
        const bool bRan = RunPage([&](CPallumSheet& sheet, CPallumPage& page) {
            TPage* pPage = dynamic_cast<TPage*>(&page);
            bTyped = pPage != nullptr;
            if (bTyped)
                body(sheet, *pPage);
        });
        EXPECT_TRUE(!bRan || bTyped) << "the sheet's page is not of the class under test";
        return bRan && bTyped;
    }
};
