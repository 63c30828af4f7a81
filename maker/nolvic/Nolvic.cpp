// Nolvic.cpl: stand-in of the maker's schedule applet. One Control Panel applet whose
// double-click opens the "Schedule" dialog; the appointment is kept under
// HKCU\Software\KELVORA\KELVORA Controls\Schedule (ShowOnSubLcd, Time, Note).
#include <windows.h>
#include <cpl.h>

#include <cstring>
#include <string>

#include "resource.h"

namespace {

const char SCHEDULE_KEY[] = "Software\\KELVORA\\KELVORA Controls\\Schedule";
constexpr int MAX_NOTE = 64;
constexpr int TIME_LENGTH = 5;   // HH:MM

HINSTANCE g_hInstance = nullptr;

// The schedule key, closed when the holder goes.
struct ScheduleKey {
    HKEY h = nullptr;
    ~ScheduleKey()
    {
        if (h)
            RegCloseKey(h);
    }
};

std::string LoadText(UINT nID)
{
    char sz[256] = "";
    LoadStringA(g_hInstance, nID, sz, sizeof(sz));
    return sz;
}

// A bounded text value; wrong types and over-long texts read as empty.
std::string ReadText(HKEY hKey, const char* pszName, DWORD cchMax)
{
    char sz[256] = "";
    DWORD dwType = 0, cb = sizeof(sz);
    if (RegQueryValueExA(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(sz), &cb)
            != ERROR_SUCCESS || dwType != REG_SZ)
        return std::string();
    std::string str(sz, strnlen(sz, cb));
    return str.size() <= cchMax ? str : std::string();
}

bool IsTime(const std::string& str)
{
    if (str.size() != TIME_LENGTH || str[2] != ':')
        return false;
    for (int i : {0, 1, 3, 4})
        if (str[i] < '0' || str[i] > '9')
            return false;
    return std::stoi(str.substr(0, 2)) < 24 && std::stoi(str.substr(3, 2)) < 60;
}

void Load(HWND hDlg)
{
    SendDlgItemMessageA(hDlg, IDC_TIME, EM_LIMITTEXT, TIME_LENGTH, 0);
    SendDlgItemMessageA(hDlg, IDC_NOTE, EM_LIMITTEXT, MAX_NOTE, 0);
    ScheduleKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SCHEDULE_KEY, 0, KEY_READ, &key.h) != ERROR_SUCCESS)
        return;
    DWORD dwShow = 0, dwType = 0, cb = sizeof(dwShow);
    if (RegQueryValueExA(key.h, "ShowOnSubLcd", nullptr, &dwType, reinterpret_cast<BYTE*>(&dwShow),
                         &cb) == ERROR_SUCCESS && dwType == REG_DWORD && cb == sizeof(dwShow))
        CheckDlgButton(hDlg, IDC_SHOW_ON_LCD, dwShow ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(hDlg, IDC_TIME, ReadText(key.h, "Time", TIME_LENGTH).c_str());
    SetDlgItemTextA(hDlg, IDC_NOTE, ReadText(key.h, "Note", MAX_NOTE).c_str());
}

bool Save(HWND hDlg)
{
    char szTime[TIME_LENGTH + 2] = "", szNote[MAX_NOTE + 1] = "";
    GetDlgItemTextA(hDlg, IDC_TIME, szTime, sizeof(szTime));
    GetDlgItemTextA(hDlg, IDC_NOTE, szNote, sizeof(szNote));
    if (szTime[0] && !IsTime(szTime)) {
        MessageBoxA(hDlg, LoadText(IDS_BAD_TIME).c_str(), LoadText(IDS_NAME).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(hDlg, IDC_TIME));
        return false;
    }
    ScheduleKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SCHEDULE_KEY, 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key.h, nullptr) != ERROR_SUCCESS)
        return true;   // nothing to keep it in; the dialog still closes
    DWORD dwShow = IsDlgButtonChecked(hDlg, IDC_SHOW_ON_LCD) == BST_CHECKED;
    RegSetValueExA(key.h, "ShowOnSubLcd", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dwShow),
                   sizeof(dwShow));
    RegSetValueExA(key.h, "Time", 0, REG_SZ, reinterpret_cast<BYTE*>(szTime),
                   static_cast<DWORD>(std::strlen(szTime) + 1));
    RegSetValueExA(key.h, "Note", 0, REG_SZ, reinterpret_cast<BYTE*>(szNote),
                   static_cast<DWORD>(std::strlen(szNote) + 1));
    return true;
}

INT_PTR CALLBACK ScheduleProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        Load(hDlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && Save(hDlg))
            EndDialog(hDlg, IDOK);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        g_hInstance = hInstance;
    return TRUE;
}

extern "C" __declspec(dllexport) LONG CALLBACK CPlApplet(HWND hwndCPl, UINT uMsg,
                                                         LPARAM, LPARAM lParam2)
{
    switch (uMsg) {
    case CPL_INIT:
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        auto* pInfo = reinterpret_cast<CPLINFO*>(lParam2);
        pInfo->idIcon = CPL_DYNAMIC_RES;   // the icon comes with CPL_NEWINQUIRE
        pInfo->idName = IDS_NAME;
        pInfo->idInfo = IDS_INFO;
        return 0;
    }
    case CPL_NEWINQUIRE: {
        auto* pInfo = reinterpret_cast<NEWCPLINFOA*>(lParam2);
        std::memset(pInfo, 0, sizeof(*pInfo));
        pInfo->dwSize = sizeof(*pInfo);
        pInfo->hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        LoadStringA(g_hInstance, IDS_NAME, pInfo->szName, sizeof(pInfo->szName));
        LoadStringA(g_hInstance, IDS_INFO, pInfo->szInfo, sizeof(pInfo->szInfo));
        return 0;
    }
    case CPL_DBLCLK:
        DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_SCHEDULE), hwndCPl, ScheduleProc, 0);
        return 0;
    }
    return 0;
}
