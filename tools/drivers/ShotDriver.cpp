// shot_driver: opens each window that tools/shots pictures, inside the Wine prefix, and has
// tools/shots take the picture while the window is up. For every picture it prints
//
//   shot NAME LEFT TOP WIDTH HEIGHT        the window's rectangle on the virtual desktop
//
// and waits for one line on its standard input (the picture is taken). Lines "skip NAME WHY"
// name pictures whose window does not exist in this build; "fail NAME WHY" ones that went
// wrong. Exit code: the number of failures.
//
//   shot_driver sheet QUORLAT             the sheet's pages, the About box, the custom program
//                                         dialog, the Sub LCD length prompt, the Schedule dialog
//                                         (control.exe Pallum.cpl beside the button program)
//   shot_driver orvex NAME COMMAND DIR    Orvex's display after a volume-up key through the
//                                         shell hook, COMMAND started in DIR
//   shot_driver hushwell PROGRAM          Hushwell's indicator: the first start (mute icon),
//                                         then a second start handing over (sound icon)
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "KelvoraTestSupport.h"

namespace {

const char kSheetTitle[] = "KELVORA Controls Properties";
const DWORD kWaitMs = 30000;
const UINT kIdmAboutBox = 0x0011;
const int kButton0List = 4134;
const LRESULT kSelectProgram = 99;   // the list's "Select your program..." item
const int kOwnerStringRadio = 2008;
const int kOwnerStringEdit = 4062;
const int kScheduleButton = 1045;

int g_nFailures = 0;

void Fail(const std::string& name, const std::string& why)
{
    std::printf("fail %s %s\n", name.c_str(), why.c_str());
    std::fflush(stdout);
    ++g_nFailures;
}

void Skip(const std::string& name, const std::string& why)
{
    std::printf("skip %s %s\n", name.c_str(), why.c_str());
    std::fflush(stdout);
}

// Windows draw into surfaces that reach the screen a moment later.
void Settle(HWND hWnd)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
}

