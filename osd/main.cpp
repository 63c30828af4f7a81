// Orvex.exe: the resident volume on-screen display.
#include "orvex.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return RunOrvex(hInstance);
}
