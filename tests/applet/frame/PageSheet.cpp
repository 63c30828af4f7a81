#include "PageSheet.h"

#include "KelvoraTestSupport.h"
#include "resource.h"
#include "UiScript.h"

namespace {

const char* const kPageValues[PAGE_COUNT] = {"GPBtn", "Media", "ModePanel", "AppMode", "Remocon"};

} // namespace

void PageSheetFixture::SetUp()
{
    FakeMirrend::Reset();
    m_registry.Keep(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY);
    for (int i = 0; i < PAGE_COUNT; ++i)
        SetRegDword(HKEY_LOCAL_MACHINE, PALLUM_PAGES_KEY, kPageValues[i], i == m_nPage ? 1 : 0);
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
        .Then([&] {
            bRan = true;
            body(sheet, *pPage);
            sheet.PressButton(PSBTN_CANCEL);
            PostMessageA(sheet.m_hWnd, WM_NULL, 0, 0);
            return true;
        });
    script.Start();
    EXPECT_NE(sheet.DoModal(), -1);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_TRUE(bRan);
    return bRan;
}

std::string PageSheetFixture::Text(const CWnd& page, int nId)
{
    return ItemText(page.m_hWnd, nId);
}

void PageSheetFixture::Click(const CWnd& page, int nId)
{
    SendMessageA(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(Item(page, nId)));
}

bool PageSheetFixture::ApplyEnabled(const CPallumSheet& sheet)
{
    return IsWindowEnabled(GetDlgItem(sheet.m_hWnd, IDC_SHEET_APPLY)) != FALSE;
}

std::vector<std::string> PageSheetFixture::Apply(CPallumSheet& sheet)
{
    return AnswerMessageBoxes([&] { sheet.PressButton(PSBTN_APPLYNOW); });
}
