#include "FakeMirrend.h"

#include "Defaults.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace FakeMirrend {

namespace {

struct DialogScript {
    int nAnswer = 0;
    bool bEdit = false;
    std::string texts[4];
};

struct State {
    std::vector<Button> buttons[2];   // GP, App
    General general;
    std::vector<Player> players;
    Media media[3];                   // CD, DVD, MP3
    bool bFailRead[RECORD_COUNT] = {};
    bool bFailWrite[RECORD_COUNT] = {};
    int nReadOnly = 0, nPlatformKind = 1, nLocaleKind = 2;
    std::map<int, BOOL> installed;
    DialogScript dialog;
    std::vector<Call> calls;
};


std::vector<Button> DefaultButtons(const mirrend::ButtonDefault* pDefs, int nCount)
{
    std::vector<Button> buttons;
    for (int i = 0; i < nCount; ++i) {
        const mirrend::ButtonDefault& d = pDefs[i];
        Button b;
        b.nIndex = i;
        b.nKind = d.nKind;
        b.strName = d.pszName;
        b.strAccessKey = d.pszAccessKey;
        b.nIconID = d.nIconID;
        b.nAppNo = b.nDefaultAppNo = d.nAppNo;
        b.strAppName = b.strDefAppName = d.pszAppName;
        b.strAppTarget = b.strDefAppTarget = d.pszAppTarget;
        b.strAppOption = b.strDefAppOption = d.pszAppOption;
        b.strAppWorkDir = b.strDefAppWorkDir = d.pszAppWorkDir;
        buttons.push_back(b);
    }
    return buttons;
}

Media DefaultMedia(const mirrend::MediaDefault& def)
{
    Media media;
    for (const char* p = def.pszPlayers; *p; ++p)
        if (*p >= '0' && *p <= '9')
            media.playerIDs.push_back(*p - '0');
    for (size_t i = 0; i < media.playerIDs.size(); ++i)
        if (media.playerIDs[i] == def.nDefaultPlayer)
            media.nCurrent = media.nDefault = static_cast<int>(i);
    return media;
}

State DefaultState()
{
    State s;
    s.buttons[0] = DefaultButtons(mirrend::GP_BUTTONS, mirrend::GP_BUTTON_COUNT);
    s.buttons[1] = DefaultButtons(mirrend::APP_BUTTONS, mirrend::APP_BUTTON_COUNT);
    s.general.nPreventSupport = mirrend::DEFAULT_PREVENT_SUPPORT;
    s.general.nInstallParam = mirrend::DEFAULT_INSTALL_PARAM;
    s.general.nPrevent = mirrend::DEFAULT_PREVENT;
    s.general.nExtReceiver = mirrend::DEFAULT_EXT_RECEIVER;
    s.general.nAudioVideoRow = mirrend::DEFAULT_AUDIO_VIDEO_ROW;
    s.general.strVersion = mirrend::DEFAULT_VERSION;
    for (int i = 0; i < mirrend::PLAYER_COUNT; ++i)
        s.players.push_back({i, mirrend::PLAYERS[i].pszName, mirrend::PLAYERS[i].pszCommand});
    s.media[0] = DefaultMedia(mirrend::CD_MEDIA);
    s.media[1] = DefaultMedia(mirrend::DVD_MEDIA);
    s.media[2] = DefaultMedia(mirrend::MP3_MEDIA);
    return s;
}

State& S()
{
    static State state = DefaultState();
    return state;
}

int ButtonSet(Record record) { return record == APP_BUTTONS ? 1 : 0; }
int MediaSet(Record record) { return record == DVD_MEDIA ? 1 : record == MP3_MEDIA ? 2 : 0; }

Call& Record_(const char* pszFunction, Record record = RECORD_COUNT)
{
    Call call;
    call.strFunction = pszFunction;
    call.record = record;
    S().calls.push_back(call);
    return S().calls.back();
}

}  // namespace

void Reset() { S() = DefaultState(); }

std::vector<Button>& StoredButtons(Record record) { return S().buttons[ButtonSet(record)]; }
General& StoredGeneral() { return S().general; }
std::vector<Player>& StoredPlayers() { return S().players; }
Media& StoredMedia(Record record) { return S().media[MediaSet(record)]; }

