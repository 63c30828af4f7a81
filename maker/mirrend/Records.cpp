// The holders' own behaviour, the same in the library and in the unit tests' fake: getters,
// kind tests, choices in memory, the key holder and the command-line parser.
#include "Mirrend.h"

#include <cstring>

CString CGeneralSettingManager::GetVersion() const { return m_strVersion; }
CString CGeneralSettingManager::GetOwnerStringSetting() const { return m_strOwnerString; }

CString CButtonInfo::GetBtnName() const { return m_strBtnName; }
CString CButtonInfo::GetAccessKey() const { return m_strAccessKey; }
CString CButtonInfo::GetAppName() const { return m_app.strName; }
CString CButtonInfo::GetAppTarget() const { return m_app.strTarget; }
CString CButtonInfo::GetAppOption() const { return m_app.strOption; }
CString CButtonInfo::GetAppWorkDir() const { return m_app.strWorkDir; }
int CButtonInfo::GetIconID() const { return m_nIconID; }
int CButtonInfo::GetStartupAppNo() const { return m_nStartupAppNo; }

BOOL CButtonInfo::SetStartupAppNo(int nAppNo)
{
    // 99 is the list's "Select your program..." action, never a stored choice.
    if (nAppNo < 1 || nAppNo == 99)
        return FALSE;
    m_nStartupAppNo = nAppNo;
    return TRUE;
}

void CButtonInfo::SetStartupCustomizedApp(LPCSTR pszName, LPCSTR pszTarget, LPCSTR pszOption,
                                          LPCSTR pszWorkDir)
{
    m_app.strName = pszName;
    m_app.strTarget = pszTarget;
    m_app.strOption = pszOption;
    m_app.strWorkDir = pszWorkDir;
}

BOOL CButtonInfo::IsRegistCustomApp() const { return !m_app.strTarget.IsEmpty(); }
BOOL CButtonInfo::IsEnableButton() const { return m_nStartupAppNo != 4; }

void CButtonInfo::RestoreDefaultSetting()
{
    m_nStartupAppNo = m_nDefaultAppNo;
    m_app = m_defaultApp;
}

BOOL CButtonInfo::IsInternetButton() const { return m_nKind == KIND_INTERNET; }
BOOL CButtonInfo::IsMailButton() const { return m_nKind == KIND_MAIL; }
BOOL CButtonInfo::IsCDDVDButton() const { return m_nKind == KIND_CDDVD; }
BOOL CButtonInfo::IsCustomAppButton() const { return m_nKind == KIND_CUSTOMAPP; }
BOOL CButtonInfo::IsCustomApp2Button() const { return m_nKind == KIND_CUSTOMAPP2; }
BOOL CButtonInfo::IsPresenButton() const { return m_nKind == KIND_PRESEN; }
BOOL CButtonInfo::IsPresenDiffButton() const { return m_nKind == KIND_PRESEN_DIFF; }
BOOL CButtonInfo::IsPresenSI86Button() const { return m_nKind == KIND_PRESEN_SI86; }
BOOL CButtonInfo::IsPresenSI17Button() const { return m_nKind == KIND_PRESEN_SI17; }
BOOL CButtonInfo::IsPresenSI21Button() const { return m_nKind == KIND_PRESEN_SI21; }
BOOL CButtonInfo::IsPresenSI62Button() const { return m_nKind == KIND_PRESEN_SI62; }
BOOL CButtonInfo::IsTVOutButton() const { return m_nKind == KIND_TVOUT; }
BOOL CButtonInfo::IsHelvaneBtn() const { return m_nKind == KIND_HELVANE; }
BOOL CButtonInfo::IsAmbrelButton() const { return m_nKind == KIND_AMBREL; }
BOOL CButtonInfo::IsZoomInButton() const { return m_nKind == KIND_ZOOMIN; }
BOOL CButtonInfo::IsZoomOutButton() const { return m_nKind == KIND_ZOOMOUT; }
BOOL CButtonInfo::IsRecButton() const { return m_nKind == KIND_REC; }
BOOL CButtonInfo::IsBrightButton() const { return m_nKind == KIND_BRIGHT; }
BOOL CButtonInfo::IsBrightUpButton() const { return m_nKind == KIND_BRIGHTUP; }
BOOL CButtonInfo::IsBrightDownButton() const { return m_nKind == KIND_BRIGHTDOWN; }
BOOL CButtonInfo::IsMonitorButton() const { return m_nKind == KIND_MONITOR; }
BOOL CButtonInfo::IsOneNoteButton() const { return m_nKind == KIND_ONENOTE; }
BOOL CButtonInfo::IsDisplayButton() const { return m_nKind == KIND_DISPLAY; }
BOOL CButtonInfo::IsDolbyButton() const { return m_nKind == KIND_DOLBY; }
BOOL CButtonInfo::IsBacklightButton() const { return m_nKind == KIND_BACKLIGHT; }

