// Hushwell.exe: each start toggles the mute state once. The command line is ignored.
#include "hushwell.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int)
{
    return RunHushwell(hInstance);
}
