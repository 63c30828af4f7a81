/* One floor for bench/hushwell.sh: a Win32 GUI program that starts and ends, importing only kernel32. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    (void)instance;
    (void)previous;
    (void)command;
    (void)show;
    return 0;
}
