// orvex_scripted: Orvex as it ships (the real hook, window and display) over the fake mixer,
// for the states Wine's mixer cannot reach: it keeps volume and mute per process and sends
// no change notifications.
//
//   orvex_scripted.exe VOLUME MUTE      VOLUME 0..65535, MUTE 0 or 1; Orvex.dll beside it
//
// Every volume read is followed by the change notification a real mixer sends after a key
// changed the volume; Orvex heeds it only after a key press, so the display comes up as on
// Windows.
#include "FakeMixer.h"

#include <cstdio>

namespace {

MMRESULT (WINAPI *g_pfnFakeDetails)(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);

MMRESULT WINAPI DetailsThenNotify(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    const MMRESULT result = g_pfnFakeDetails(hmxobj, pmxcd, fdwDetails);
    if (result == MMSYSERR_NOERROR && pmxcd->dwControlID == g_fake.dwVolumeID)
        PostMessageA(reinterpret_cast<HWND>(g_fake.dwCallback), MM_MIXM_CONTROL_CHANGE,
                     reinterpret_cast<WPARAM>(g_fake.hOpen), g_fake.dwVolumeID);
    return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR pszCmdLine, int)
{
    unsigned long ulVolume = 0, ulMute = 0;
    if (std::sscanf(pszCmdLine, "%lu %lu", &ulVolume, &ulMute) != 2 || ulVolume > VOLUME_TOP)
        return 2;
    InstallFakeMixer();
    g_fake.dwVolumeValue = ulVolume;
    g_fake.dwMuteValue = ulMute ? 1 : 0;
    g_pfnFakeDetails = g_mixerApi.pfnGetControlDetailsA;
    g_mixerApi.pfnGetControlDetailsA = DetailsThenNotify;
    return RunOrvex(hInstance);
}
