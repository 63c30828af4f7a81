// CRegManager of the stand-in: the holders against the registry store (layout in README.md).
#include "Defaults.h"
#include "Store.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace mirrend;

namespace {

const char GENERAL_SUB[] = "General";
const char GP_BUTTONS_SUB[] = "GPButtons";
const char APP_BUTTONS_SUB[] = "AppButtons";
const char PLAYERS_SUB[] = "Players";
constexpr int MAX_PLAYERS = 16;

std::string Sub(const char* pszSub, int nIndex)
{
    return std::string(pszSub) + "\\" + std::to_string(nIndex);
}

// The player ids of a media record, in order, as text "3,0,1".
std::vector<int> ParseIds(const CString& str)
{
    std::vector<int> ids;
    const char* p = str.GetString();
    while (*p) {
        char* pEnd = nullptr;
        long n = std::strtol(p, &pEnd, 10);
        if (pEnd == p) {
            ++p;   // not a number: skip the character
            continue;
        }
        if (n >= 0 && n < MAX_PLAYERS)
            ids.push_back(static_cast<int>(n));
        p = pEnd;
    }
    return ids;
}

}  // namespace

struct CRecordAccess {
    static std::vector<Field> Fields(CGeneralSettingManager& g)
    {
        return {
            {"PreventSupport", &g.m_nPreventSupport, nullptr},
            {"InstallParam", &g.m_nInstallParam, nullptr},
            {"ReceiveMail", &g.m_nReceiveMail, nullptr},
            {"Prevent", &g.m_nPrevent, nullptr},
            {"AppMode", &g.m_nAppMode, nullptr},
            {"ExtReceiver", &g.m_nExtReceiver, nullptr},
            {"BacklightOn", &g.m_nBacklightOn, nullptr},
            {"SubLcdMode", &g.m_nSubLcdMode, nullptr},
            {"OwnerString", nullptr, &g.m_strOwnerString},
            {"TvOutByParam", &g.m_nTvOutByParam, nullptr},
            {"AudioVideoRow", &g.m_nAudioVideoRow, nullptr},
        };
    }

    static std::vector<Field> Fields(CButtonInfo& b)
    {
        return {
            {"Kind", &b.m_nKind, nullptr},
            {"Name", nullptr, &b.m_strBtnName},
            {"AccessKey", nullptr, &b.m_strAccessKey},
            {"IconID", &b.m_nIconID, nullptr},
            {"StartupAppNo", &b.m_nStartupAppNo, nullptr},
            {"AppName", nullptr, &b.m_app.strName},
            {"AppTarget", nullptr, &b.m_app.strTarget},
            {"AppOption", nullptr, &b.m_app.strOption},
            {"AppWorkDir", nullptr, &b.m_app.strWorkDir},
            {"DefaultAppNo", &b.m_nDefaultAppNo, nullptr},
            {"DefaultAppName", nullptr, &b.m_defaultApp.strName},
            {"DefaultAppTarget", nullptr, &b.m_defaultApp.strTarget},
            {"DefaultAppOption", nullptr, &b.m_defaultApp.strOption},
            {"DefaultAppWorkDir", nullptr, &b.m_defaultApp.strWorkDir},
        };
    }

    static void SetGeneralDefaults(CGeneralSettingManager& g)
    {
        g = CGeneralSettingManager();
        g.m_nPreventSupport = DEFAULT_PREVENT_SUPPORT;
        g.m_nInstallParam = DEFAULT_INSTALL_PARAM;
        g.m_nPrevent = DEFAULT_PREVENT;
        g.m_nExtReceiver = DEFAULT_EXT_RECEIVER;
        g.m_nAudioVideoRow = DEFAULT_AUDIO_VIDEO_ROW;
        g.m_strVersion = DEFAULT_VERSION;
    }

    static void SetButtonDefaults(CButtonInfo& b, const ButtonDefault* pDef, int nIndex)
    {
        b = CButtonInfo();
        if (!pDef) {
            b.m_strBtnName = ("Button" + std::to_string(nIndex)).c_str();
            return;
        }
        b.m_nKind = pDef->nKind;
        b.m_strBtnName = pDef->pszName;
        b.m_strAccessKey = pDef->pszAccessKey;
        b.m_nIconID = pDef->nIconID;
        b.m_nStartupAppNo = b.m_nDefaultAppNo = pDef->nAppNo;
        b.m_app.strName = pDef->pszAppName;
        b.m_app.strTarget = pDef->pszAppTarget;
        b.m_app.strOption = pDef->pszAppOption;
        b.m_app.strWorkDir = pDef->pszAppWorkDir;
        b.m_defaultApp = b.m_app;
    }