void FailRead(Record record, bool bFail) { S().bFailRead[record] = bFail; }
void FailWrite(Record record, bool bFail) { S().bFailWrite[record] = bFail; }
void SetReadOnly(int nReadOnly) { S().nReadOnly = nReadOnly; }
void SetPlatformKind(int nKind) { S().nPlatformKind = nKind; }
void SetLocaleKind(int nKind) { S().nLocaleKind = nKind; }
void SetAppInstalled(int nAppNo, BOOL bInstalled) { S().installed[nAppNo] = bInstalled; }

void ScriptDialog(int nAnswer)
{
    S().dialog = DialogScript();
    S().dialog.nAnswer = nAnswer;
}

void ScriptDialog(int nAnswer, const std::string& strName, const std::string& strTarget,
                  const std::string& strOption, const std::string& strWorkDir)
{
    S().dialog = {nAnswer, true, {strName, strTarget, strOption, strWorkDir}};
}

const std::vector<Call>& Calls() { return S().calls; }

int CountCalls(const std::string& strFunction)
{
    return static_cast<int>(std::count_if(S().calls.begin(), S().calls.end(),
        [&](const Call& call) { return call.strFunction == strFunction; }));
}

const Call* LastCall(const std::string& strFunction)
{
    for (auto it = S().calls.rbegin(); it != S().calls.rend(); ++it)
        if (it->strFunction == strFunction)
            return &*it;
    return nullptr;
}

void ClearCalls() { S().calls.clear(); }

}  // namespace FakeMirrend

using namespace FakeMirrend;

// Copies between the store and the holders.
struct CRecordAccess {
    static void ToHolder(const Button& b, CButtonInfo& info)
    {
        info = CButtonInfo();
        info.m_nKind = b.nKind;
        info.m_strBtnName = b.strName.c_str();
        info.m_strAccessKey = b.strAccessKey.c_str();
        info.m_nIconID = b.nIconID;
        info.m_nStartupAppNo = b.nAppNo;
        info.m_app = {b.strAppName.c_str(), b.strAppTarget.c_str(), b.strAppOption.c_str(),
                      b.strAppWorkDir.c_str()};
        info.m_nDefaultAppNo = b.nDefaultAppNo;
        info.m_defaultApp = {b.strDefAppName.c_str(), b.strDefAppTarget.c_str(),
                             b.strDefAppOption.c_str(), b.strDefAppWorkDir.c_str()};
    }

    static Button FromHolder(int nIndex, const CButtonInfo& info)
    {
        Button b;
        b.nIndex = nIndex;
        b.nKind = info.m_nKind;
        b.strName = info.m_strBtnName.str();
        b.strAccessKey = info.m_strAccessKey.str();
        b.nIconID = info.m_nIconID;
        b.nAppNo = info.m_nStartupAppNo;
        b.strAppName = info.m_app.strName.str();
        b.strAppTarget = info.m_app.strTarget.str();
        b.strAppOption = info.m_app.strOption.str();
        b.strAppWorkDir = info.m_app.strWorkDir.str();
        b.nDefaultAppNo = info.m_nDefaultAppNo;
        b.strDefAppName = info.m_defaultApp.strName.str();
        b.strDefAppTarget = info.m_defaultApp.strTarget.str();
        b.strDefAppOption = info.m_defaultApp.strOption.str();
        b.strDefAppWorkDir = info.m_defaultApp.strWorkDir.str();
        return b;
    }

    static BOOL ReadButtons(const char* pszFunction, Record record, CButtonInfoManager& m)
    {
        Call& call = Record_(pszFunction, record);
        if (S().bFailRead[record])
            return call.nResult = FALSE;
        m = CButtonInfoManager();
        for (const Button& b : StoredButtons(record)) {
            if (b.nIndex < 0 || b.nIndex >= CButtonInfoManager::MAX_BUTTONS
                || m.m_bPresent[b.nIndex])
                continue;
            ToHolder(b, m.m_buttons[b.nIndex]);
            m.m_bPresent[b.nIndex] = TRUE;
            ++m.m_nBtnCount;
        }
        return call.nResult = TRUE;
    }

