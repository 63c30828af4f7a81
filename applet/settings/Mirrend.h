// Mirrend: the maker's settings library, as Pallum calls it.
//
// Pattern: construct a holder, fill it with a static CRegManager read, change it in memory,
// write it back with the matching CRegManager write. Reads and writes return nonzero on
// success. The holders' layout is shared by every implementation of this header (the
// library itself and the unit tests' fake), so it lives here; add members, not data, and
// never reorder the public fields of CGeneralSettingManager.
//
// Linking: the library defines MIRREND_BUILD and exports; a client leaves MIRREND_API empty
// and resolves the plain declarations through the import library (or a static fake).
#pragma once

#include <windows.h>

#include <vector>

#include "CString.h"

#ifdef MIRREND_BUILD
#define MIRREND_API __declspec(dllexport)
#else
#define MIRREND_API
#endif

class CRegManager;
// The storage side of an implementation (the library, the fake) fills the holders through it.
struct CRecordAccess;

// The general settings record. Each page changes only its own fields and writes the whole.
class MIRREND_API CGeneralSettingManager {
public:
    CString GetVersion() const;              // the library's version text, e.g. "Version 3.33"
    CString GetOwnerStringSetting() const;   // the Sub LCD owner string

    int m_nPreventSupport = 0;   // nonzero: incorrect-operation prevention is offered
    int m_nInstallParam = 0;     // installed maker programs, see CButtonInfo::IsAppInstalled
    int m_nReceiveMail = 0;
    int m_nPrevent = 0;          // 1 on, 0 off
    int m_nAppMode = 0;          // nonzero: application mode is on
    int m_nExtReceiver = 0;      // 1: the external remote-control receiver is used
    int m_nBacklightOn = 0;
    int m_nSubLcdMode = 0;       // 0 clock 24-hour, 1 clock 12-hour, 2 owner string
    CString m_strOwnerString;
    int m_nTvOutByParam = 0;     // nonzero: TV out is offered exactly when m_nInstallParam != 0
    int m_nAudioVideoRow = 0;    // nonzero: the Media Apps page shows the Audio/Video row

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    CString m_strVersion;
};

// One programmable button: what it is (name, access key, icon, kind) and what it starts
// (a program number, and the custom program used by number 3).
class MIRREND_API CButtonInfo {
public:
    // What the button is made for; fixed by the maker, tested by the Is...Button queries.
    enum Kind {
        KIND_NONE = 0,
        KIND_INTERNET, KIND_MAIL, KIND_CDDVD, KIND_CUSTOMAPP, KIND_CUSTOMAPP2,
        KIND_PRESEN, KIND_PRESEN_DIFF, KIND_PRESEN_SI86, KIND_PRESEN_SI17, KIND_PRESEN_SI21,
        KIND_PRESEN_SI62, KIND_TVOUT, KIND_HELVANE, KIND_AMBREL, KIND_ZOOMIN, KIND_ZOOMOUT,
        KIND_REC, KIND_BRIGHT, KIND_BRIGHTUP, KIND_BRIGHTDOWN, KIND_MONITOR, KIND_ONENOTE,
        KIND_DISPLAY, KIND_DOLBY, KIND_BACKLIGHT,
        KIND_COUNT
    };

    CString GetBtnName() const;
    CString GetAccessKey() const;       // as stored: may be empty, longer, or padded
    CString GetAppName() const;         // the custom program's name
    CString GetAppTarget() const;       // its path
    CString GetAppOption() const;       // its command-line options
    CString GetAppWorkDir() const;      // its working folder
    int GetIconID() const;              // in the numbering of the program numbers
    int GetStartupAppNo() const;        // program number: 1 browser, 2 mail, 3 custom, 4 off, ...
    BOOL SetStartupAppNo(int nAppNo);   // FALSE (nothing stored) for 99 or a number below 1
    void SetStartupCustomizedApp(LPCSTR pszName, LPCSTR pszTarget, LPCSTR pszOption,
                                 LPCSTR pszWorkDir);
    BOOL IsRegistCustomApp() const;     // a custom program with a target is registered
    BOOL IsEnableButton() const;        // the button does something (program number not 4)
    void RestoreDefaultSetting();       // the maker's program number and custom program

    // Program nAppNo is installed on this machine, judged from the general record's
    // m_nInstallParam: bit (nAppNo - 100) for the maker's functions 100 to 120, bit 21 for
    // TV out (5); the browser, mail, custom and disable entries (1 to 4) are always there.
    static BOOL IsAppInstalled(int nAppNo, int nInstallParam);

    BOOL IsInternetButton() const;
    BOOL IsMailButton() const;
    BOOL IsCDDVDButton() const;
    BOOL IsCustomAppButton() const;
    BOOL IsCustomApp2Button() const;
    BOOL IsPresenButton() const;
    BOOL IsPresenDiffButton() const;
    BOOL IsPresenSI86Button() const;
    BOOL IsPresenSI17Button() const;
    BOOL IsPresenSI21Button() const;
    BOOL IsPresenSI62Button() const;
    BOOL IsTVOutButton() const;
    BOOL IsHelvaneBtn() const;
    BOOL IsAmbrelButton() const;
    BOOL IsZoomInButton() const;
    BOOL IsZoomOutButton() const;
    BOOL IsRecButton() const;
    BOOL IsBrightButton() const;
    BOOL IsBrightUpButton() const;
    BOOL IsBrightDownButton() const;
    BOOL IsMonitorButton() const;
    BOOL IsOneNoteButton() const;
    BOOL IsDisplayButton() const;
    BOOL IsDolbyButton() const;
    BOOL IsBacklightButton() const;

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    struct CustomApp {
        CString strName, strTarget, strOption, strWorkDir;
    };

