// Fakes behind Hushwell's seams: a scriptable winmm mixer and Core Audio objects.
#pragma once

#include <vector>

#include "hushwell.h"
#include <mmdeviceapi.h>

// --- Mixer ---------------------------------------------------------------------------------
struct FakeControl {
    DWORD type = MIXERCONTROL_CONTROLTYPE_MUTE;
    DWORD value = 0;
    bool readFails = false;
    int writes = 0;
};

struct FakeLine {
    DWORD flags = MIXERLINE_LINEF_ACTIVE;
    DWORD componentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    bool controlsFail = false;
    std::vector<FakeControl> controls;
};

struct FakeMixerDevice {
    bool capsFail = false;
    bool openFails = false;
    std::vector<FakeLine> lines;
    int opens = 0;
    int closes = 0;
};

struct FakeMixer {
    std::vector<FakeMixerDevice> devices;
    int misuse = 0;  // calls with nonzero flags, unknown handles, bad sizes
};

extern FakeMixer g_fakeMixer;

// A speaker line holding just a mute control with this value.
FakeLine SpeakerLine(DWORD muteValue, DWORD flags = MIXERLINE_LINEF_ACTIVE);
// Resets the fake mixer and puts it behind g_mixerApi.
void InstallFakeMixer();

// --- Core Audio ----------------------------------------------------------------------------
template <typename Interface>
class FakeUnknown : public Interface {
public:
    LONG refs = 1;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

class FakeEndpointVolume : public FakeUnknown<IAudioEndpointVolume> {
public:
    BOOL muted = FALSE;
    HRESULT getMuteResult = S_OK;
    int setMuteCalls = 0;
    LPCGUID lastContext = reinterpret_cast<LPCGUID>(1);

    HRESULT STDMETHODCALLTYPE GetMute(BOOL* out) override
    {
        // A failing read may leave anything in the out value.
        *out = SUCCEEDED(getMuteResult) ? muted : TRUE;
        return getMuteResult;
    }
    HRESULT STDMETHODCALLTYPE SetMute(BOOL mute, LPCGUID context) override
    {
        ++setMuteCalls;
        muted = mute;
        lastContext = context;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return E_NOTIMPL; }
};

class FakeDevice : public FakeUnknown<IMMDevice> {
public:
    FakeEndpointVolume* volume = nullptr;
    HRESULT activateResult = S_OK;  // what Activate returns; the volume is handed out on success

    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT* params, void** out) override
    {
        *out = nullptr;
        if (iid != IID_IAudioEndpointVolume || context != CLSCTX_INPROC_SERVER || params)
            return E_INVALIDARG;
        if (SUCCEEDED(activateResult)) {
            volume->AddRef();
            *out = static_cast<IAudioEndpointVolume*>(volume);
        }
        return activateResult;
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetState(DWORD*) override { return E_NOTIMPL; }
};

class FakeEnumerator : public FakeUnknown<IMMDeviceEnumerator> {
public:
    FakeDevice* device = nullptr;
    HRESULT defaultResult = S_OK;

    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** out) override
    {
        *out = nullptr;
        if (flow != eRender || role != eConsole)
            return E_INVALIDARG;
        if (SUCCEEDED(defaultResult)) {
            device->AddRef();
            *out = device;
        }
        return defaultResult;
    }
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override { return E_NOTIMPL; }
};

// The objects the fake creation function hands out, wired together.
struct FakeCoreAudio {
    FakeEndpointVolume volume;
    FakeDevice device;
    FakeEnumerator enumerator;
    HRESULT createResult = S_OK;
    int creations = 0;
};

extern FakeCoreAudio* g_fakeCoreAudio;
// Puts this fake behind g_pfnCreateInstance.
void InstallFakeCoreAudio(FakeCoreAudio& fake);
