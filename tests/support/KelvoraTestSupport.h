// Helpers that the tests of several folders need alike: built binaries started as their own
// processes, and windows of any process found by class and title.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The path of a built binary handed over by the build as KELVORA_<TARGET>, in Windows form
// (a Unix path gets Wine's Z: drive); empty when the variable is not set.
std::string BuildPath(const char* pszVariable);

// A started program; ended by force if it still runs when the object goes.
class CProcess {
public:
    // An empty directory starts the program in this process's current one.
    explicit CProcess(const std::string& commandLine, const std::string& directory = "");
    ~CProcess();
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;

    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD Id() const { return m_pi.dwProcessId; }
    // The exit code, or -1 if the program was not started or still runs after dwTimeoutMs.
    long Wait(DWORD dwTimeoutMs);

private:
    PROCESS_INFORMATION m_pi = {};
};

// Waits for a top-level window of this class and title (null: any) in any process, other
// than hExcept; with bVisible only a shown one counts. Null when none came in time.
HWND WaitForWindow(const char* pszClass, const char* pszTitle, DWORD dwTimeoutMs, bool bVisible = false,
                   HWND hExcept = nullptr);
// Top-level windows of this class and title (null: any), with bVisible only the shown ones.
int CountWindows(const char* pszClass, const char* pszTitle, bool bVisible = false);

// Text of a dialog item.
std::string ItemText(HWND hDlg, int nID);
// Texts of a property sheet's tabs, left to right (the sheet must be in this process).
std::vector<std::string> TabTitles(HWND hSheet);
