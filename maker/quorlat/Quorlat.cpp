// Quorlat: stand-in of the maker's button program. A top-level window titled "Quorlat"
// (or "Wendrap" with /wendrap) that counts the "WM_KELVORA_SERVICES" messages it receives.
//
//   Quorlat.exe [/wendrap] [/count <file>]
//
// The count is reported three ways: the registered message "KELVORA_QUORLAT_QUERY" returns
// it (wParam 1 also resets it), /count rewrites the file with the decimal count after every
// message, and the exit code is the count when the window is closed.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char CLASS_NAME[] = "KelvoraQuorlat";
UINT g_nServicesMessage = 0;
UINT g_nQueryMessage = 0;
LONG g_nCount = 0;
std::string g_strCountFile;

void WriteCount()
{
    if (g_strCountFile.empty())
        return;
    // Written to a side file and moved over, so a reader never sees half a number.
    std::string strTemp = g_strCountFile + ".tmp";
    FILE* pFile = std::fopen(strTemp.c_str(), "w");
    if (!pFile)
        return;
    std::fprintf(pFile, "%ld\n", g_nCount);
    std::fclose(pFile);
    MoveFileExA(strTemp.c_str(), g_strCountFile.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == g_nServicesMessage && g_nServicesMessage) {
        ++g_nCount;
        WriteCount();
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    }
    if (uMsg == g_nQueryMessage && g_nQueryMessage) {
        LONG nCount = g_nCount;
        if (wParam == 1) {
            g_nCount = 0;
            WriteCount();
            InvalidateRect(hWnd, nullptr, TRUE);
        }
        return nCount;
    }
    switch (uMsg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        char szText[64];
        std::snprintf(szText, sizeof(szText), "Settings changes received: %ld", g_nCount);
        RECT rc;
        GetClientRect(hWnd, &rc);
        SetBkMode(hdc, TRANSPARENT);
        DrawTextA(hdc, szText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* pszTitle = "Quorlat";
    for (int i = 1; i < argc; ++i) {
        if (_stricmp(argv[i], "/wendrap") == 0)
            pszTitle = "Wendrap";
        else if (_stricmp(argv[i], "/count") == 0 && i + 1 < argc)
            g_strCountFile = argv[++i];
    }
    g_nServicesMessage = RegisterWindowMessageA("WM_KELVORA_SERVICES");
    g_nQueryMessage = RegisterWindowMessageA("KELVORA_QUORLAT_QUERY");

    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = CLASS_NAME;
    if (!RegisterClassA(&wc))
        return -1;
    HWND hWnd = CreateWindowExA(0, CLASS_NAME, pszTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU
                                | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 280, 90, nullptr,
                                nullptr, hInstance, nullptr);
    if (!hWnd)
        return -1;
    WriteCount();
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(g_nCount);
}
