#include "Defaults.h"

namespace mirrend {

// Five buttons of different kinds; the last one starts a program of the user's own.
const ButtonDefault GP_BUTTONS[] = {
    {CButtonInfo::KIND_INTERNET, "Internet", "I", 1, 1, "", "", "", ""},
    {CButtonInfo::KIND_MAIL, "Mail", "M", 2, 2, "", "", "", ""},
    {CButtonInfo::KIND_ZOOMIN, "Zoom", "Z", 103, 103, "", "", "", ""},
    {CButtonInfo::KIND_PRESEN, "Presentation", "P", 112, 112, "", "", "", ""},
    {CButtonInfo::KIND_CUSTOMAPP, "User", "U", 3, 3, "Notepad",
     "%SystemRoot%\\system32\\notepad.exe", "", "%USERPROFILE%"},
};
const int GP_BUTTON_COUNT = sizeof(GP_BUTTONS) / sizeof(GP_BUTTONS[0]);

// Application mode: Previous, Next, Play/Pause, Stop, none with a program of its own.
const ButtonDefault APP_BUTTONS[] = {
    {CButtonInfo::KIND_NONE, "Previous", "", 0, 3, "", "", "", ""},
    {CButtonInfo::KIND_NONE, "Next", "", 0, 3, "", "", "", ""},
    {CButtonInfo::KIND_NONE, "Play/Pause", "", 0, 3, "", "", "", ""},
    {CButtonInfo::KIND_NONE, "Stop", "", 0, 3, "", "", "", ""},
};
const int APP_BUTTON_COUNT = sizeof(APP_BUTTONS) / sizeof(APP_BUTTONS[0]);

const PlayerDefault PLAYERS[] = {
    {"Windows Media Player", "\"%ProgramFiles%\\Windows Media Player\\wmplayer.exe\" /play"},
    {"KELVORA Media Center", "\"%ProgramFiles%\\KELVORA\\Media Center\\kmcenter.exe\""},
    {"KELVORA DVD Player", "\"%ProgramFiles%\\KELVORA\\DVD Player\\kdvd.exe\" /auto"},
    {"KELVORA CD Player", "\"%ProgramFiles%\\KELVORA\\CD Player\\kcd.exe\""},
};
const int PLAYER_COUNT = sizeof(PLAYERS) / sizeof(PLAYERS[0]);

const MediaDefault CD_MEDIA = {"Media\\CD", "3,0,1", 3};
const MediaDefault DVD_MEDIA = {"Media\\DVD", "2,0,1", 2};
const MediaDefault MP3_MEDIA = {"Media\\MP3", "0,1", 0};

}  // namespace mirrend