    // Stored numbers the holders cannot mean fall back to the maker's.
    static void Sanitise(CButtonInfo& b, const CButtonInfo& def)
    {
        if (b.m_nKind < CButtonInfo::KIND_NONE || b.m_nKind >= CButtonInfo::KIND_COUNT)
            b.m_nKind = def.m_nKind;
        if (b.m_nDefaultAppNo < 1 || b.m_nDefaultAppNo == 99)
            b.m_nDefaultAppNo = def.m_nDefaultAppNo;
        if (b.m_nStartupAppNo < 1 || b.m_nStartupAppNo == 99)
            b.m_nStartupAppNo = b.m_nDefaultAppNo;
    }

    static BOOL ReadButtons(const char* pszSub, const ButtonDefault* pDefs, int nDefs,
                            CButtonInfoManager& m)
    {
        m = CButtonInfoManager();
        const Scope scope = ReadScope(pszSub);
        CRegKeyEx set;
        OpenResult result = OpenForRead(SettingsLocation(pszSub, scope), set.m_hKey);
        if (result != OpenResult::Opened) {
            // No record yet: the maker's buttons.
            for (int i = 0; i < nDefs && i < CButtonInfoManager::MAX_BUTTONS; ++i) {
                SetButtonDefaults(m.m_buttons[i], &pDefs[i], i);
                m.m_bPresent[i] = TRUE;
                ++m.m_nBtnCount;
            }
            return result == OpenResult::Missing;
        }
        BOOL bOk = TRUE;
        for (int i = 0; i < CButtonInfoManager::MAX_BUTTONS; ++i) {
            CRegKeyEx button;
            result = OpenForRead(SettingsLocation(Sub(pszSub, i).c_str(), scope), button.m_hKey);
            if (result == OpenResult::Failed)
                bOk = FALSE;
            if (result != OpenResult::Opened)
                continue;
            CButtonInfo def;
            SetButtonDefaults(def, i < nDefs ? &pDefs[i] : nullptr, i);
            CButtonInfo& b = m.m_buttons[i];
            b = def;
            std::vector<Field> fields = Fields(b);
            ReadFields(button, fields.data(), fields.size());
            Sanitise(b, def);
            m.m_bPresent[i] = TRUE;
            ++m.m_nBtnCount;
        }
        return bOk;
    }

    static BOOL WriteButtons(const char* pszSub, const CButtonInfoManager& m)
    {
        BOOL bOk = TRUE;
        for (int i = 0; i < CButtonInfoManager::MAX_BUTTONS; ++i) {
            if (!m.m_bPresent[i])
                continue;   // an absent index keeps whatever is stored there
            CButtonInfo b = m.m_buttons[i];
            std::vector<Field> fields = Fields(b);
            CRegKeyEx button;
            if (!OpenForWrite(SettingsLocation(Sub(pszSub, i).c_str()), button.m_hKey)
                || !WriteFields(button.m_hKey, fields.data(), fields.size()))
                bOk = FALSE;
        }
        return bOk;
    }

    static BOOL ReadGeneral(CGeneralSettingManager& g)
    {
        SetGeneralDefaults(g);
        // The version text is the maker's: the machine's record has it.
        CRegKeyEx machine;
        if (OpenForRead(SettingsLocation(GENERAL_SUB, Scope::Machine), machine.m_hKey) == OpenResult::Opened)
            ReadText(machine.m_hKey, "Version", g.m_strVersion);
        CRegKeyEx key;
        OpenResult result = OpenForRead(SettingsLocation(GENERAL_SUB, ReadScope(GENERAL_SUB)), key.m_hKey);
        if (result != OpenResult::Opened)
            return result == OpenResult::Missing;
        std::vector<Field> fields = Fields(g);
        ReadFields(key, fields.data(), fields.size());
        return TRUE;
    }

    static BOOL WriteGeneral(const CGeneralSettingManager& general)
    {
        // The version text is the maker's and is not written back.
        CGeneralSettingManager g = general;
        std::vector<Field> fields = Fields(g);
        CRegKeyEx key;
        return OpenForWrite(SettingsLocation(GENERAL_SUB), key.m_hKey)
            && WriteFields(key.m_hKey, fields.data(), fields.size());
    }

    static void AddPlayer(CPlayerManager& players, int nID, const CString& strName,
                          const CString& strCommand)
    {
        CPlayerInfo info;
        info.m_nPlayerID = nID;
        info.m_strPlayerName = strName;
        info.m_strCommand = strCommand;
        players.m_players.push_back(info);
    }

