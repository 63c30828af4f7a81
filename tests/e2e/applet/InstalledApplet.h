// Pallum.cpl as the maker's installer leaves it, for one end-to-end test: the applet and the
// Mirrend stand-in side by side in a scratch folder, the maker's registry set-up imported,
// the stand-in's records in a scratch key of their own (MIRREND_ROOT) that starts empty, and
// Quorlat running. All of it goes again with the object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "KelvoraTestSupport.h"
#include "UiScript.h"

class CInstalledApplet {
public:
    // pszName names the scratch folder and the key HKCU\Software\KelvoraE2E\<pszName>.
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
    // How many services messages Quorlat has received.
    LRESULT QuorlatCount() const;
    // The stand-in's key of a record (below HKEY_CURRENT_USER), e.g. "GPButtons\\0".
    std::string SettingsKey(const char* pszRecord) const;

private:
    void SetUp();

    std::string m_root;   // below HKEY_CURRENT_USER
    std::string m_dir;
    std::unique_ptr<CProcess> m_quorlat;
    UINT m_nQuery = 0;
    bool m_bReady = false;
};