    int m_nKind = KIND_NONE;
    CString m_strBtnName;
    CString m_strAccessKey;
    int m_nIconID = 0;
    int m_nStartupAppNo = 4;
    CustomApp m_app;
    int m_nDefaultAppNo = 4;
    CustomApp m_defaultApp;
};

// A collection of buttons at library indices 0 to MAX_BUTTONS - 1; indices may be empty.
class MIRREND_API CButtonInfoManager {
public:
    enum { MAX_BUTTONS = 8 };

    CButtonInfo* GetBtnInfoPtr(int nIndex);             // null: no button at that index
    const CButtonInfo* GetBtnInfoPtr(int nIndex) const;
    void RestoreDefaultSetting();                       // every present button

    int m_nBtnCount = 0;                                // number of present buttons

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    CButtonInfo m_buttons[MAX_BUTTONS];
    BOOL m_bPresent[MAX_BUTTONS] = {};
};

// A media player known to the library.
class MIRREND_API CPlayerInfo {
public:
    CString GetPlayerName() const;
    CString GetPlayerCommand() const;   // the command line the media buttons start
    int GetPlayerID() const;

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    int m_nPlayerID = -1;
    CString m_strPlayerName;
    CString m_strCommand;
};

// A player as offered in one media list.
class MIRREND_API CPlayer : public CPlayerInfo {
};

// Every player known to the library.
class MIRREND_API CPlayerManager {
public:
    int GetPlayerCount() const;
    const CPlayerInfo* GetPlayerInfoPtr(int nIndex) const;   // null outside the list
    const CPlayerInfo* FindPlayer(int nPlayerID) const;      // null: unknown id

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    std::vector<CPlayerInfo> m_players;
};

// The players offered for one media type (CD, DVD, MP3) and the chosen one.
class MIRREND_API CMediaManager {
public:
    int GetPlayerCount() const;
    CPlayer* GetPlayerPtr(int nIndex);                 // null outside the list
    const CPlayer* GetPlayerPtr(int nIndex) const;
    int GetCurrentPlayerIndex() const;                 // -1: none chosen
    BOOL SetCurrentPlayerIndex(int nIndex);            // FALSE (unchanged) outside the list
    void RestoreDefault();                             // the maker's choice for this type

private:
    friend class CRegManager;
    friend struct CRecordAccess;
    std::vector<CPlayer> m_players;
    int m_nCurrent = -1;
    int m_nDefault = -1;
};

// Static reads and writes of the holders. A missing record reads as the maker's defaults.
class MIRREND_API CRegManager {
public:
    static BOOL ReadSettingGeneralSettingManager(CGeneralSettingManager& general);
    static BOOL WriteSettingGeneralSettingManager(const CGeneralSettingManager& general);
    static BOOL ReadSettingGPButtonInfo(CButtonInfoManager& buttons);
    static BOOL WriteSettingGPButtonInfo(const CButtonInfoManager& buttons);
    static BOOL ReadSettingAppButtonInfo(CButtonInfoManager& buttons);
    static BOOL WriteSettingAppButtonInfo(const CButtonInfoManager& buttons);
    static BOOL ReadSettingPlayerInfoManager(CPlayerManager& players);
    // The media lists offer players of the player list; read that first.
    static BOOL ReadSettingCDMediaManager(CMediaManager& media, const CPlayerManager& players);
    static BOOL WriteSettingCDMediaManager(const CMediaManager& media);
    static BOOL ReadSettingDVDMediaManager(CMediaManager& media, const CPlayerManager& players);
    static BOOL WriteSettingDVDMediaManager(const CMediaManager& media);
    static BOOL ReadSettingMP3MediaManager(CMediaManager& media, const CPlayerManager& players);
    static BOOL WriteSettingMP3MediaManager(const CMediaManager& media);
};

// An open registry key, closed when the holder goes. The caller opens it into m_hKey.
class MIRREND_API CRegKeyEx {
public:
    CRegKeyEx() = default;
    ~CRegKeyEx();
    CRegKeyEx(const CRegKeyEx&) = delete;
    CRegKeyEx& operator=(const CRegKeyEx&) = delete;

    void Close();
    // Reads a 32-bit value. 0 on success; otherwise a Win32 error code, also for a value
    // that is not a 4-byte REG_DWORD, and the out number is left as it was.
    LONG QueryValue(DWORD& dwValue, LPCSTR pszValueName);
    LONG QueryValue(int& nValue, LPCSTR pszValueName);

    HKEY m_hKey = nullptr;
};

// The ordinal exports: 1, 2, 3, 5, 6.
extern "C" {
// The custom program dialog. The four buffers hold nSize bytes each (with the terminating
// zero) and the current texts; on confirmation they hold the edited texts, cut to fit.
// Nonzero when the user confirmed, 0 when cancelled.
MIRREND_API int ShowCustomAppDialog(char* pszName, char* pszTarget, char* pszOption,
                                    char* pszWorkDir, int nSize);
MIRREND_API int IsSettingReadOnly(void);                 // nonzero: pages may not change settings
MIRREND_API int GetPlatformKind(void);                   // 3: presentation with different image
MIRREND_API int GetLocaleKind(void);                     // 1 double-byte locale, 2 access key in name
}
// The program's path out of a command line, without the arguments: the quoted first part
// without its quotes; unquoted, the text up to the first ".exe" that ends at a blank or at the
// end (paths with blanks), else up to the first blank. Leading blanks are skipped; an empty
// or null line gives an empty path.
extern "C" MIRREND_API CString ExtractProgramPath(LPCSTR pszCommandLine);
