#include "PageSheet.h"

#include "AppletTestSupport.h"
#include "KelvoraTestSupport.h"
#include "UiScript.h"
#include "resource.h"

void PageSheetFixture::SetUp()
{
    FakeMirrend::Reset();
    m_registry.Keep(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY);
    int flags[PAGE_COUNT] = {};
    flags[m_nPage] = 1;
    WritePageSet(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, flags);
}

bool PageSheetFixture::RunPage(const std::function<void(CPallumSheet&, CPallumPage&)>& body)
{
    CPallumSheet sheet("KELVORA Controls Properties", nullptr, 0);
    if (!sheet.PreparePages()) {
        ADD_FAILURE() << "the sheet's pages could not be prepared";
        return false;
    }
    CPallumPage* pPage = sheet.GetPallumPage(m_nPage);
    if (pPage == nullptr) {
        ADD_FAILURE() << "page " << m_nPage << " is not in the sheet (is its class built?)";
        return false;
    }
    bool bRan = false;
    UiScript script(30000);
    script.Then([&] { return sheet.m_hWnd && pPage->m_hWnd && IsWindowVisible(sheet.m_hWnd); })
        .Then(Do([&] {
            bRan = true;
            body(sheet, *pPage);
            PressSheetButton(sheet.m_hWnd, PSBTN_CANCEL);
        }));
    script.Start();
    EXPECT_NE(sheet.DoModal(), -1);
    PumpMessages();   // what the body posted to this thread's other windows
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(bRan);
    return bRan;
}

std::string PageSheetFixture::Text(const CWnd& page, int nId)
{
    return ItemText(page.m_hWnd, nId);
}

bool PageSheetFixture::ApplyEnabled(const CPallumSheet& sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet.m_hWnd, IDC_SHEET_APPLY)) != FALSE;
}

std::vector<std::string> PageSheetFixture::Apply(CPallumSheet& sheet)
{
    return AnswerMessageBoxes([&] { sheet.PressButton(PSBTN_APPLYNOW); });
}
