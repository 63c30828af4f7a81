// The stand-in's registry store: where the records live and how a holder maps onto values.
#pragma once

#include "Mirrend.h"

#include <string>

namespace mirrend {

// The longest string value in characters; every text the library keeps fits the 261-byte
// buffers of the custom program dialog.
constexpr DWORD MAX_TEXT = 260;

// A registry location: a hive and a path below it.
struct Location {
    HKEY hHive = nullptr;   // null: the location could not be made out
    std::string strPath;
};

// The machine's base key, "HKLM\Software\KELVORA\KELVORA Controls", and the user's, the same
// path under HKCU. The environment variable MIRREND_ROOT ("HKCU\..." or "HKLM\...", as tests
// do) names one key that serves as both.
enum class Scope { User, Machine };
Location BaseLocation(Scope scope = Scope::Machine);
// Base + "\Settings\" + sub: the records. Writes go to the user's alone.
Location SettingsLocation(const char* pszSub, Scope scope = Scope::User);
// Base + "\DefaultSetting\Mirrend": the maker's values (read only).
Location MakerLocation();

enum class OpenResult { Opened, Missing, Failed };
// Where a record (a key below Settings, with its subkeys) is read from: the user's copy once
// it exists, else the machine's (an earlier version's or an administrator's), which, missing
// too, means the maker's defaults.
Scope ReadScope(const char* pszRecord);
OpenResult OpenForRead(const Location& loc, HKEY& hKey);
bool OpenForWrite(const Location& loc, HKEY& hKey);

// A named value of a holder: exactly one of pn and pstr is set.
struct Field {
    const char* pszName;
    int* pn;
    CString* pstr;
};

// Values of the wrong type or size, and texts longer than MAX_TEXT, count as unreadable:
// the field keeps what it held (the maker's default).
void ReadFields(CRegKeyEx& key, const Field* pFields, size_t nCount);
bool ReadText(HKEY hKey, const char* pszName, CString& str);
// Fails, writing nothing, when a text is longer than MAX_TEXT.
bool WriteFields(HKEY hKey, const Field* pFields, size_t nCount);

// The maker's value of a 32-bit setting, or nDefault when it is absent or unreadable.
int ReadMakerValue(const char* pszName, int nDefault);

}  // namespace mirrend
