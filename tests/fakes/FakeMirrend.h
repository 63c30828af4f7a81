// A scriptable stand-in of the settings library for unit tests. It implements every
// declaration of Mirrend.h: holders behave as in the library (same holder code); the store,
// the machine values and the custom program dialog are scripted here, and every call of
// CRegManager and of the ordinals is recorded. Call Reset() at the start of each test.
#pragma once

#include "Mirrend.h"

#include <string>
#include <vector>

namespace FakeMirrend {

enum Record { GENERAL, GP_BUTTONS, APP_BUTTONS, PLAYERS, CD_MEDIA, DVD_MEDIA, MP3_MEDIA,
              RECORD_COUNT };

// One stored button at a library index.
struct Button {
    int nIndex = 0;
    int nKind = CButtonInfo::KIND_NONE;
    std::string strName, strAccessKey;
    int nIconID = 0;
    int nAppNo = 4;
    std::string strAppName, strAppTarget, strAppOption, strAppWorkDir;
    int nDefaultAppNo = 4;
    std::string strDefAppName, strDefAppTarget, strDefAppOption, strDefAppWorkDir;
};

// The stored general record, field for field.
struct General {
    int nPreventSupport = 0, nInstallParam = 0, nReceiveMail = 0, nPrevent = 0, nAppMode = 0,
        nExtReceiver = 0, nBacklightOn = 0, nSubLcdMode = 0;
    std::string strOwnerString;
    int nTvOutByParam = 0, nAudioVideoRow = 0;
    std::string strVersion;
};

struct Player {
    int nID = 0;
    std::string strName, strCommand;
};

// A stored media list: player ids (looked up in the player list when read), the current
// and the default entry as positions in the list (-1 none). A current position at or past
// the end of the ids reaches the holder as it is: a library whose current index lies
// beyond its own list.
struct Media {
    std::vector<int> playerIDs;
    int nCurrent = -1;
    int nDefault = -1;
};

// One recorded call.
struct Call {
    std::string strFunction;          // "ReadSettingGPButtonInfo", "ShowCustomAppDialog", ...
    Record record = RECORD_COUNT;     // the record of a CRegManager call
    int nResult = 0;                  // what the call returned
    std::vector<Button> buttons;      // a button write: the present buttons handed over
    General general;                  // a general write: the record handed over
    Media media;                      // a media write: the list handed over
    std::string dialogIn[4];          // ShowCustomAppDialog: texts found in the buffers
    int nDialogSize = 0;              //   and the size passed
    int nAppNo = 0, nInstallParam = 0;   // IsAppInstalled: its arguments
};

// Back to the start: the maker's default store (five buttons of different kinds with one
// custom program, four application-mode buttons, four players, the CD, DVD and MP3 lists,
// the general record), nothing failing, read-only 0, platform kind 1, locale kind 2, every
// program installed, the dialog cancelling with the texts untouched, no calls recorded.
void Reset();

// The store. Reads copy it into the holders; successful writes copy the holders into it.
std::vector<Button>& StoredButtons(Record record);   // GP_BUTTONS or APP_BUTTONS
General& StoredGeneral();
std::vector<Player>& StoredPlayers();
Media& StoredMedia(Record record);                   // CD_MEDIA, DVD_MEDIA or MP3_MEDIA

// A failing read returns FALSE and leaves the holder as it was; a failing write returns FALSE
// and leaves the store as it was (the call is still recorded with its data).
void FailRead(Record record, bool bFail = true);
void FailWrite(Record record, bool bFail = true);

void SetReadOnly(int nReadOnly);
void SetPlatformKind(int nKind);
void SetLocaleKind(int nKind);
void SetAppInstalled(int nAppNo, BOOL bInstalled);   // others stay installed

// The dialog's answer; with texts, a nonzero answer leaves them in the buffers (cut to the
// buffer size); without, the buffers stay as the caller filled them.
void ScriptDialog(int nAnswer);
void ScriptDialog(int nAnswer, const std::string& strName, const std::string& strTarget,
                  const std::string& strOption, const std::string& strWorkDir);

const std::vector<Call>& Calls();
int CountCalls(const std::string& strFunction);
const Call* LastCall(const std::string& strFunction);   // null: never called
void ClearCalls();

}  // namespace FakeMirrend
