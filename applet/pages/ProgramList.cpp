// The program lists of the Buttons page: which entries a button offers, the default
// browser's and e-mail program's names, and what a pick does.
#include "ProgramList.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "GPButtonPage.h"
#include "PageUtil.h"
#include "Registry.h"

namespace {

// Program numbers, as the settings library stores a button's choice.
const int PROGRAM_BROWSER = 1;
const int PROGRAM_MAIL = 2;
const int PROGRAM_CUSTOM = 3;
const int PROGRAM_DISABLE = 4;
const int PROGRAM_TVOUT = 5;
const int PROGRAM_SELECT = 99;  // opens the custom program dialog; never stored
const int PROGRAM_MAKER_FIRST = 100;
const int PROGRAM_MAKER_LAST = 120;

// Why an entry is offered.
enum ProgramOffer {
    OFFER_ALWAYS,
    OFFER_CUSTOM_APP,          // a custom program is registered for the button
    OFFER_LISTED,              // the maker's DisplayList says so
    OFFER_LISTED_PLATFORM,     // listed, and the platform kind is 3
    OFFER_LISTED_INSTALLED,    // listed, and the library says it is installed
    OFFER_TV_OUT,              // the general record's TV out rule
};

struct ProgramEntry {
    int nProgram;
    UINT nTextId;  // 0: the text is built from the record or the system
    ProgramOffer offer;
};

// Every entry a list can hold, top to bottom.
const ProgramEntry kProgramEntries[] = {
    {PROGRAM_CUSTOM, 0, OFFER_CUSTOM_APP},
    {111, IDS_PROG_PRESEN_DIFFERENT, OFFER_LISTED_PLATFORM},
    {115, IDS_PROG_PRESEN_1600, OFFER_LISTED},
    {114, IDS_PROG_PRESEN_1280, OFFER_LISTED},
    {113, IDS_PROG_PRESEN_1024, OFFER_LISTED},
    {112, IDS_PROG_PRESEN_800, OFFER_LISTED},
    {PROGRAM_BROWSER, IDS_DEFAULT_BROWSER, OFFER_ALWAYS},
    {PROGRAM_MAIL, IDS_DEFAULT_MAIL, OFFER_ALWAYS},
    {PROGRAM_TVOUT, IDS_TV_OUT, OFFER_TV_OUT},
    {100, IDS_PROG_ASSIST, OFFER_LISTED_INSTALLED},
    {101, IDS_PROG_HELVANE, OFFER_LISTED_INSTALLED},
    {102, IDS_PROG_ZOOM_OUT, OFFER_LISTED},
    {103, IDS_PROG_ZOOM_IN, OFFER_LISTED},
    {104, IDS_PROG_REC, OFFER_LISTED},
    {105, IDS_PROG_BRIGHTNESS, OFFER_LISTED},
    {106, IDS_PROG_MONITOR_IN, OFFER_LISTED},
    {107, IDS_PROG_CDDVD, OFFER_LISTED},
    {108, IDS_PROG_ONENOTE, OFFER_LISTED_INSTALLED},
    {109, IDS_PROG_BRIGHTNESS_DOWN, OFFER_LISTED},
    {110, IDS_PROG_BRIGHTNESS_UP, OFFER_LISTED},
    {116, IDS_PROG_DISPLAY, OFFER_LISTED},
    {117, IDS_PROG_DOLBY, OFFER_LISTED},
    {118, IDS_PROG_BACKLIGHT, OFFER_LISTED},
    {119, IDS_PROG_ILLUMINATION, OFFER_LISTED},
    {120, IDS_PROG_MUTE, OFFER_LISTED},
    {PROGRAM_DISABLE, IDS_DISABLE_BUTTON, OFFER_ALWAYS},
    {PROGRAM_SELECT, IDS_SELECT_PROGRAM, OFFER_ALWAYS},
};

// A version string value, cut at its terminator or its reported length, whichever comes first,
// and never read past the end of the version block.
bool QueryVersionString(const std::vector<BYTE>& block, const char* pszQuery, CString& strOut)
{
    void* pValue = nullptr;
    UINT cchValue = 0;
    if (!VerQueryValueA(block.data(), pszQuery, &pValue, &cchValue) || pValue == nullptr)
        return false;
    const char* psz = static_cast<const char*>(pValue);
    const BYTE* pEnd = block.data() + block.size();
    size_t cchMax = cchValue;
    if (reinterpret_cast<const BYTE*>(psz) >= block.data() && reinterpret_cast<const BYTE*>(psz) < pEnd)
        cchMax = std::min<size_t>(cchMax, static_cast<size_t>(pEnd - reinterpret_cast<const BYTE*>(psz)));
    size_t cch = 0;
    while (cch < cchMax && psz[cch] != '\0')
        ++cch;
    strOut = CString(psz, static_cast<int>(cch));
    return true;
}

}  // namespace

