// The Sub LCD page's "Nolvic" entry, present, absent and of every bad shape: only text that
// fits names the applet's file; everything else starts "Nolvic.cpl" by name. Each start shows
// which way it went: the by-name start finds the applet only in the folder made current for it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "KelvoraTestSupport.h"
#include "ModePanelPage.h"
#include "PageSheet.h"
#include "RegistryScratch.h"
#include "resource.h"

namespace {

const char kCplsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\cpls";

class NolvicEntryTest : public PageSheetTest<CModePanelPage, PAGE_SUBLCD> {};

TEST_F(NolvicEntryTest, OnlyTextThatFitsNamesTheFile)
{
    const std::string nolvic = BuildPath("KELVORA_NOLVIC");
    ASSERT_FALSE(nolvic.empty());
    char szTemp[MAX_PATH], szWasCurrent[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    GetCurrentDirectoryA(sizeof(szWasCurrent), szWasCurrent);
    const std::string byName = szTemp + std::string("kelvora-nolvic-") + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(byName.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(nolvic.c_str(), (byName + "\\Nolvic.cpl").c_str(), FALSE));
    const std::string s260(260, 'n');
    const struct {
        const char* pszCase;
        DWORD dwType;
        std::string data;   // as stored
        bool bFromEntry;
    } cases[] = {
        {"text", REG_SZ, nolvic + '\0', true},
        {"no entry", REG_NONE, "", false},
        {"text over 260 bytes", REG_SZ, "C:\\" + std::string(300, 'n') + "\\Nolvic.cpl" + '\0', false},
        {"expandable text", REG_EXPAND_SZ, nolvic + '\0', true},
        {"text without terminator", REG_SZ, nolvic, true},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), false},
        {"the path as bytes", REG_BINARY, nolvic + '\0', false},
        {"a list", REG_MULTI_SZ, nolvic + '\0' + '\0', false},
        {"empty text", REG_SZ, std::string(1, '\0'), false},
        {"260 bytes, no terminator", REG_SZ, s260, false},
    };
    for (const auto& c : cases) {
        CRegistryScratch entry(HKEY_LOCAL_MACHINE, kCplsKey);
        if (c.dwType == REG_NONE)
            DeleteRegValue(HKEY_LOCAL_MACHINE, kCplsKey, "Nolvic");
        else
            entry.SetValue("Nolvic", c.dwType, c.data.data(), static_cast<DWORD>(c.data.size()));
        SetCurrentDirectoryA(c.bFromEntry ? szTemp : byName.c_str());
        HWND hSchedule = nullptr;
        RunSheet([&](CPallumSheet&, CModePanelPage& page) {
            Click(page.m_hWnd, IDC_SUBLCD_SCHEDULE);
            hSchedule = WaitForWindow("#32770", "Schedule", 30000, true);
        });
        EXPECT_NE(nullptr, hSchedule) << c.pszCase;
        if (hSchedule) {
            PostMessageA(hSchedule, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            PostMessageA(hSchedule, WM_NULL, 0, 0);
            for (int i = 0; i < 500 && IsWindow(hSchedule); ++i)
                Sleep(20);
        }
    }
    SetCurrentDirectoryA(szWasCurrent);
    DeleteFileA((byName + "\\Nolvic.cpl").c_str());
    RemoveDirectoryA(byName.c_str());
}

}  // namespace
