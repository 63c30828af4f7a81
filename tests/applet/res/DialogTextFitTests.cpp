// Every text of every dialog template fits its control in the font the dialog really runs in:
// a page in the property sheet's font, any other dialog in its template's. Each dialog is
// created from the built module's resources and each control measured as it draws its text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "KelvoraTestSupport.h"
#include "PropertySheet.h"

namespace {

INT_PTR CALLBACK InertProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BOOL CALLBACK CollectDialog(HMODULE, LPCSTR, LPSTR pszName, LONG_PTR lParam)
{
    // Numeric ids stay as they are; named templates would need their name copied.
    if (IS_INTRESOURCE(pszName))
        reinterpret_cast<std::vector<LPCSTR>*>(lParam)->push_back(pszName);
    return TRUE;
}

std::string DialogName(LPCSTR pszName) { return "dialog " + std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(pszName))); }

// The room a control gives its text, and how it lays it out, as DrawText flags. False for
// controls that show no template text (pictures, edits, lists).
bool TextLayout(HWND hCtl, RECT* pRoom, UINT* pFlags)
{
    char szClass[16] = "";
    GetClassNameA(hCtl, szClass, sizeof(szClass));
    const LONG style = GetWindowLongA(hCtl, GWL_STYLE);
    GetClientRect(hCtl, pRoom);
    *pFlags = DT_CALCRECT | DT_EXPANDTABS;
    if (lstrcmpiA(szClass, "Static") == 0) {
        if (style & SS_NOPREFIX)
            *pFlags |= DT_NOPREFIX;
        switch (style & SS_TYPEMASK) {
        case SS_LEFT: case SS_CENTER: case SS_RIGHT:
            *pFlags |= DT_WORDBREAK;
            return true;
        case SS_SIMPLE: case SS_LEFTNOWORDWRAP:
            *pFlags |= DT_SINGLELINE;
            return true;
        default:
            return false;
        }
    }
    if (lstrcmpiA(szClass, "Button") != 0)
        return false;
    *pFlags |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: case BS_DEFPUSHBUTTON:
        InflateRect(pRoom, -2 * GetSystemMetrics(SM_CXEDGE), 0);   // the raised frame
        return true;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        pRoom->left += GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);   // the box and its gap
        return true;
    case BS_GROUPBOX:
        InflateRect(pRoom, -GetSystemMetrics(SM_CXMENUCHECK) / 2, 0);   // the frame's ends beside the caption
        return true;
    default:
        return false;
    }
}

// Measures every text control of hDlg; returns how many were measured.
int CheckTexts(HWND hDlg, const std::string& where)
{
    int nMeasured = 0;
    for (HWND hCtl = GetWindow(hDlg, GW_CHILD); hCtl; hCtl = GetWindow(hCtl, GW_HWNDNEXT)) {
        char szText[512] = "";
        RECT room;
        UINT flags;
        if (GetWindowTextA(hCtl, szText, sizeof(szText)) <= 0 || !TextLayout(hCtl, &room, &flags))
            continue;
        HDC hdc = GetDC(hCtl);
        HGDIOBJ hOld = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageA(hCtl, WM_GETFONT, 0, 0)));
        char szFace[LF_FACESIZE] = "";
        GetTextFaceA(hdc, sizeof(szFace), szFace);
        RECT need = {0, 0, room.right - room.left, 0};
        DrawTextA(hdc, szText, -1, &need, flags);
        SelectObject(hdc, hOld);
        ReleaseDC(hCtl, hdc);
        ++nMeasured;
        EXPECT_TRUE(need.right <= room.right - room.left && need.bottom <= room.bottom - room.top)
            << where << ", control " << static_cast<short>(GetDlgCtrlID(hCtl)) << " \"" << szText << "\" needs " << need.right << " x "
            << need.bottom << " px in " << szFace << ", has " << room.right - room.left << " x "
            << room.bottom - room.top;
    }
    return nMeasured;
}

class DialogTextFit : public testing::TestWithParam<const char*> {};

TEST_P(DialogTextFit, EveryTextFitsItsControl)
{
    const std::string path = BuildPath(GetParam());
    ASSERT_FALSE(path.empty()) << GetParam() << " not set";
    HMODULE hModule = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(hModule, nullptr) << path;
    std::vector<LPCSTR> dialogs;
    EnumResourceNamesA(hModule, RT_DIALOG, CollectDialog, reinterpret_cast<LONG_PTR>(&dialogs));
    EXPECT_FALSE(dialogs.empty()) << path << " has no dialog";

    // Pages need a parent; the other dialogs get it as their owner.
    HWND hParent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    int nMeasured = 0;
    for (LPCSTR pszName : dialogs) {
        HRSRC hFound = FindResourceA(hModule, pszName, RT_DIALOG);
        const void* pTemplate = LockResource(LoadResource(hModule, hFound));
        ASSERT_NE(pTemplate, nullptr) << DialogName(pszName);
        const DWORD dwStyle = static_cast<const DLGTEMPLATE*>(pTemplate)->style == 0xFFFF0001
                                  ? static_cast<const DWORD*>(pTemplate)[3]   // DLGTEMPLATEEX
                                  : static_cast<const DLGTEMPLATE*>(pTemplate)->style;
        std::vector<DWORD> page;
        if (dwStyle & WS_CHILD) {
            page = CopyDialogTemplateWithFont(pTemplate, SizeofResource(hModule, hFound),
                                              CPropertySheet::kPageFontFace, CPropertySheet::kPageFontPointSize);
            ASSERT_FALSE(page.empty()) << DialogName(pszName);
            pTemplate = page.data();
        }
        HWND hDlg = CreateDialogIndirectParamA(hModule, static_cast<const DLGTEMPLATE*>(pTemplate), hParent,
                                               InertProc, 0);
        ASSERT_NE(hDlg, nullptr) << DialogName(pszName) << ": " << GetLastError();
        nMeasured += CheckTexts(hDlg, DialogName(pszName));
        DestroyWindow(hDlg);
    }
    DestroyWindow(hParent);
    FreeLibrary(hModule);
    EXPECT_GT(nMeasured, 0) << path << ": no text measured";
}

// The applet and the maker's dialogs that open over it.
INSTANTIATE_TEST_SUITE_P(Modules, DialogTextFit,
                         testing::Values("KELVORA_PALLUM", "KELVORA_MIRREND", "KELVORA_NOLVIC"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param + 8);
                         });

}  // namespace