BOOL IsInDisplayList(int nProgram)
{
    if (nProgram < PROGRAM_MAKER_FIRST || nProgram > PROGRAM_MAKER_LAST)
        return FALSE;
    CString strKey;
    strKey.Format("software\\Kelvora\\Kelvora Controls\\defaultSetting\\startupapp\\apps\\%03d", nProgram);
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, strKey, KEY_READ) != ERROR_SUCCESS)
        return FALSE;
    BYTE data[260];
    DWORD cbData = sizeof(data);
    if (RegQueryValueExA(key, "DisplayList", nullptr, nullptr, data, &cbData) != ERROR_SUCCESS)
        return FALSE;
    // Whatever its type: maker installers write the flag as a DWORD or as bytes 01 00 00 00.
    // An empty value has no first byte.
    return cbData >= 1 && data[0] == 1;
}


CString GetProgramNameFromVersion(const char* pszPath)
{
    if (pszPath == nullptr || *pszPath == '\0')
        return CString();
    DWORD dwHandle = 0;
    DWORD cbInfo = GetFileVersionInfoSizeA(pszPath, &dwHandle);
    if (cbInfo == 0)
        return CString();
    std::vector<BYTE> block(cbInfo);
    if (!GetFileVersionInfoA(pszPath, 0, cbInfo, block.data()))
        return CString();

    struct LangCodePage {
        WORD wLanguage;
        WORD wCodePage;
    };
    void* pTranslations = nullptr;
    UINT cbTranslations = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pTranslations, &cbTranslations) ||
        pTranslations == nullptr || cbTranslations < sizeof(LangCodePage))
        return CString();
    LangCodePage first;
    std::memcpy(&first, pTranslations, sizeof(first));

    CString strQuery;
    strQuery.Format("\\StringFileInfo\\%04x%04x\\CompanyName", first.wLanguage, first.wCodePage);
    CString strCompany;
    if (!QueryVersionString(block, strQuery, strCompany))
        return CString();

    const char* pszField = strCompany == "Microsoft Corporation" ? "FileDescription" : "ProductName";
    strQuery.Format("\\StringFileInfo\\%04x%04x\\%s", first.wLanguage, first.wCodePage, pszField);
    CString strName;
    if (!QueryVersionString(block, strQuery, strName))
        return CString();
    return strName;
}

// ---- The page's lists -----------------------------------------------------------------

struct CGPButtonPage::CListFacts {
    signed char nListed[PROGRAM_MAKER_LAST - PROGRAM_MAKER_FIRST + 1];  // -1 not read yet
    bool bBrowserRead = false;
    bool bMailRead = false;
    CString strBrowser;
    CString strMail;

    CListFacts() { std::fill(std::begin(nListed), std::end(nListed), -1); }
};

namespace {

template <typename Read>
const CString& ReadOnce(bool& bRead, CString& strValue, Read read)
{
    if (!bRead)
        strValue = read();
    bRead = true;
    return strValue;
}

}  // namespace

BOOL CGPButtonPage::IsListed(int nProgram) const
{
    if (m_pListFacts == nullptr || nProgram < PROGRAM_MAKER_FIRST || nProgram > PROGRAM_MAKER_LAST)
        return IsInDisplayList(nProgram);
    signed char& nListed = m_pListFacts->nListed[nProgram - PROGRAM_MAKER_FIRST];
    if (nListed < 0)
        nListed = IsInDisplayList(nProgram) ? 1 : 0;
    return nListed;
}

BOOL CGPButtonPage::IsProgramOffered(int nEntry, const CButtonInfo& button) const
{
    const ProgramEntry& entry = kProgramEntries[nEntry];
    const int nInstallParam = m_pGeneral != nullptr ? m_pGeneral->m_nInstallParam : 0;
    switch (entry.offer) {
    case OFFER_ALWAYS:
        return TRUE;
    case OFFER_CUSTOM_APP:
        return button.IsRegistCustomApp() ? TRUE : FALSE;
    case OFFER_LISTED:
        return IsListed(entry.nProgram);
    case OFFER_LISTED_PLATFORM:
        return IsListed(entry.nProgram) && GetPlatformKind() == 3;
    case OFFER_LISTED_INSTALLED:
        return IsListed(entry.nProgram) && CButtonInfo::IsAppInstalled(entry.nProgram, nInstallParam);
    case OFFER_TV_OUT:
        if (m_pGeneral != nullptr && m_pGeneral->m_nTvOutByParam != 0)
            return nInstallParam != 0;
        return CButtonInfo::IsAppInstalled(PROGRAM_TVOUT, nInstallParam) ? TRUE : FALSE;
    }
    return FALSE;
}

