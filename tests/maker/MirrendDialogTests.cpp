// The stand-in's custom program dialog, driven inside its own loop, and the command-line
// parser that the applet's program lookups rely on.
#include "Mirrend.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "KelvoraTestSupport.h"
#include "UiScript.h"

namespace {

constexpr int IDC_APP_NAME = 1001, IDC_APP_TARGET = 1002, IDC_APP_OPTION = 1003,
              IDC_APP_WORKDIR = 1004, IDC_APP_BROWSE = 1005;
const char TARGET_EMPTY[] =
    "The Target box is empty. Input the path of the application which wants to start it.";

BOOL CALLBACK CollectText(HWND hChild, LPARAM lParam)
{
    char sz[512] = "";
    GetWindowTextA(hChild, sz, sizeof(sz));
    reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(sz);
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND hWnd)
{
    std::vector<std::string> texts;
    EnumChildWindows(hWnd, CollectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

struct Buffers {
    char name[261], target[261], option[261], workDir[261];
    Buffers(const char* n, const char* t, const char* o, const char* w)
    {
        std::strcpy(name, n);
        std::strcpy(target, t);
        std::strcpy(option, o);
        std::strcpy(workDir, w);
    }
    int Show(int nSize = 261) { return ShowCustomAppDialog(name, target, option, workDir, nSize); }
};

// Runs show() (the dialog's modal loop) with the steps run inside it.
int RunScript(const std::function<int()>& show, std::vector<UiScript::Step> steps)
{
    UiScript script;
    for (UiScript::Step& step : steps)
        script.Then(std::move(step));
    script.Start();
    const int nResult = show();
    EXPECT_TRUE(script.Finished() && !script.TimedOut()) << "the dialog's steps did not all run";
    return nResult;
}

// The dialog over the buffers; driver gets it once it shows.
int RunDialog(Buffers& buffers, std::function<void(HWND)> driver, int nSize = 261)
{
    return RunScript([&] { return buffers.Show(nSize); }, {OnWindow("Custom Program", driver)});
}

TEST(CustomAppDialog, ShowsTheCurrentTextsAndCancelChangesNothing)
{
    Buffers b("Notepad", "C:\\windows\\notepad.exe", "/a", "C:\\temp");
    std::string shown[4];
    int nResult = RunDialog(b, [&](HWND hDlg) {
        shown[0] = ItemText(hDlg, IDC_APP_NAME);
        shown[1] = ItemText(hDlg, IDC_APP_TARGET);
        shown[2] = ItemText(hDlg, IDC_APP_OPTION);
        shown[3] = ItemText(hDlg, IDC_APP_WORKDIR);
        SetDlgItemTextA(hDlg, IDC_APP_NAME, "Changed");
        PostClick(hDlg, IDCANCEL);
    });
    EXPECT_EQ(0, nResult);
    EXPECT_EQ("Notepad", shown[0]);
    EXPECT_EQ("C:\\windows\\notepad.exe", shown[1]);
    EXPECT_EQ("/a", shown[2]);
    EXPECT_EQ("C:\\temp", shown[3]);
    EXPECT_STREQ("Notepad", b.name);
}

TEST(CustomAppDialog, RefusesAnEmptyTargetThenConfirms)
{
    Buffers b("", "", "", "");
    bool bWarned = false, bStillOpen = false;
    HWND hDlg = nullptr;
    int nResult = RunScript([&] { return b.Show(); },
        {OnWindow("Custom Program", [&](HWND hWnd) {
             hDlg = hWnd;
             SetDlgItemTextA(hDlg, IDC_APP_NAME, "Tool");
             SetDlgItemTextA(hDlg, IDC_APP_TARGET, "   ");
             PostClick(hDlg, IDOK);
         }),
         OnWindow("Warning.", [&](HWND hBox) {
             for (const std::string& s : ChildTexts(hBox))
                 bWarned = bWarned || s == TARGET_EMPTY;
             PostClick(hBox, IDOK);
         }),
         [&] { return !FindMessageBox(); },
         Do([&] {
             bStillOpen = IsWindow(hDlg) != FALSE;
             SetDlgItemTextA(hDlg, IDC_APP_TARGET, "C:\\tools\\tool.exe");
             SetDlgItemTextA(hDlg, IDC_APP_OPTION, "-v");
             SetDlgItemTextA(hDlg, IDC_APP_WORKDIR, "C:\\tools");
             PostClick(hDlg, IDOK);
         })});
    EXPECT_TRUE(bWarned);
    EXPECT_TRUE(bStillOpen);
    EXPECT_NE(0, nResult);
    EXPECT_STREQ("Tool", b.name);
    EXPECT_STREQ("C:\\tools\\tool.exe", b.target);
    EXPECT_STREQ("-v", b.option);
    EXPECT_STREQ("C:\\tools", b.workDir);
}

TEST(CustomAppDialog, BrowseFillsTargetNameAndFolderFromTheChosenFile)
{
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, MAX_PATH);
    const std::string strChosen = std::string(szSystem) + "\\notepad.exe";
    Buffers b("", "", "", "");
    std::string shown[3];
    HWND hDlg = nullptr;
    int nResult = RunScript([&] { return b.Show(); },
        {OnWindow("Custom Program", [&](HWND hWnd) {
             hDlg = hWnd;
             PostClick(hDlg, IDC_APP_BROWSE);
         }),
         OnWindow("Select a Program", [&](HWND hOpen) {
             SetDlgItemTextA(hOpen, 0x47c, strChosen.c_str());  // the file name box
             PostMessageA(hOpen, WM_COMMAND, IDOK, 0);
         }),
         [&] { return !ItemText(hDlg, IDC_APP_TARGET).empty(); },
         Do([&] {
             shown[0] = ItemText(hDlg, IDC_APP_TARGET);
             shown[1] = ItemText(hDlg, IDC_APP_NAME);
             shown[2] = ItemText(hDlg, IDC_APP_WORKDIR);
             PostClick(hDlg, IDCANCEL);
         })});
    EXPECT_EQ(0, nResult);
    EXPECT_STRCASEEQ(strChosen.c_str(), shown[0].c_str());
    EXPECT_STRCASEEQ("notepad", shown[1].c_str());
    EXPECT_STRCASEEQ(szSystem, shown[2].c_str());
}

TEST(CustomAppDialog, FillsTheBuffersWithinTheirSize)
{
    // Eight bytes per buffer; the bytes behind them must survive. The incoming texts are not
    // terminated within the size.
    struct Guarded {
        char text[8];
        char guard[8];
    } g[4];
    for (Guarded& x : g) {
        std::memset(x.text, 'a', sizeof(x.text));
        std::memset(x.guard, '#', sizeof(x.guard));
    }
    std::string shownName;
    int nResult = RunScript([&] { return ShowCustomAppDialog(g[0].text, g[1].text, g[2].text, g[3].text, 8); },
        {OnWindow("Custom Program", [&](HWND hDlg) {
            shownName = ItemText(hDlg, IDC_APP_NAME);
            SendDlgItemMessageA(hDlg, IDC_APP_TARGET, EM_LIMITTEXT, 0, 0);   // lift the limit
            SetDlgItemTextA(hDlg, IDC_APP_TARGET, "C:\\a\\very\\long\\path.exe");
            PostClick(hDlg, IDOK);
        })});
    EXPECT_NE(0, nResult);
    EXPECT_EQ("aaaaaaaa", shownName);
    EXPECT_STREQ("C:\\a\\ve", g[1].text);
    for (const Guarded& x : g)
        EXPECT_EQ(0, std::memcmp(x.guard, "########", 8));
}

TEST(CustomAppDialog, RefusesUnusableArguments)
{
    char a[261] = "", b[261] = "", c[261] = "", d[261] = "";
    EXPECT_EQ(0, ShowCustomAppDialog(nullptr, b, c, d, 261));
    EXPECT_EQ(0, ShowCustomAppDialog(a, b, c, d, 0));
    EXPECT_EQ(0, ShowCustomAppDialog(a, b, c, d, -5));
}

TEST(ExtractProgramPath, TakesTheProgramOutOfCommandLines)
{
    struct Case {
        const char* pszLine;
        const char* pszPath;
    } cases[] = {
        {"\"C:\\Program Files\\Web\\browser.exe\" -osint -url \"%1\"",
         "C:\\Program Files\\Web\\browser.exe"},
        {"\"C:\\Program Files\\Web\\browser.exe\"", "C:\\Program Files\\Web\\browser.exe"},
        {"\"C:\\unclosed\\app.exe -x", "C:\\unclosed\\app.exe -x"},
        {"C:\\PROGRA~1\\Web\\browser.exe %1", "C:\\PROGRA~1\\Web\\browser.exe"},
        {"C:\\Program Files\\Web\\browser.EXE -nohome", "C:\\Program Files\\Web\\browser.EXE"},
        {"C:\\Program Files\\Web\\browser.exe", "C:\\Program Files\\Web\\browser.exe"},
        {"rundll32.exe url.dll,FileProtocolHandler %1", "rundll32.exe"},
        {"   notepad.exe readme.txt", "notepad.exe"},
        {"C:\\tools\\run.com -q", "C:\\tools\\run.com"},
        {"C:\\tools\\run", "C:\\tools\\run"},
        {"\t\"a b\\c.exe\"x", "a b\\c.exe"},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.pszPath, ExtractProgramPath(c.pszLine).str()) << c.pszLine;
    EXPECT_TRUE(ExtractProgramPath(nullptr).IsEmpty());
}

}  // namespace
