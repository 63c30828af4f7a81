// The start: the first instance runs the indicator; a later one hands its request over.
#include "hushwell.h"

#include <string.h>

#include "res/resource.h"

HANDLE g_hMutex = nullptr;

namespace {

// Posts WM_TOGGLE_MUTE to the window named in the shared block, if the running instance has
// published one. A block that does not exist yet (or any more) means there is no one to ask.
void HandOverToggle(void)
{
    HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      HUSHWELL_BLOCK_SIZE, HUSHWELL_BLOCK_NAME);
    if (!block)
        return;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        void* view = MapViewOfFile(block, FILE_MAP_READ, 0, 0, HUSHWELL_BLOCK_SIZE);
        if (view) {
            DWORD value;
            memcpy(&value, view, sizeof value);
            if (value != 0)
                PostMessageW(UnpackWindowHandle(value), WM_TOGGLE_MUTE, 0, 0);
            UnmapViewOfFile(view);
        }
    }
    CloseHandle(block);
}

}  // namespace

int RunHushwell(HINSTANCE hInstance)
{
    g_hInstance = hInstance;
    g_hMutex = CreateMutexW(nullptr, TRUE, HUSHWELL_MUTEX_NAME);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        HandOverToggle();
        CloseHandle(g_hMutex);
        g_hMutex = nullptr;
        return 0;
    }
    // Also when the mutex could not be created at all: run as the first instance.
    DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_INDICATOR), nullptr, IndicatorDlgProc, 0);
    if (g_hMutex) {
        ReleaseMutex(g_hMutex);
        CloseHandle(g_hMutex);
        g_hMutex = nullptr;
    }
    return 0;
}
