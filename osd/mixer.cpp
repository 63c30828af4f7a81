// Access to the master volume and mute controls of mixer device 0.
#include "orvex.h"

MixerApi g_mixerApi = {
    mixerGetNumDevs, mixerOpen, mixerClose,
    mixerGetLineInfoA, mixerGetLineControlsA, mixerGetControlDetailsA,
};

HMIXER g_hMixer = NULL;
DWORD g_dwVolumeControlID = NO_CONTROL;
DWORD g_dwMuteControlID = NO_CONTROL;

static BOOL FindLineControl(DWORD dwLineID, DWORD dwControlType, DWORD *pdwControlID)
{
    MIXERCONTROLA control;
    ZeroMemory(&control, sizeof(control));
    control.cbStruct = sizeof(control);

    MIXERLINECONTROLSA controls;
    ZeroMemory(&controls, sizeof(controls));
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = dwLineID;
    controls.dwControlType = dwControlType;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(control);
    controls.pamxctrl = &control;
    if (g_mixerApi.pfnGetLineControlsA((HMIXEROBJ)g_hMixer, &controls,
                                       MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
        return FALSE;
    *pdwControlID = control.dwControlID;
    return TRUE;
}

void OpenMixer(HWND hWndNotify)
{
    // Reopened for every key press so that the notification comes from a current handle,
    // and the controls of whatever device is now device 0 are found.
    if (g_hMixer)
        g_mixerApi.pfnClose(g_hMixer);
    g_dwVolumeControlID = NO_CONTROL;
    g_dwMuteControlID = NO_CONTROL;
    g_hMixer = NULL;

    if (g_mixerApi.pfnGetNumDevs() == 0)
        return;
    HMIXER hMixer = NULL;
    if (g_mixerApi.pfnOpen(&hMixer, 0, (DWORD_PTR)hWndNotify, 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
        return;
    g_hMixer = hMixer;

    MIXERLINEA line;
    ZeroMemory(&line, sizeof(line));
    line.cbStruct = sizeof(line);
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (g_mixerApi.pfnGetLineInfoA((HMIXEROBJ)g_hMixer, &line,
                                   MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return;

    DWORD dwControlID;
    if (!FindLineControl(line.dwLineID, MIXERCONTROL_CONTROLTYPE_VOLUME, &dwControlID))
        return;
    g_dwVolumeControlID = dwControlID;
    if (FindLineControl(line.dwLineID, MIXERCONTROL_CONTROLTYPE_MUTE, &dwControlID))
        g_dwMuteControlID = dwControlID;
}

static BOOL ReadControlValue(DWORD dwControlID, DWORD *pdwValue)
{
    if (dwControlID == NO_CONTROL)
        return FALSE;
    DWORD dwValue = 0;
    MIXERCONTROLDETAILS details;
    ZeroMemory(&details, sizeof(details));
    details.cbStruct = sizeof(details);
    details.dwControlID = dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = 0;
    details.cbDetails = sizeof(dwValue);
    details.paDetails = &dwValue;
    if (g_mixerApi.pfnGetControlDetailsA((HMIXEROBJ)g_hMixer, &details,
                                         MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE)
        != MMSYSERR_NOERROR)
        return FALSE;
    *pdwValue = dwValue;
    return TRUE;
}

void ReadVolumeAndMute(DWORD *pdwVolume, BYTE *pbMute)
{
    if (g_dwVolumeControlID == NO_CONTROL || !g_hMixer)
        return;
    DWORD dwValue;
    if (ReadControlValue(g_dwVolumeControlID, &dwValue))
        *pdwVolume = LOWORD(dwValue);
    // A line without a readable mute control plays sound: draw it as not muted.
    *pbMute = (ReadControlValue(g_dwMuteControlID, &dwValue) && LOWORD(dwValue) != 0) ? 1 : 0;
}
