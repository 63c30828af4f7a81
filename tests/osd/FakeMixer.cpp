#include "FakeMixer.h"

FakeMixer g_fake;

static UINT WINAPI FakeGetNumDevs(void)
{
    return g_fake.nDevices;
}

static MMRESULT WINAPI FakeOpen(LPHMIXER phmx, UINT uMxId, DWORD_PTR dwCallback, DWORD_PTR, DWORD fdwOpen)
{
    g_fake.uOpenedDevice = uMxId;
    g_fake.dwCallback = dwCallback;
    g_fake.dwOpenFlags = fdwOpen;
    if (g_fake.openResult != MMSYSERR_NOERROR)
        return g_fake.openResult;
    ++g_fake.nOpens;
    g_fake.hOpen = (HMIXER)(UINT_PTR)(0x4000 + g_fake.nOpens);
    *phmx = g_fake.hOpen;
    return MMSYSERR_NOERROR;
}

static MMRESULT WINAPI FakeClose(HMIXER hmx)
{
    g_fake.closed.push_back(hmx);
    if (hmx == g_fake.hOpen)
        g_fake.hOpen = NULL;
    return MMSYSERR_NOERROR;
}

static MMRESULT WINAPI FakeGetLineInfoA(HMIXEROBJ hmxobj, LPMIXERLINEA pmxl, DWORD fdwInfo)
{
    if ((HMIXER)hmxobj != g_fake.hOpen || pmxl->cbStruct != sizeof(MIXERLINEA) ||
        fdwInfo != MIXER_GETLINEINFOF_COMPONENTTYPE)
        g_fake.bBadRequest = true;
    if (!g_fake.bHasSpeakers || pmxl->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS)
        return MIXERR_INVALLINE;
    pmxl->dwLineID = g_fake.dwLineID;
    return MMSYSERR_NOERROR;
}

static MMRESULT WINAPI FakeGetLineControlsA(HMIXEROBJ hmxobj, LPMIXERLINECONTROLSA pmxlc, DWORD fdwControls)
{
    if ((HMIXER)hmxobj != g_fake.hOpen || pmxlc->cbStruct != sizeof(MIXERLINECONTROLSA) ||
        pmxlc->cControls != 1 || pmxlc->cbmxctrl != sizeof(MIXERCONTROLA) || !pmxlc->pamxctrl ||
        fdwControls != MIXER_GETLINECONTROLSF_ONEBYTYPE || pmxlc->dwLineID != g_fake.dwLineID)
        g_fake.bBadRequest = true;
    if (pmxlc->dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME && g_fake.bHasVolume) {
        pmxlc->pamxctrl->dwControlID = g_fake.dwVolumeID;
        return MMSYSERR_NOERROR;
    }
    if (pmxlc->dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE && g_fake.bHasMute) {
        pmxlc->pamxctrl->dwControlID = g_fake.dwMuteID;
        return MMSYSERR_NOERROR;
    }
    return MIXERR_INVALCONTROL;
}

static MMRESULT WINAPI FakeGetControlDetailsA(HMIXEROBJ hmxobj, LPMIXERCONTROLDETAILS pmxcd, DWORD fdwDetails)
{
    if ((HMIXER)hmxobj != g_fake.hOpen || pmxcd->cbStruct != sizeof(MIXERCONTROLDETAILS) ||
        pmxcd->cChannels != 1 || pmxcd->cMultipleItems != 0 || pmxcd->cbDetails != sizeof(DWORD) ||
        fdwDetails != (MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE))
        g_fake.bBadRequest = true;
    DWORD *pdwValue = (DWORD *)pmxcd->paDetails;
    if (pmxcd->dwControlID == g_fake.dwVolumeID && g_fake.bHasVolume && !g_fake.bVolumeReadFails) {
        *pdwValue = g_fake.dwVolumeValue;
        return MMSYSERR_NOERROR;
    }
    if (pmxcd->dwControlID == g_fake.dwMuteID && g_fake.bHasMute && !g_fake.bMuteReadFails) {
        *pdwValue = g_fake.dwMuteValue;
        return MMSYSERR_NOERROR;
    }
    return MIXERR_INVALCONTROL;
}

void InstallFakeMixer()
{
    g_fake = FakeMixer();
    g_mixerApi.pfnGetNumDevs = FakeGetNumDevs;
    g_mixerApi.pfnOpen = FakeOpen;
    g_mixerApi.pfnClose = FakeClose;
    g_mixerApi.pfnGetLineInfoA = FakeGetLineInfoA;
    g_mixerApi.pfnGetLineControlsA = FakeGetLineControlsA;
    g_mixerApi.pfnGetControlDetailsA = FakeGetControlDetailsA;
    g_hMixer = NULL;
    g_dwVolumeControlID = NO_CONTROL;
    g_dwMuteControlID = NO_CONTROL;
}