CString CGPButtonPage::GetProgramText(int nEntry, const CButtonInfo& button) const
{
    const ProgramEntry& entry = kProgramEntries[nEntry];
    CString strText;
    switch (entry.nProgram) {
    case PROGRAM_CUSTOM:
        return button.GetAppName();
    case PROGRAM_BROWSER:
        strText = m_pListFacts == nullptr ? GetDefaultBrowserName()
                  : ReadOnce(m_pListFacts->bBrowserRead, m_pListFacts->strBrowser,
                             [this] { return GetDefaultBrowserName(); });
        break;
    case PROGRAM_MAIL:
        strText = m_pListFacts == nullptr ? GetDefaultMailName()
                  : ReadOnce(m_pListFacts->bMailRead, m_pListFacts->strMail,
                             [this] { return GetDefaultMailName(); });
        break;
    default:
        break;
    }
    return strText + LoadResString(entry.nTextId);
}

void CGPButtonPage::FillProgramList(CComboBox& list, int nCaptionId, int nSlot)
{
    list.ResetContent();
    const CButtonInfo* pButton = m_buttons.GetAt(nSlot);
    if (pButton == nullptr)
        return;

    for (int nEntry = 0; nEntry < static_cast<int>(std::size(kProgramEntries)); ++nEntry) {
        if (!IsProgramOffered(nEntry, *pButton))
            continue;
        const int nIndex = list.AddString(GetProgramText(nEntry, *pButton));
        if (nIndex >= 0)
            list.SetItemData(nIndex, static_cast<DWORD_PTR>(kProgramEntries[nEntry].nProgram));
    }

    SetDlgItemState(m_hWnd, nCaptionId, pButton->IsEnableButton() ? TRUE : FALSE, ITEM_UNCHANGED);

    const int nStored = pButton->GetStartupAppNo();
    int nSelect = -1;
    int nSelectProgram = -1;
    for (int nIndex = 0; nIndex < list.GetCount(); ++nIndex) {
        const int nProgram = static_cast<int>(list.GetItemData(nIndex));
        if (nProgram == nStored) {
            nSelect = nIndex;
            break;
        }
        if (nProgram == PROGRAM_SELECT && nSelectProgram < 0)
            nSelectProgram = nIndex;
    }
    list.SetCurSel(nSelect >= 0 ? nSelect : nSelectProgram);
}

BOOL CGPButtonPage::FillAllProgramLists()
{
    CListFacts facts;
    m_pListFacts = &facts;
    for (int nSlot = 0; nSlot < SLOT_COUNT && nSlot < m_buttons.GetCount(); ++nSlot)
        FillProgramList(GetSlotList(nSlot), g_buttonSlots[nSlot].nCaption, nSlot);
    m_pListFacts = nullptr;
    return TRUE;
}

void CGPButtonPage::OnProgramSelected(CComboBox& list, int nCaptionId, int nSlot)
{
    const int nIndex = list.GetCurSel();
    if (nIndex < 0)
        return;
    const int nProgram = static_cast<int>(list.GetItemData(nIndex));
    CButtonInfo* pButton = m_buttons.GetAt(nSlot);
    if (pButton == nullptr)
        return;

    if (nProgram == PROGRAM_SELECT) {
        if (EditCustomApp(*pButton))
            pButton->SetStartupAppNo(PROGRAM_CUSTOM);
    } else {
        pButton->SetStartupAppNo(nProgram);
    }
    FillProgramList(list, nCaptionId, nSlot);
}

CString CGPButtonPage::GetDefaultBrowserName() const
{
    CString strPath;
    GetAssociatedProgram(strPath, "http");
    char szExpanded[260];
    const DWORD cchExpanded = ExpandEnvironmentStringsA(strPath, szExpanded, sizeof(szExpanded));
    // A path that does not fit is not cut into another path.
    if (cchExpanded == 0 || cchExpanded > sizeof(szExpanded))
        return CString();
    return GetProgramNameFromVersion(szExpanded);
}

CString CGPButtonPage::GetDefaultMailName() const
{
    // Without its string the key would be HKEY_LOCAL_MACHINE itself.
    const CString strKey = LoadResString(IDS_MAIL_CLIENTS_KEY);
    CRegKey key;
    CString strName;
    if (strKey.IsEmpty() || key.Open(HKEY_LOCAL_MACHINE, strKey, KEY_READ) != ERROR_SUCCESS ||
        key.QueryStringValue(nullptr, strName, 261) != ERROR_SUCCESS)
        return CString();
    return strName;
}