    static BOOL WriteButtons(const char* pszFunction, Record record, const CButtonInfoManager& m)
    {
        Call& call = Record_(pszFunction, record);
        for (int i = 0; i < CButtonInfoManager::MAX_BUTTONS; ++i)
            if (m.m_bPresent[i])
                call.buttons.push_back(FromHolder(i, m.m_buttons[i]));
        if (S().bFailWrite[record])
            return call.nResult = FALSE;
        // Present buttons replace their stored index; absent ones keep what is stored.
        std::vector<Button>& stored = StoredButtons(record);
        for (const Button& b : call.buttons) {
            auto it = std::find_if(stored.begin(), stored.end(),
                                   [&](const Button& s) { return s.nIndex == b.nIndex; });
            if (it != stored.end())
                *it = b;
            else
                stored.push_back(b);
        }
        return call.nResult = TRUE;
    }

    static BOOL ReadGeneral(CGeneralSettingManager& g)
    {
        Call& call = Record_("ReadSettingGeneralSettingManager", GENERAL);
        if (S().bFailRead[GENERAL])
            return call.nResult = FALSE;
        const General& s = StoredGeneral();
        g.m_nPreventSupport = s.nPreventSupport;
        g.m_nInstallParam = s.nInstallParam;
        g.m_nReceiveMail = s.nReceiveMail;
        g.m_nPrevent = s.nPrevent;
        g.m_nAppMode = s.nAppMode;
        g.m_nExtReceiver = s.nExtReceiver;
        g.m_nBacklightOn = s.nBacklightOn;
        g.m_nSubLcdMode = s.nSubLcdMode;
        g.m_strOwnerString = s.strOwnerString.c_str();
        g.m_nTvOutByParam = s.nTvOutByParam;
        g.m_nAudioVideoRow = s.nAudioVideoRow;
        g.m_strVersion = s.strVersion.c_str();
        return call.nResult = TRUE;
    }

    static BOOL WriteGeneral(const CGeneralSettingManager& g)
    {
        Call& call = Record_("WriteSettingGeneralSettingManager", GENERAL);
        General& w = call.general;
        w.nPreventSupport = g.m_nPreventSupport;
        w.nInstallParam = g.m_nInstallParam;
        w.nReceiveMail = g.m_nReceiveMail;
        w.nPrevent = g.m_nPrevent;
        w.nAppMode = g.m_nAppMode;
        w.nExtReceiver = g.m_nExtReceiver;
        w.nBacklightOn = g.m_nBacklightOn;
        w.nSubLcdMode = g.m_nSubLcdMode;
        w.strOwnerString = g.m_strOwnerString.str();
        w.nTvOutByParam = g.m_nTvOutByParam;
        w.nAudioVideoRow = g.m_nAudioVideoRow;
        w.strVersion = g.m_strVersion.str();
        if (S().bFailWrite[GENERAL])
            return call.nResult = FALSE;
        StoredGeneral() = w;
        return call.nResult = TRUE;
    }

    static BOOL ReadPlayers(CPlayerManager& m)
    {
        Call& call = Record_("ReadSettingPlayerInfoManager", PLAYERS);
        if (S().bFailRead[PLAYERS])
            return call.nResult = FALSE;
        m = CPlayerManager();
        for (const Player& p : StoredPlayers()) {
            CPlayerInfo info;
            info.m_nPlayerID = p.nID;
            info.m_strPlayerName = p.strName.c_str();
            info.m_strCommand = p.strCommand.c_str();
            m.m_players.push_back(info);
        }
        return call.nResult = TRUE;
    }

    static BOOL ReadMedia(const char* pszFunction, Record record, CMediaManager& m,
                          const CPlayerManager& players)
    {
        Call& call = Record_(pszFunction, record);
        if (S().bFailRead[record])
            return call.nResult = FALSE;
        m = CMediaManager();
        const Media& s = StoredMedia(record);
        for (size_t i = 0; i < s.playerIDs.size(); ++i) {
            const CPlayerInfo* pInfo = players.FindPlayer(s.playerIDs[i]);
            if (!pInfo)
                continue;
            if (static_cast<int>(i) == s.nCurrent)
                m.m_nCurrent = m.GetPlayerCount();
            if (static_cast<int>(i) == s.nDefault)
                m.m_nDefault = m.GetPlayerCount();
            CPlayer player;
            static_cast<CPlayerInfo&>(player) = *pInfo;
            m.m_players.push_back(player);
        }
        return call.nResult = TRUE;
    }

