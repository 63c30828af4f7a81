// Pallum.cpl installed for one end-to-end test as the maker's installer leaves it: the applet
// and Mirrend.dll side by side in a folder of their own, the maker's registry set-up
// (maker/defaults.reg) imported, the stand-in's records in an empty scratch key under
// HKEY_CURRENT_USER (MIRREND_ROOT) and Quorlat running. All of it goes again at the end, the
// scratch key back as it was.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"

class CInstalledApplet {
public:
    // strScratchKey: below HKEY_CURRENT_USER, e.g. "Software\\KelvoraE2E\\Media". A step
    // that fails is reported as a test failure and leaves Ready() false.
    explicit CInstalledApplet(const std::string& strScratchKey);
    ~CInstalledApplet();
    CInstalledApplet(const CInstalledApplet&) = delete;
    CInstalledApplet& operator=(const CInstalledApplet&) = delete;

    bool Ready() const { return m_bReady; }
    // control.exe with the installed applet; pszArgs follow the applet's path.
    std::unique_ptr<CProcess> StartControl(const char* pszArgs = "") const;
    // How many settings-changed messages Quorlat has received.
    LRESULT Told() const;
    // A number the stand-in stored below the scratch key (e.g. Settings\Media\CD), or
    // dwMissing when there is none.
    DWORD Stored(const std::string& strRecord, const char* pszValue, DWORD dwMissing = 0xFFFFFFFF) const;

private:
    std::string m_strKey, m_strDir;
    CRegistryScratch m_records;
    std::unique_ptr<CProcess> m_quorlat;
    UINT m_nQuery = 0;
    bool m_bReady = false;
};
