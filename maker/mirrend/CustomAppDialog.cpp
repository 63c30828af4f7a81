// Ordinal 1: the custom program dialog (name, target, options, working folder).
#include "Mirrend.h"
#include "resource.h"

#include <commdlg.h>

#include <cstring>
#include <string>

namespace {

const int FIELD_IDS[] = {IDC_APP_NAME, IDC_APP_TARGET, IDC_APP_OPTION, IDC_APP_WORKDIR};
constexpr int FIELD_COUNT = sizeof(FIELD_IDS) / sizeof(FIELD_IDS[0]);

struct DialogData {
    char* apszBuffers[FIELD_COUNT];
    int nSize;   // bytes per buffer, with the terminating zero
};

HINSTANCE ThisModule()
{
    HMODULE hModule = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                           | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &hModule);
    return hModule;
}

std::string LoadText(UINT nID)
{
    char sz[256] = "";
    LoadStringA(ThisModule(), nID, sz, sizeof(sz));
    return sz;
}

std::string GetItemText(HWND hDlg, int nID)
{
    HWND hItem = GetDlgItem(hDlg, nID);
    int cch = GetWindowTextLengthA(hItem);
    std::string str(static_cast<size_t>(cch) + 1, '\0');
    cch = GetWindowTextA(hItem, &str[0], cch + 1);
    str.resize(static_cast<size_t>(cch > 0 ? cch : 0));
    return str;
}

bool IsBlankText(const std::string& str)
{
    return str.find_first_not_of(" \t") == std::string::npos;
}

// Browse: the picked file becomes the target; an empty name and folder follow it.
// GetOpenFileNameA from comdlg32 in the system folder, loaded for the one call: linked, it
// would load with every applet that uses this library, the print spooler's libraries with it.
bool BrowseForFile(OPENFILENAMEA& ofn)
{
    char szPath[MAX_PATH];
    const UINT nLength = GetSystemDirectoryA(szPath, MAX_PATH);
    if (nLength == 0 || nLength + sizeof("\\comdlg32.dll") > MAX_PATH)
        return false;
    std::strcpy(szPath + nLength, "\\comdlg32.dll");
    HMODULE hComdlg = LoadLibraryA(szPath);
    if (!hComdlg)
        return false;
    typedef BOOL(WINAPI * GetOpenFileNameProc)(OPENFILENAMEA*);
    auto pfnGetOpenFileName = reinterpret_cast<GetOpenFileNameProc>(
        reinterpret_cast<void*>(GetProcAddress(hComdlg, "GetOpenFileNameA")));
    const bool bChosen = pfnGetOpenFileName && pfnGetOpenFileName(&ofn);
    FreeLibrary(hComdlg);
    return bChosen;
}

void Browse(HWND hDlg, int nSize)
{
    std::string strFilter = LoadText(IDS_BROWSE_FILTER);
    for (char& ch : strFilter)
        if (ch == '|')
            ch = '\0';
    std::string strTitle = LoadText(IDS_BROWSE_TITLE);
    char szFile[MAX_PATH + 1] = "";
    std::string strTarget = GetItemText(hDlg, IDC_APP_TARGET);
    if (strTarget.size() < sizeof(szFile))
        std::strcpy(szFile, strTarget.c_str());

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hDlg;
    ofn.lpstrFilter = strFilter.c_str();
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = static_cast<DWORD>(nSize < static_cast<int>(sizeof(szFile)) ? nSize : sizeof(szFile));
    ofn.lpstrTitle = strTitle.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!BrowseForFile(ofn))
        return;

    SetDlgItemTextA(hDlg, IDC_APP_TARGET, szFile);
    std::string strPath = szFile;
    size_t nSlash = strPath.find_last_of("\\/");
    if (IsBlankText(GetItemText(hDlg, IDC_APP_NAME))) {
        std::string strName = strPath.substr(nSlash == std::string::npos ? 0 : nSlash + 1);
        size_t nDot = strName.find_last_of('.');
        SetDlgItemTextA(hDlg, IDC_APP_NAME, strName.substr(0, nDot).c_str());
    }
    if (nSlash != std::string::npos && IsBlankText(GetItemText(hDlg, IDC_APP_WORKDIR)))
        SetDlgItemTextA(hDlg, IDC_APP_WORKDIR, strPath.substr(0, nSlash).c_str());
}

// OK: refuse an empty target; otherwise copy the fields into the caller's buffers.
bool Confirm(HWND hDlg, const DialogData& data)
{
    if (IsBlankText(GetItemText(hDlg, IDC_APP_TARGET))) {
        MessageBoxA(hDlg, LoadText(IDS_TARGET_EMPTY).c_str(), LoadText(IDS_WARNING).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(hDlg, IDC_APP_TARGET));
        return false;
    }
    for (int i = 0; i < FIELD_COUNT; ++i)
        GetDlgItemTextA(hDlg, FIELD_IDS[i], data.apszBuffers[i], data.nSize);
    return true;
}

INT_PTR CALLBACK DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        const DialogData& data = *reinterpret_cast<const DialogData*>(lParam);
        for (int i = 0; i < FIELD_COUNT; ++i) {
            // The texts arrive in the caller's buffers, which need not be terminated.
            const char* psz = data.apszBuffers[i];
            std::string str(psz, strnlen(psz, static_cast<size_t>(data.nSize)));
            SetDlgItemTextA(hDlg, FIELD_IDS[i], str.c_str());
            SendDlgItemMessageA(hDlg, FIELD_IDS[i], EM_LIMITTEXT, data.nSize - 1, 0);
        }
        return TRUE;
    }
    case WM_COMMAND: {
        auto* pData = reinterpret_cast<const DialogData*>(GetWindowLongPtrA(hDlg, DWLP_USER));
        switch (LOWORD(wParam)) {
        case IDOK:
            if (pData && Confirm(hDlg, *pData))
                EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_APP_BROWSE:
            if (pData)
                Browse(hDlg, pData->nSize);
            return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

}  // namespace

int ShowCustomAppDialog(char* pszName, char* pszTarget, char* pszOption, char* pszWorkDir,
                        int nSize)
{
    if (!pszName || !pszTarget || !pszOption || !pszWorkDir || nSize < 2)
        return 0;
    DialogData data = {{pszName, pszTarget, pszOption, pszWorkDir}, nSize};
    // Modal over the caller's active window (the property sheet), like any of its dialogs.
    INT_PTR nResult = DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(IDD_CUSTOM_APP),
                                      GetActiveWindow(), DialogProc,
                                      reinterpret_cast<LPARAM>(&data));
    return nResult == IDOK;
}
