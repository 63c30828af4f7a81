#include "FakeAudio.h"

FakeMixer g_fakeMixer;
FakeCoreAudio* g_fakeCoreAudio = nullptr;

namespace {

const UINT_PTR HANDLE_BASE = 0x4D00;

FakeMixerDevice* DeviceOf(HMIXEROBJ object)
{
    UINT_PTR value = reinterpret_cast<UINT_PTR>(object);
    if (value < HANDLE_BASE || value >= HANDLE_BASE + g_fakeMixer.devices.size())
        return nullptr;
    FakeMixerDevice& device = g_fakeMixer.devices[value - HANDLE_BASE];
    return device.opens > device.closes ? &device : nullptr;
}

// Control ids encode their line and index, so a control is found from its id alone.
DWORD ControlId(DWORD line, DWORD index) { return (line << 8) | index; }

FakeControl* ControlOf(HMIXEROBJ object, MIXERCONTROLDETAILS* details)
{
    FakeMixerDevice* device = DeviceOf(object);
    if (!device || !details || details->cbStruct != sizeof *details || details->cChannels != 1 ||
        details->cbDetails < sizeof(MIXERCONTROLDETAILS_BOOLEAN) || !details->paDetails)
        return nullptr;
    DWORD line = details->dwControlID >> 8, index = details->dwControlID & 0xFF;
    if (line >= device->lines.size() || index >= device->lines[line].controls.size())
        return nullptr;
    return &device->lines[line].controls[index];
}

MMRESULT Misuse()
{
    ++g_fakeMixer.misuse;
    return MMSYSERR_INVALPARAM;
}

UINT WINAPI FakeGetNumDevs(void) { return static_cast<UINT>(g_fakeMixer.devices.size()); }

MMRESULT WINAPI FakeGetDevCaps(UINT_PTR id, LPMIXERCAPSW caps, UINT size)
{
    if (id >= g_fakeMixer.devices.size() || size != sizeof(MIXERCAPSW))
        return Misuse();
    const FakeMixerDevice& device = g_fakeMixer.devices[id];
    if (device.capsFail)
        return MMSYSERR_ERROR;
    ZeroMemory(caps, size);
    caps->cDestinations = static_cast<DWORD>(device.lines.size());
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeOpen(LPHMIXER mixer, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
{
    if (id >= g_fakeMixer.devices.size() || callback || instance || flags)
        return Misuse();
    FakeMixerDevice& device = g_fakeMixer.devices[id];
    if (device.openFails)
        return MMSYSERR_ALLOCATED;
    ++device.opens;
    *mixer = reinterpret_cast<HMIXER>(HANDLE_BASE + id);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetLineInfo(HMIXEROBJ object, LPMIXERLINEW line, DWORD flags)
{
    FakeMixerDevice* device = DeviceOf(object);
    if (!device || flags != MIXER_GETLINEINFOF_DESTINATION || line->cbStruct != sizeof *line)
        return Misuse();
    if (line->dwDestination >= device->lines.size())
        return MIXERR_INVALLINE;
    const FakeLine& fake = device->lines[line->dwDestination];
    line->dwLineID = 0xFFFF0000 | line->dwDestination;
    line->fdwLine = fake.flags;
    line->dwComponentType = fake.componentType;
    line->cControls = static_cast<DWORD>(fake.controls.size());
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetLineControls(HMIXEROBJ object, LPMIXERLINECONTROLSW query, DWORD flags)
{
    FakeMixerDevice* device = DeviceOf(object);
    if (!device || flags != MIXER_GETLINECONTROLSF_ALL || query->cbStruct != sizeof *query ||
        query->cbmxctrl != sizeof(MIXERCONTROLW))
        return Misuse();
    DWORD line = query->dwLineID & 0xFFFF;
    if (line >= device->lines.size() || query->cControls != device->lines[line].controls.size())
        return Misuse();
    const FakeLine& fake = device->lines[line];
    if (fake.controlsFail)
        return MMSYSERR_ERROR;
    for (DWORD i = 0; i < query->cControls; ++i) {
        ZeroMemory(&query->pamxctrl[i], sizeof(MIXERCONTROLW));
        query->pamxctrl[i].cbStruct = sizeof(MIXERCONTROLW);
        query->pamxctrl[i].dwControlID = ControlId(line, i);
        query->pamxctrl[i].dwControlType = fake.controls[i].type;
    }
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetControlDetails(HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD flags)
{
    FakeControl* control = ControlOf(object, details);
    if (!control || flags != MIXER_GETCONTROLDETAILSF_VALUE)
        return Misuse();
    if (control->readFails)
        return MMSYSERR_ERROR;
    static_cast<DWORD*>(details->paDetails)[0] = control->value;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeSetControlDetails(HMIXEROBJ object, LPMIXERCONTROLDETAILS details, DWORD flags)
{
    FakeControl* control = ControlOf(object, details);
    if (!control || flags != MIXER_SETCONTROLDETAILSF_VALUE)
        return Misuse();
    control->value = static_cast<DWORD*>(details->paDetails)[0];
    ++control->writes;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeClose(HMIXER mixer)
{
    FakeMixerDevice* device = DeviceOf(reinterpret_cast<HMIXEROBJ>(mixer));
    if (!device)
        return Misuse();
    ++device->closes;
    return MMSYSERR_NOERROR;
}

HRESULT WINAPI FakeCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out)
{
    *out = nullptr;
    FakeCoreAudio& fake = *g_fakeCoreAudio;
    ++fake.creations;
    if (clsid != CLSID_MMDeviceEnumerator || outer || context != CLSCTX_INPROC_SERVER ||
        iid != IID_IMMDeviceEnumerator)
        return E_INVALIDARG;
    if (SUCCEEDED(fake.createResult)) {
        fake.enumerator.AddRef();
        *out = static_cast<IMMDeviceEnumerator*>(&fake.enumerator);
    }
    return fake.createResult;
}

}  // namespace

FakeLine SpeakerLine(DWORD muteValue, DWORD flags)
{
    FakeLine line;
    line.flags = flags;
    FakeControl mute;
    mute.value = muteValue;
    line.controls.push_back(mute);
    return line;
}

void InstallFakeMixer()
{
    g_fakeMixer = FakeMixer();
    g_mixerApi = MIXER_API{FakeGetNumDevs, FakeGetDevCaps, FakeOpen, FakeGetLineInfo,
                           FakeGetLineControls, FakeGetControlDetails, FakeSetControlDetails, FakeClose};
}

void InstallFakeCoreAudio(FakeCoreAudio& fake)
{
    fake.enumerator.device = &fake.device;
    fake.device.volume = &fake.volume;
    g_fakeCoreAudio = &fake;
    g_pfnCreateInstance = FakeCreateInstance;
}