    static BOOL WriteMedia(const char* pszFunction, Record record, const CMediaManager& m)
    {
        Call& call = Record_(pszFunction, record);
        for (const CPlayer& player : m.m_players)
            call.media.playerIDs.push_back(player.GetPlayerID());
        call.media.nCurrent = m.m_nCurrent;
        call.media.nDefault = m.m_nDefault;
        if (S().bFailWrite[record])
            return call.nResult = FALSE;
        StoredMedia(record) = call.media;
        return call.nResult = TRUE;
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
    return CRecordAccess::ReadButtons("ReadSettingGPButtonInfo", GP_BUTTONS, buttons);
}

BOOL CRegManager::WriteSettingGPButtonInfo(const CButtonInfoManager& buttons)
{
    return CRecordAccess::WriteButtons("WriteSettingGPButtonInfo", GP_BUTTONS, buttons);
}

BOOL CRegManager::ReadSettingAppButtonInfo(CButtonInfoManager& buttons)
{
    return CRecordAccess::ReadButtons("ReadSettingAppButtonInfo", APP_BUTTONS, buttons);
}

BOOL CRegManager::WriteSettingAppButtonInfo(const CButtonInfoManager& buttons)
{
    return CRecordAccess::WriteButtons("WriteSettingAppButtonInfo", APP_BUTTONS, buttons);
}

BOOL CRegManager::ReadSettingPlayerInfoManager(CPlayerManager& players)
{
    return CRecordAccess::ReadPlayers(players);
}

BOOL CRegManager::ReadSettingCDMediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia("ReadSettingCDMediaManager", CD_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingCDMediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia("WriteSettingCDMediaManager", CD_MEDIA, media);
}

BOOL CRegManager::ReadSettingDVDMediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia("ReadSettingDVDMediaManager", DVD_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingDVDMediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia("WriteSettingDVDMediaManager", DVD_MEDIA, media);
}

BOOL CRegManager::ReadSettingMP3MediaManager(CMediaManager& media, const CPlayerManager& players)
{
    return CRecordAccess::ReadMedia("ReadSettingMP3MediaManager", MP3_MEDIA, media, players);
}

BOOL CRegManager::WriteSettingMP3MediaManager(const CMediaManager& media)
{
    return CRecordAccess::WriteMedia("WriteSettingMP3MediaManager", MP3_MEDIA, media);
}

BOOL CButtonInfo::IsAppInstalled(int nAppNo, int nInstallParam)
{
    Call& call = Record_("IsAppInstalled");
    call.nAppNo = nAppNo;
    call.nInstallParam = nInstallParam;
    auto it = S().installed.find(nAppNo);
    return call.nResult = (it == S().installed.end() ? TRUE : it->second);
}

int ShowCustomAppDialog(char* pszName, char* pszTarget, char* pszOption, char* pszWorkDir,
                        int nSize)
{
    Call& call = Record_("ShowCustomAppDialog");
    char* apsz[4] = {pszName, pszTarget, pszOption, pszWorkDir};
    call.nDialogSize = nSize;
    for (int i = 0; i < 4; ++i)
        if (apsz[i] && nSize > 0)
            call.dialogIn[i].assign(apsz[i], strnlen(apsz[i], static_cast<size_t>(nSize)));
    const auto& script = S().dialog;
    if (script.nAnswer && script.bEdit && nSize > 0) {
        for (int i = 0; i < 4; ++i) {
            if (!apsz[i])
                continue;
            size_t cch = std::min(script.texts[i].size(), static_cast<size_t>(nSize - 1));
            std::memcpy(apsz[i], script.texts[i].data(), cch);
            apsz[i][cch] = '\0';
        }
    }
    return call.nResult = script.nAnswer;
}

int IsSettingReadOnly(void) { return Record_("IsSettingReadOnly").nResult = S().nReadOnly; }
int GetPlatformKind(void) { return Record_("GetPlatformKind").nResult = S().nPlatformKind; }
int GetLocaleKind(void) { return Record_("GetLocaleKind").nResult = S().nLocaleKind; }
