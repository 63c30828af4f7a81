/* The floor for a hand-over in bench/hushwell.sh: a Win32 GUI program that links what any
 * hand-over must (kernel32, user32), posts one message and ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    (void)instance;
    (void)previous;
    (void)command;
    (void)show;
    PostMessageW(NULL, WM_NULL, 0, 0);
    return 0;
}