CButtonInfo* CButtonInfoManager::GetBtnInfoPtr(int nIndex)
{
    if (nIndex < 0 || nIndex >= MAX_BUTTONS || !m_bPresent[nIndex])
        return nullptr;
    return &m_buttons[nIndex];
}

const CButtonInfo* CButtonInfoManager::GetBtnInfoPtr(int nIndex) const
{
    return const_cast<CButtonInfoManager*>(this)->GetBtnInfoPtr(nIndex);
}

void CButtonInfoManager::RestoreDefaultSetting()
{
    for (int i = 0; i < MAX_BUTTONS; ++i)
        if (m_bPresent[i])
            m_buttons[i].RestoreDefaultSetting();
}

CString CPlayerInfo::GetPlayerName() const { return m_strPlayerName; }
CString CPlayerInfo::GetPlayerCommand() const { return m_strCommand; }
int CPlayerInfo::GetPlayerID() const { return m_nPlayerID; }

int CPlayerManager::GetPlayerCount() const { return static_cast<int>(m_players.size()); }

const CPlayerInfo* CPlayerManager::GetPlayerInfoPtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPlayerCount())
        return nullptr;
    return &m_players[static_cast<size_t>(nIndex)];
}

const CPlayerInfo* CPlayerManager::FindPlayer(int nPlayerID) const
{
    for (const CPlayerInfo& player : m_players)
        if (player.GetPlayerID() == nPlayerID)
            return &player;
    return nullptr;
}

int CMediaManager::GetPlayerCount() const { return static_cast<int>(m_players.size()); }

CPlayer* CMediaManager::GetPlayerPtr(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetPlayerCount())
        return nullptr;
    return &m_players[static_cast<size_t>(nIndex)];
}

const CPlayer* CMediaManager::GetPlayerPtr(int nIndex) const
{
    return const_cast<CMediaManager*>(this)->GetPlayerPtr(nIndex);
}

int CMediaManager::GetCurrentPlayerIndex() const { return m_nCurrent; }

BOOL CMediaManager::SetCurrentPlayerIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetPlayerCount())
        return FALSE;
    m_nCurrent = nIndex;
    return TRUE;
}

void CMediaManager::RestoreDefault()
{
    m_nCurrent = (m_nDefault >= 0 && m_nDefault < GetPlayerCount()) ? m_nDefault : -1;
}

CRegKeyEx::~CRegKeyEx() { Close(); }

void CRegKeyEx::Close()
{
    if (m_hKey) {
        RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

LONG CRegKeyEx::QueryValue(DWORD& dwValue, LPCSTR pszValueName)
{
    if (!m_hKey)
        return ERROR_INVALID_HANDLE;
    DWORD dwType = 0, dwData = 0, cbData = sizeof(dwData);
    LONG lResult = RegQueryValueExA(m_hKey, pszValueName, nullptr, &dwType,
                                    reinterpret_cast<BYTE*>(&dwData), &cbData);
    if (lResult != ERROR_SUCCESS)
        return lResult;
    if (dwType != REG_DWORD || cbData != sizeof(dwData))
        return ERROR_INVALID_DATA;
    dwValue = dwData;
    return ERROR_SUCCESS;
}

LONG CRegKeyEx::QueryValue(int& nValue, LPCSTR pszValueName)
{
    DWORD dwValue = 0;
    LONG lResult = QueryValue(dwValue, pszValueName);
    if (lResult == ERROR_SUCCESS)
        nValue = static_cast<int>(dwValue);
    return lResult;
}

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

bool EndsWithExe(const char* pBegin, const char* pEnd)
{
    return pEnd - pBegin >= 4 && _strnicmp(pEnd - 4, ".exe", 4) == 0;
}

}  // namespace

CString ExtractProgramPath(LPCSTR pszCommandLine)
{
    if (!pszCommandLine)
        return CString();
    const char* p = pszCommandLine;
    while (IsBlank(*p))
        ++p;
    if (*p == '"') {
        const char* pClose = std::strchr(p + 1, '"');
        return pClose ? CString(p + 1, static_cast<int>(pClose - p - 1)) : CString(p + 1);
    }
    // Unquoted paths may hold blanks ("C:\Program Files\..."): an ".exe" that ends a word
    // marks the end of the program; without one the first word is the program.
    const char* pFirstBlank = nullptr;
    for (const char* q = p;; ++q) {
        if (*q == '\0' || IsBlank(*q)) {
            if (EndsWithExe(p, q))
                return CString(p, static_cast<int>(q - p));
            if (!pFirstBlank)
                pFirstBlank = q;
            if (*q == '\0')
                break;
        }
    }
    return CString(p, static_cast<int>(pFirstBlank - p));
}
