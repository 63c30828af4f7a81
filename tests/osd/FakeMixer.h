// A scriptable mixer behind Orvex's mixer seam.
#pragma once

#include "orvex.h"

#include <vector>

struct FakeMixer {
    // Script
    UINT nDevices = 1;
    MMRESULT openResult = MMSYSERR_NOERROR;
    bool bHasSpeakers = true;
    bool bHasVolume = true;
    bool bHasMute = true;
    DWORD dwLineID = 0xFFFF0000;
    DWORD dwVolumeID = 7;
    DWORD dwMuteID = 8;
    DWORD dwVolumeValue = 65535;
    DWORD dwMuteValue = 0;
    bool bVolumeReadFails = false;
    bool bMuteReadFails = false;

    // Record
    int nOpens = 0;
    std::vector<HMIXER> closed;
    HMIXER hOpen = NULL;
    UINT uOpenedDevice = 0xFFFF;
    DWORD_PTR dwCallback = 0;
    DWORD dwOpenFlags = 0;
    bool bBadRequest = false;   // a query that did not match what winmm expects
};

extern FakeMixer g_fake;

// Fresh script, the fake installed in the seam and no mixer open.
void InstallFakeMixer();
