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

namespace {

// One field of a stored record against the holder's: Copy(to, from) either way.
void Copy(int& to, int from) { to = from; }
void Copy(CString& to, const std::string& from) { to = from; }
void Copy(std::string& to, const CString& from) { to = from.str(); }

}  // namespace

// Copies between the store and the holders; one field list serves both directions.
struct CRecordAccess {
    template <class Store, class Holder, class F>
    static void Pair(Store& s, Holder& b, F f)   // Button with CButtonInfo
    {
        f(s.nKind, b.m_nKind);
        f(s.strName, b.m_strBtnName);
        f(s.strAccessKey, b.m_strAccessKey);
        f(s.nIconID, b.m_nIconID);
        f(s.nAppNo, b.m_nStartupAppNo);
        f(s.strAppName, b.m_app.strName);
        f(s.strAppTarget, b.m_app.strTarget);
        f(s.strAppOption, b.m_app.strOption);
        f(s.strAppWorkDir, b.m_app.strWorkDir);
        f(s.nDefaultAppNo, b.m_nDefaultAppNo);
        f(s.strDefAppName, b.m_defaultApp.strName);
        f(s.strDefAppTarget, b.m_defaultApp.strTarget);
        f(s.strDefAppOption, b.m_defaultApp.strOption);
        f(s.strDefAppWorkDir, b.m_defaultApp.strWorkDir);
    }

    template <class Store, class Holder, class F>
    static void PairGeneral(Store& s, Holder& g, F f)
    {
        f(s.nPreventSupport, g.m_nPreventSupport);
        f(s.nInstallParam, g.m_nInstallParam);
        f(s.nReceiveMail, g.m_nReceiveMail);
        f(s.nPrevent, g.m_nPrevent);
        f(s.nAppMode, g.m_nAppMode);
        f(s.nExtReceiver, g.m_nExtReceiver);
        f(s.nBacklightOn, g.m_nBacklightOn);
        f(s.nSubLcdMode, g.m_nSubLcdMode);
        f(s.strOwnerString, g.m_strOwnerString);
        f(s.nTvOutByParam, g.m_nTvOutByParam);
        f(s.nAudioVideoRow, g.m_nAudioVideoRow);
        f(s.strVersion, g.m_strVersion);
    }

    static void ToHolder(const Button& b, CButtonInfo& info)
    {
        info = CButtonInfo();
        Pair(b, info, [](const auto& from, auto& to) { Copy(to, from); });
    }

    static Button FromHolder(int nIndex, const CButtonInfo& info)
    {
        Button b;
        b.nIndex = nIndex;
        Pair(b, info, [](auto& to, const auto& from) { Copy(to, from); });
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
        PairGeneral(StoredGeneral(), g, [](const auto& from, auto& to) { Copy(to, from); });
        return call.nResult = TRUE;
    }

    static BOOL WriteGeneral(const CGeneralSettingManager& g)
    {
        Call& call = Record_("WriteSettingGeneralSettingManager", GENERAL);
        PairGeneral(call.general, g, [](auto& to, const auto& from) { Copy(to, from); });
        if (S().bFailWrite[GENERAL])
            return call.nResult = FALSE;
        StoredGeneral() = call.general;
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
        if (s.nCurrent >= static_cast<int>(s.playerIDs.size()))
            m.m_nCurrent = s.nCurrent;
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