    static BOOL ReadPlayers(CPlayerManager& players)
    {
        players = CPlayerManager();
        const Scope scope = ReadScope(PLAYERS_SUB);
        CRegKeyEx set;
        OpenResult result = OpenForRead(SettingsLocation(PLAYERS_SUB, scope), set.m_hKey);
        if (result != OpenResult::Opened) {
            for (int i = 0; i < PLAYER_COUNT; ++i)
                AddPlayer(players, i, PLAYERS[i].pszName, PLAYERS[i].pszCommand);
            return result == OpenResult::Missing;
        }
        BOOL bOk = TRUE;
        for (int i = 0; i < MAX_PLAYERS; ++i) {
            CRegKeyEx player;
            result = OpenForRead(SettingsLocation(Sub(PLAYERS_SUB, i).c_str(), scope), player.m_hKey);
            if (result == OpenResult::Failed)
                bOk = FALSE;
            if (result != OpenResult::Opened)
                continue;
            CString strName, strCommand;
            // A player without a readable name cannot be offered.
            if (ReadText(player.m_hKey, "Name", strName) && !strName.IsEmpty()) {
                ReadText(player.m_hKey, "Command", strCommand);
                AddPlayer(players, i, strName, strCommand);
            }
        }
        return bOk;
    }

    static BOOL ReadMedia(const MediaDefault& def, CMediaManager& media,
                          const CPlayerManager& players)
    {
        media = CMediaManager();
        CString strIds = def.pszPlayers;
        int nCurrentID = def.nDefaultPlayer, nDefaultID = def.nDefaultPlayer;
        CRegKeyEx key;
        OpenResult result = OpenForRead(SettingsLocation(def.pszSub, ReadScope(def.pszSub)), key.m_hKey);
        if (result == OpenResult::Opened) {
            ReadText(key.m_hKey, "Players", strIds);
            key.QueryValue(nCurrentID, "CurrentPlayer");
            key.QueryValue(nDefaultID, "DefaultPlayer");
        }
        for (int nID : ParseIds(strIds)) {
            const CPlayerInfo* pInfo = players.FindPlayer(nID);
            if (!pInfo)
                continue;   // a player the list no longer knows
            CPlayer player;
            static_cast<CPlayerInfo&>(player) = *pInfo;
            if (nID == nCurrentID)
                media.m_nCurrent = media.GetPlayerCount();
            if (nID == nDefaultID)
                media.m_nDefault = media.GetPlayerCount();
            media.m_players.push_back(player);
        }
        return result != OpenResult::Failed;
    }

    static BOOL WriteMedia(const MediaDefault& def, const CMediaManager& media)
    {
        std::string strIds;
        for (const CPlayer& player : media.m_players)
            strIds += (strIds.empty() ? "" : ",") + std::to_string(player.GetPlayerID());
        const CPlayer* pCurrent = media.GetPlayerPtr(media.m_nCurrent);
        const CPlayer* pDefault = media.GetPlayerPtr(media.m_nDefault);
        CString strPlayers = strIds.c_str();
        int nCurrentID = pCurrent ? pCurrent->GetPlayerID() : -1;
        int nDefaultID = pDefault ? pDefault->GetPlayerID() : -1;
        const Field fields[] = {
            {"Players", nullptr, &strPlayers},
            {"CurrentPlayer", &nCurrentID, nullptr},
            {"DefaultPlayer", &nDefaultID, nullptr},
        };
        CRegKeyEx key;
        return OpenForWrite(SettingsLocation(def.pszSub), key.m_hKey)
            && WriteFields(key.m_hKey, fields, sizeof(fields) / sizeof(fields[0]));
    }
};

BOOL CRegManager::ReadSettingGeneralSettingManager(CGeneralSettingManager& general)
{
    return CRecordAccess::ReadGeneral(general);
}

BOOL CRegManager::WriteSettingGeneralSettingManager(const CGeneralSettingManager& general)
{
    return CRecordAccess::WriteGeneral(general);
}

BOOL CRegManager::ReadSettingGPButtonInfo(CButtonInfoManager& buttons)
{
    return CRecordAccess::ReadButtons(GP_BUTTONS_SUB, GP_BUTTONS, GP_BUTTON_COUNT, buttons);
}

BOOL CRegManager::WriteSettingGPButtonInfo(const CButtonInfoManager& buttons)
{
    return CRecordAccess::WriteButtons(GP_BUTTONS_SUB, buttons);
}

BOOL CRegManager::ReadSettingAppButtonInfo(CButtonInfoManager& buttons)
{
    return CRecordAccess::ReadButtons(APP_BUTTONS_SUB, APP_BUTTONS, APP_BUTTON_COUNT, buttons);
}

BOOL CRegManager::WriteSettingAppButtonInfo(const CButtonInfoManager& buttons)
{
    return CRecordAccess::WriteButtons(APP_BUTTONS_SUB, buttons);
}

BOOL CRegManager::ReadSettingPlayerInfoManager(CPlayerManager& players)
{
    return CRecordAccess::ReadPlayers(players);
}

BOOL CRegManager::ReadSettingCDMediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia(CD_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingCDMediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia(CD_MEDIA, media);
}

BOOL CRegManager::ReadSettingDVDMediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia(DVD_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingDVDMediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia(DVD_MEDIA, media);
}

BOOL CRegManager::ReadSettingMP3MediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia(MP3_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingMP3MediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia(MP3_MEDIA, media);
}
