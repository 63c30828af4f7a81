// Orvex.dll: the shell hook that hands the volume keys to Orvex's hidden window.
// Runs inside every process whose windows leave an application command unhandled.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HSHELL_APPCOMMAND) {
        short nCommand = GET_APPCOMMAND_LPARAM(lParam);
        if (nCommand == APPCOMMAND_VOLUME_MUTE || nCommand == APPCOMMAND_VOLUME_DOWN ||
            nCommand == APPCOMMAND_VOLUME_UP) {
            // Posted, so a busy or hung Orvex never stalls the process the key went to.
            // lParam travels unchanged: key presses carry device bits zero.
            HWND hWnd = FindWindowA("Voldlg", "Orvex Window");
            if (hWnd)
                PostMessageA(hWnd, WM_APPCOMMAND, wParam, lParam);
        }
    }
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}
