// Switching the mute state: the Core Audio endpoint on major version 6 and later, the speaker
// lines of every mixer device before that.
#include "hushwell.h"

#include <mmdeviceapi.h>
#include <string.h>

#include "res/resource.h"

// MinGW's import libraries lack these.
EXTERN_C const CLSID CLSID_MMDeviceEnumerator =
    {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
EXTERN_C const IID IID_IMMDeviceEnumerator =
    {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
EXTERN_C const IID IID_IAudioEndpointVolume =
    {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};

bool g_bCoreAudio = false;
IAudioEndpointVolume* g_pEndpointVolume = nullptr;
HICON g_hMuteIcon = nullptr;
HICON g_hSoundIcon = nullptr;

namespace {

// winmm and ole32 are bound when the first instance needs one of them: a later start, which
// only hands its request over, then loads neither. Both come from the system folder only.
HMODULE LoadSystemLibrary(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + wcslen(name) >= MAX_PATH)
        return nullptr;
    path[length] = L'\\';
    wcscpy(path + length + 1, name);
    return LoadLibraryW(path);
}

template <typename Proc>
void Bind(Proc& proc, HMODULE module, const char* name)
{
    proc = module ? reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The mixer functions of winmm itself; all null when winmm can't be loaded.
const MIXER_API& Winmm(void)
{
    static MIXER_API api;
    static bool bound = false;
    if (!bound) {
        bound = true;
        HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
        Bind(api.GetNumDevs, winmm, "mixerGetNumDevs");
        Bind(api.GetDevCapsW, winmm, "mixerGetDevCapsW");
        Bind(api.Open, winmm, "mixerOpen");
        Bind(api.GetLineInfoW, winmm, "mixerGetLineInfoW");
        Bind(api.GetLineControlsW, winmm, "mixerGetLineControlsW");
        Bind(api.GetControlDetailsW, winmm, "mixerGetControlDetailsW");
        Bind(api.SetControlDetails, winmm, "mixerSetControlDetails");
        Bind(api.Close, winmm, "mixerClose");
    }
    return api;
}

UINT WINAPI WinmmGetNumDevs(void)
{
    UINT (WINAPI *proc)(void) = Winmm().GetNumDevs;
    return proc ? proc() : 0;
}

// Any other mixer function of winmm; without winmm it fails as with no driver.
template <auto Member, typename... Args>
MMRESULT WINAPI WinmmCall(Args... args)
{
    const auto proc = Winmm().*Member;
    return proc ? proc(args...) : MMSYSERR_NODRIVER;
}

struct OLE32_API {
    HRESULT (WINAPI *Initialize)(LPVOID);
    void (WINAPI *Uninitialize)(void);
    CREATE_INSTANCE_PROC CreateInstance;
};

const OLE32_API& Ole32(void)
{
    static OLE32_API api;
    static bool bound = false;
    if (!bound) {
        bound = true;
        HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");
        Bind(api.Initialize, ole32, "CoInitialize");
        Bind(api.Uninitialize, ole32, "CoUninitialize");
        Bind(api.CreateInstance, ole32, "CoCreateInstance");
    }
    return api;
}

}  // namespace

const MIXER_API WINMM_MIXER_API = {
    WinmmGetNumDevs, WinmmCall<&MIXER_API::GetDevCapsW>, WinmmCall<&MIXER_API::Open>,
    WinmmCall<&MIXER_API::GetLineInfoW>, WinmmCall<&MIXER_API::GetLineControlsW>,
    WinmmCall<&MIXER_API::GetControlDetailsW>, WinmmCall<&MIXER_API::SetControlDetails>,
    WinmmCall<&MIXER_API::Close>,
};
MIXER_API g_mixerApi = WINMM_MIXER_API;

void LoadWinmm(void)
{
    // Asking for the devices makes winmm load its drivers, the slow part of a first mixer
    // call, which would otherwise eat into the indicator's two seconds.
    WinmmGetNumDevs();
}

HRESULT WINAPI Ole32CreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object)
{
    if (CREATE_INSTANCE_PROC proc = Ole32().CreateInstance)
        return proc(clsid, outer, context, iid, object);
    if (object)
        *object = nullptr;
    return REGDB_E_CLASSNOTREG;
}
CREATE_INSTANCE_PROC g_pfnCreateInstance = Ole32CreateInstance;

namespace {

// Each detail of a mute control read and written as 8 bytes, its value in the first four.
const DWORD MUTE_DETAIL_SIZE = 8;
// A driver writes one detail per channel and item; more items than this are not a mute
// switch Hushwell can hold, and such a control is passed over.
const DWORD MAX_MUTE_ITEMS = 32;

// A mute control's value as the mixer reads and writes it: one channel, room for every item.
struct MuteDetails {
    MIXERCONTROLDETAILS details;
    DWORD value[MAX_MUTE_ITEMS * MUTE_DETAIL_SIZE / sizeof(DWORD)];
};

// False when the control has more items than the buffer holds.
bool PrepareMuteDetails(MuteDetails& mute, const MIXERCONTROLW& control)
{
    if (control.cMultipleItems > MAX_MUTE_ITEMS)
        return false;
    ZeroMemory(&mute, sizeof mute);
    mute.details.cbStruct = sizeof mute.details;
    mute.details.dwControlID = control.dwControlID;
    mute.details.cChannels = 1;
    mute.details.cMultipleItems = control.cMultipleItems;
    mute.details.cbDetails = MUTE_DETAIL_SIZE;
    mute.details.paDetails = mute.value;
    return true;
}

// Calls visit(mixer, details) for the first mute control of each active speaker line of one
// open mixer; the details are prepared but not yet read.
template <typename Visit>
void VisitSpeakerMutes(HMIXER mixer, DWORD destinations, Visit visit)
{
    HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(mixer);
    for (DWORD d = 0; d < destinations; ++d) {
        MIXERLINEW line;
        ZeroMemory(&line, sizeof line);
        line.cbStruct = sizeof line;
        line.dwDestination = d;
        line.dwSource = 0;
        if (g_mixerApi.GetLineInfoW(object, &line, MIXER_GETLINEINFOF_DESTINATION) != MMSYSERR_NOERROR)
            continue;
        // Exactly active: a disconnected or otherwise flagged line is left alone.
        if (line.fdwLine != MIXERLINE_LINEF_ACTIVE ||
            line.dwComponentType != MIXERLINE_COMPONENTTYPE_DST_SPEAKERS || line.cControls == 0)
            continue;
        // A count whose array size would wrap cannot be a real line's.
        if (line.cControls > MAXDWORD / sizeof(MIXERCONTROLW))
            continue;

        // Allocated for this line and freed before the next.
        MIXERCONTROLW* controls = static_cast<MIXERCONTROLW*>(
            HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, line.cControls * sizeof(MIXERCONTROLW)));
        if (!controls)
            continue;
        MIXERLINECONTROLSW query;
        ZeroMemory(&query, sizeof query);
        query.cbStruct = sizeof query;
        query.dwLineID = line.dwLineID;
        query.dwControlID = 0;
        query.cControls = line.cControls;
        query.cbmxctrl = sizeof(MIXERCONTROLW);
        query.pamxctrl = controls;
        if (g_mixerApi.GetLineControlsW(object, &query, MIXER_GETLINECONTROLSF_ALL) == MMSYSERR_NOERROR) {
            for (DWORD i = 0; i < line.cControls; ++i) {
                if (controls[i].dwControlType == MIXERCONTROL_CONTROLTYPE_MUTE) {
                    MuteDetails mute;
                    if (PrepareMuteDetails(mute, controls[i]))
                        visit(object, mute);
                    break;
                }
            }
        }
        HeapFree(GetProcessHeap(), 0, controls);
    }
}

// Opens mixer device id for the visit of its speaker mutes; false when its capabilities can't
// be read. A device that can't be opened is passed over.
template <typename Visit>
bool VisitDeviceMutes(UINT id, Visit visit)
{
    MIXERCAPSW caps;
    if (g_mixerApi.GetDevCapsW(id, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return false;
    HMIXER mixer = nullptr;
    if (g_mixerApi.Open(&mixer, id, 0, 0, 0) == MMSYSERR_NOERROR) {
        VisitSpeakerMutes(mixer, caps.cDestinations, visit);
        g_mixerApi.Close(mixer);
    }
    return true;
}

bool ReadMuteDetails(HMIXEROBJ object, MuteDetails& mute)
{
    return g_mixerApi.GetControlDetailsW(object, &mute.details, MIXER_GETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

// Posted, not sent: the control shows the icon once the dialog's loop runs again.
void PostIndicatorIcon(HICON icon)
{
    PostMessageW(GetDlgItem(g_hIndicator, IDC_INDICATOR_ICON), STM_SETICON,
                 reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace

DWORD GetSystemMajorVersion(void)
{
    OSVERSIONINFOW version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version))
        return 0;
    return version.dwMajorVersion;
}

GET_MAJOR_VERSION_PROC g_pfnGetMajorVersion = GetSystemMajorVersion;

int ReadMixerMute(void)
{
    int result = -1;
    UINT count = g_mixerApi.GetNumDevs();
    for (UINT id = 0; id < count && result == -1; ++id) {
        // Every destination is examined: a later speaker line's value replaces an earlier one's.
        // Any nonzero value is muted; reported as 1 so that all bits set is not taken for -1.
        bool listed = VisitDeviceMutes(id, [&result](HMIXEROBJ object, MuteDetails& mute) {
            if (ReadMuteDetails(object, mute))
                result = mute.value[0] != 0;
        });
        if (!listed)
            break;
    }
    return result;
}

void SetMixerMute(DWORD value)
{
    UINT count = g_mixerApi.GetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        // A device whose capabilities can't be read is skipped; every other one is switched.
        VisitDeviceMutes(id, [value](HMIXEROBJ object, MuteDetails& mute) {
            if (!ReadMuteDetails(object, mute))
                return;
            mute.value[0] = value;
            g_mixerApi.SetControlDetails(object, &mute.details, MIXER_SETCONTROLDETAILSF_VALUE);
        });
    }
}

void InitEndpointVolume(void)
{
    const OLE32_API& ole32 = Ole32();
    if (ole32.Initialize)
        ole32.Initialize(nullptr);

    IMMDeviceEnumerator* enumerator = nullptr;
    IMMDevice* device = nullptr;
    IAudioEndpointVolume* volume = nullptr;
    HRESULT hr = g_pfnCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IMMDeviceEnumerator, reinterpret_cast<void**>(&enumerator));
    if (hr == S_OK)
        hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    if (hr == S_OK)
        hr = device->Activate(IID_IAudioEndpointVolume, CLSCTX_INPROC_SERVER, nullptr,
                              reinterpret_cast<void**>(&volume));
    if (hr == S_OK)
        g_pEndpointVolume = volume;

    if (device)
        device->Release();
    if (enumerator)
        enumerator->Release();

    if (hr != S_OK) {
        if (volume)
            volume->Release();
        if (ole32.Uninitialize)
            ole32.Uninitialize();
        DestroyWindow(g_hIndicator);
    }
}

void ToggleEndpointMute(void)
{
    if (!g_pEndpointVolume) {
        PostMessageW(g_hIndicator, WM_CLOSE, 0, 0);
        return;
    }
    // A failed read counts as sound on, whatever it left in the out value.
    BOOL muted = FALSE;
    if (FAILED(g_pEndpointVolume->GetMute(&muted)))
        muted = FALSE;
    PostIndicatorIcon(muted ? g_hSoundIcon : g_hMuteIcon);
    g_pEndpointVolume->SetMute(!muted, nullptr);
    ShowWindow(g_hIndicator, SW_SHOW);
}

void ReleaseEndpointVolume(void)
{
    if (g_bCoreAudio && g_pEndpointVolume) {
        g_pEndpointVolume->Release();
        g_pEndpointVolume = nullptr;
        if (void (WINAPI *uninitialize)(void) = Ole32().Uninitialize)
            uninitialize();
    }
}

void ToggleMute(void)
{
    // On a running timer this restarts the period.
    SetTimer(g_hIndicator, CLOSE_TIMER_ID, CLOSE_TIMER_PERIOD, nullptr);
    if (g_bCoreAudio) {
        ToggleEndpointMute();
        return;
    }
    int state = ReadMixerMute();
    if (state == -1) {
        PostMessageW(g_hIndicator, WM_CLOSE, 0, 0);
        return;
    }
    bool mute = state == 0;
    PostIndicatorIcon(mute ? g_hMuteIcon : g_hSoundIcon);
    SetMixerMute(mute ? 1 : 0);
    ShowWindow(g_hIndicator, SW_SHOW);
}
