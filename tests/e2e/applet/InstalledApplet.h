// Pallum.cpl as the maker's installer leaves it, for end-to-end tests: the applet and the
// Mirrend stand-in side by side in a scratch folder, the maker's registry set-up imported and
// Quorlat running. The stand-in's records live either in a scratch key of their own
// (MIRREND_ROOT) that starts empty, or where the product keeps them (HKCU over HKLM
// "Software\KELVORA", both put back afterwards). All of it goes again with the object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "KelvoraTestSupport.h"
#include "RegistryScratch.h"
#include "UiScript.h"

class CInstalledApplet {
public:
    // pszName names the scratch folder and the records' key HKCU\Software\KelvoraE2E\<pszName>;
    // null: the product's own keys, with no user records and no machine records at first.
    explicit CInstalledApplet(const char* pszName);
    ~CInstalledApplet();
    CInstalledApplet(const CInstalledApplet&) = delete;
    CInstalledApplet& operator=(const CInstalledApplet&) = delete;

    // False (after a test failure) when a part could not be set up.
    bool Ready() const { return m_bReady; }
    // control.exe on the installed applet; pszArgs follow the applet's path.
    CProcess* StartControl(const char* pszArgs = "") const;
    // The scratch folder (emptied and removed with the object).
    const std::string& Dir() const { return m_dir; }
    // How many services messages Quorlat has received; bReset also sets its count to 0.
    LRESULT QuorlatCount(bool bReset = false) const;
    // The key of a record (below HKEY_CURRENT_USER), e.g. "GPButtons\\0".
    std::string SettingsKey(const char* pszRecord) const;

private:
    void SetUp(const char* pszName);

    std::string m_root;   // below HKEY_CURRENT_USER
    std::string m_dir;
    CRegistryScratch m_kept;
    std::unique_ptr<CProcess> m_quorlat;
    UINT m_nQuery = 0;
    bool m_bReady = false;
};
