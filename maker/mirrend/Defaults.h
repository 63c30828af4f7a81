// The maker's defaults: what a machine reads before any setting was stored.
#pragma once

#include "Mirrend.h"

namespace mirrend {

struct ButtonDefault {
    int nKind;
    const char* pszName;
    const char* pszAccessKey;
    int nIconID;
    int nAppNo;
    const char* pszAppName;   // the custom program; empty strings for none
    const char* pszAppTarget;
    const char* pszAppOption;
    const char* pszAppWorkDir;
};

struct PlayerDefault {
    const char* pszName;
    const char* pszCommand;
};

struct MediaDefault {
    const char* pszSub;        // the record's key below Settings
    const char* pszPlayers;    // the offered player ids, comma separated
    int nDefaultPlayer;        // the maker's choice, a player id
};

extern const ButtonDefault GP_BUTTONS[];
extern const int GP_BUTTON_COUNT;
extern const ButtonDefault APP_BUTTONS[];
extern const int APP_BUTTON_COUNT;
extern const PlayerDefault PLAYERS[];
extern const int PLAYER_COUNT;
extern const MediaDefault CD_MEDIA, DVD_MEDIA, MP3_MEDIA;

// General record defaults.
constexpr int DEFAULT_PREVENT_SUPPORT = 1;
// Installed maker programs: KELVORA Assist (100), Helvane (101) and TV out.
constexpr int DEFAULT_INSTALL_PARAM = (1 << 0) | (1 << 1) | (1 << 21);
constexpr int DEFAULT_PREVENT = 1;
constexpr int DEFAULT_EXT_RECEIVER = 1;
constexpr int DEFAULT_AUDIO_VIDEO_ROW = 1;
constexpr const char* DEFAULT_VERSION = "Version 3.33";

// Maker values (DefaultSetting\Mirrend) when absent.
constexpr int DEFAULT_PLATFORM_KIND = 1;

}  // namespace mirrend