// Hands the window's rectangle to tools/shots and waits until the picture is taken.
void Shoot(const std::string& name, HWND hWnd)
{
    RECT rc;
    if (!IsWindowVisible(hWnd) || !GetWindowRect(hWnd, &rc)) {
        Fail(name, "window gone before the picture");
        return;
    }
    std::printf("shot %s %ld %ld %ld %ld\n", name.c_str(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    std::fflush(stdout);
    char szLine[64];
    if (!std::fgets(szLine, sizeof(szLine), stdin))
        Fail(name, "no answer from tools/shots");
}

struct OwnedSearch {
    HWND hOwner;    // null: any owner
    DWORD dwPid;    // 0: any process
    HWND hExcept;
    HWND hFound;
};

BOOL CALLBACK MatchOwned(HWND hWnd, LPARAM lParam)
{
    OwnedSearch* pSearch = reinterpret_cast<OwnedSearch*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (hWnd == pSearch->hExcept || !IsWindowVisible(hWnd) || (pSearch->dwPid && dwPid != pSearch->dwPid) ||
        (pSearch->hOwner && GetWindow(hWnd, GW_OWNER) != pSearch->hOwner))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// A visible top-level window owned by hOwner and/or of process dwPid, other than hExcept.
HWND WaitForOwned(HWND hOwner, DWORD dwPid, HWND hExcept, DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    do {
        OwnedSearch search = {hOwner, dwPid, hExcept, nullptr};
        EnumWindows(MatchOwned, reinterpret_cast<LPARAM>(&search));
        if (search.hFound)
            return search.hFound;
        Sleep(20);
    } while (GetTickCount() - dwStart < dwTimeoutMs);
    return nullptr;
}

bool WaitGone(HWND hWnd, DWORD dwTimeoutMs)
{
    const DWORD dwStart = GetTickCount();
    while (IsWindow(hWnd) && IsWindowVisible(hWnd)) {
        if (GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

// Closes a dialog or message box as Cancel/OK would; the WM_NULL wakes a modal loop that
// may otherwise wait for its next message.
void Dismiss(HWND hWnd, int nButton)
{
    PostMessageA(hWnd, WM_COMMAND, nButton, 0);
    PostMessageA(hWnd, WM_NULL, 0, 0);
    if (!WaitGone(hWnd, 5000)) {
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        WaitGone(hWnd, 5000);
    }
}

// The sheet's tab titles, read through a buffer in the sheet's process (tab items carry a
// pointer, which the system does not carry across processes).
std::vector<std::string> RemoteTabTitles(HWND hSheet)
{
    std::vector<std::string> titles;
    HWND hTab = reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETTABCONTROL, 0, 0));
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hSheet, &dwPid);
    HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
    if (!hTab || !hProcess)
        return titles;
    const SIZE_T cbText = 128;
    char* pRemote = static_cast<char*>(
        VirtualAllocEx(hProcess, nullptr, sizeof(TCITEMA) + cbText, MEM_COMMIT, PAGE_READWRITE));
    const int nCount = pRemote ? static_cast<int>(SendMessageA(hTab, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < nCount; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = pRemote + sizeof(TCITEMA);
        item.cchTextMax = cbText;
        char szText[cbText] = "";
        if (!WriteProcessMemory(hProcess, pRemote, &item, sizeof(item), nullptr) ||
            !SendMessageA(hTab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(pRemote)) ||
            !ReadProcessMemory(hProcess, item.pszText, szText, cbText - 1, nullptr))
            szText[0] = '\0';
        titles.push_back(szText);
    }
    if (pRemote)
        VirtualFreeEx(hProcess, pRemote, 0, MEM_RELEASE);
    CloseHandle(hProcess);
    return titles;
}

// "Application mode" -> "application-mode"
std::string Slug(const std::string& title)
{
    std::string slug;
    for (char ch : title) {
        if (std::isalnum(static_cast<unsigned char>(ch)))
            slug += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    return slug;
}

HWND ShowPage(HWND hSheet, int nPage)
{
    SendMessageA(hSheet, PSM_SETCURSEL, nPage, 0);
    return reinterpret_cast<HWND>(SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int IndexOf(const std::vector<std::string>& titles, const char* pszTitle)
{
    for (size_t i = 0; i < titles.size(); ++i) {
        if (titles[i] == pszTitle)
            return static_cast<int>(i);
    }
    return -1;
}

// The dialog titled pszTitle that the last step opens: its picture, then closed with nButton.
void ShootDialog(const std::string& name, const char* pszTitle, int nButton)
{
    HWND hDialog = WaitForWindow(nullptr, pszTitle, kWaitMs, true);
    if (!hDialog)
        return Fail(name, std::string("\"") + pszTitle + "\" did not open");
    Settle(hDialog);
    Shoot(name, hDialog);
    Dismiss(hDialog, nButton);
}

void ShootAbout(HWND hSheet)
{
    PostMessageA(hSheet, WM_SYSCOMMAND, kIdmAboutBox, 0);
    ShootDialog("about", "About KELVORA Controls", IDOK);
}

// "Select your program..." in the first button's list opens the settings library's dialog.
void ShootCustomProgram(HWND hSheet, const std::vector<std::string>& titles)
{
    const int nPage = IndexOf(titles, "Buttons");
    if (nPage < 0)
        return Skip("custom-program", "no Buttons tab");
    HWND hPage = ShowPage(hSheet, nPage);
    HWND hList = GetDlgItem(hPage, kButton0List);
    const int nCount = static_cast<int>(SendMessageA(hList, CB_GETCOUNT, 0, 0));
    int nSelect = -1;
    for (int i = 0; i < nCount && nSelect < 0; ++i) {
        if (SendMessageA(hList, CB_GETITEMDATA, i, 0) == kSelectProgram)
            nSelect = i;
    }
    if (nSelect < 0)
        return Fail("custom-program", "no \"Select your program...\" in the first list");
    const int nWas = static_cast<int>(SendMessageA(hList, CB_GETCURSEL, 0, 0));
    SendMessageA(hList, CB_SETCURSEL, nSelect, 0);
    PostMessageA(hPage, WM_COMMAND, MAKEWPARAM(kButton0List, CBN_SELENDOK), reinterpret_cast<LPARAM>(hList));
    ShootDialog("custom-program", "Custom Program", IDCANCEL);
    SendMessageA(hList, CB_SETCURSEL, nWas, 0);
}

// An owner string past the edit's 32 characters (set as text: typing stops at the limit),
// then leaving the page: the page refuses with the length prompt.
void ShootLengthPrompt(HWND hSheet, const std::vector<std::string>& titles, int nSubLcd)
{
    HWND hPage = ShowPage(hSheet, nSubLcd);
    SendMessageA(GetDlgItem(hPage, kOwnerStringRadio), BM_CLICK, 0, 0);
    HWND hEdit = GetDlgItem(hPage, kOwnerStringEdit);
    if (!hEdit || !IsWindowEnabled(hEdit))
        return Fail("sub-lcd-length-prompt", "the owner string edit is not enabled in Owner String mode");
    SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("KELVORA Controls owner string, 40 bytes"));
    PostMessageA(hSheet, PSM_SETCURSEL, nSubLcd == 0 && titles.size() > 1 ? 1 : 0, 0);
    HWND hPrompt = WaitForOwned(hSheet, 0, nullptr, 10000);
    if (!hPrompt)
        return Fail("sub-lcd-length-prompt", "no prompt on leaving the page");
    Settle(hPrompt);
    Shoot("sub-lcd-length-prompt", hPrompt);
    Dismiss(hPrompt, IDOK);
    SendMessageA(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
}

// The hidden "&Setting" button's click starts the sibling applet through the shell.
void ShootSchedule(HWND hSheet, int nSubLcd)
{
    HWND hPage = ShowPage(hSheet, nSubLcd);
    HWND hButton = GetDlgItem(hPage, kScheduleButton);
    if (!hButton)
        return Fail("nolvic-schedule", "no button 1045 on the Sub LCD page");
    PostMessageA(hPage, WM_COMMAND, MAKEWPARAM(kScheduleButton, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    ShootDialog("nolvic-schedule", "Schedule", IDCANCEL);
}

int RunSheet(const std::string& quorlat)
{
    // The button program is told after each Apply; the pictures need only that it is there.
    CProcess buttonProgram("\"" + quorlat + "\"");
    HWND hQuorlat = WaitForWindow(nullptr, "Quorlat", kWaitMs);
    CProcess control("control.exe Pallum.cpl");
    HWND hSheet = control.Started() ? WaitForWindow(nullptr, kSheetTitle, 60000, true) : nullptr;
    if (!hSheet) {
        Fail("sheet", "the sheet did not open");
        return g_nFailures;
    }
    const std::vector<std::string> titles = RemoteTabTitles(hSheet);
    if (titles.empty())
        Fail("sheet", "no tab titles");
    for (size_t i = 0; i < titles.size(); ++i) {
        ShowPage(hSheet, static_cast<int>(i));
        Settle(hSheet);
        Shoot("sheet-" + Slug(titles[i]), hSheet);
    }
    ShootAbout(hSheet);
    ShootCustomProgram(hSheet, titles);
    const int nSubLcd = IndexOf(titles, "Sub LCD");
    if (nSubLcd < 0) {
        Skip("sub-lcd-length-prompt", "no Sub LCD tab");
        Skip("nolvic-schedule", "no Sub LCD tab");
    } else {
        ShootLengthPrompt(hSheet, titles, nSubLcd);
        ShootSchedule(hSheet, nSubLcd);
    }
    Dismiss(hSheet, IDCANCEL);
    if (control.Wait(15000) < 0)
        Fail("sheet", "control.exe did not end");
    if (hQuorlat) {
        PostMessageA(hQuorlat, WM_CLOSE, 0, 0);
        buttonProgram.Wait(5000);
    }
    return g_nFailures;
}

// The key press comes from a thread whose first window is made after Orvex set its hook.
DWORD WINAPI VolumeUpKey(LPVOID)
{
    HWND hWnd = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(hWnd, WM_APPCOMMAND, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(0, APPCOMMAND_VOLUME_UP));
    DestroyWindow(hWnd);
    return 0;
}

int RunOrvex(const std::string& name, const std::string& command, const std::string& directory)
{
    CProcess orvex(command, directory);
    HWND hOrvex = nullptr;
    for (int i = 0; i < 1000 && orvex.Started() && !hOrvex; ++i) {
        hOrvex = FindWindowA("Voldlg", "Orvex Window");
        Sleep(10);
    }
    if (!hOrvex) {
        Fail(name, "Orvex did not start");
        return g_nFailures;
    }
    HANDLE hKey = CreateThread(nullptr, 0, VolumeUpKey, nullptr, 0, nullptr);
    HWND hDisplay = WaitForOwned(hOrvex, orvex.Id(), nullptr, 10000);
    if (hKey) {
        WaitForSingleObject(hKey, 5000);
        CloseHandle(hKey);
    }
    if (hDisplay) {
        Settle(hDisplay);
        Shoot(name, hDisplay);
    } else {
        Fail(name, "no display after the volume key");
    }
    PostMessageA(hOrvex, WM_CLOSE, 0, 0);
    if (orvex.Wait(10000) < 0)
        Fail(name, "Orvex did not end");
    return g_nFailures;
}

int RunHushwell(const std::string& program)
{
    const std::string command = "\"" + program + "\"";
    CProcess first(command);
    HWND hIndicator = first.Started() ? WaitForOwned(nullptr, first.Id(), nullptr, 15000) : nullptr;
    if (!hIndicator) {
        Fail("hushwell-mute", "no indicator");
        return g_nFailures;
    }
    Settle(hIndicator);
    Shoot("hushwell-mute", hIndicator);
    // The second start hands its toggle to the running indicator and ends.
    CProcess second(command);
    if (second.Wait(10000) != 0) {
        Fail("hushwell-sound", "the second start did not hand over");
    } else if (IsWindowVisible(hIndicator)) {
        Settle(hIndicator);
        Shoot("hushwell-sound", hIndicator);
    } else {
        Fail("hushwell-sound", "the indicator closed before the second toggle");
    }
    if (first.Wait(10000) < 0)
        Fail("hushwell", "the indicator did not close");
    return g_nFailures;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "sheet" && argc == 3)
        return RunSheet(argv[2]);
    if (mode == "orvex" && argc == 5)
        return RunOrvex(argv[2], argv[3], argv[4]);
    if (mode == "hushwell" && argc == 3)
        return RunHushwell(argv[2]);
    std::fprintf(stderr, "usage: shot_driver sheet QUORLAT | orvex NAME COMMAND DIR | hushwell PROGRAM\n");
    return 100;
}
