// Hushwell.exe as a user meets it: real processes started one after another, the indicator
// watched on the screen. Wine keeps the mute state per process, so every first instance starts
// with sound on and its first toggle mutes. Both ways are run: Wine reports the Windows version
// per program from HKCU\Software\Wine\AppDefaults\Hushwell.exe, value Version.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "IconColours.h"
#include "RegistryScratch.h"

namespace {

const wchar_t MUTEX_NAME[] = L"Local\\Hushwell";
const wchar_t BLOCK_NAME[] = L"Local\\HushwellFile";
const UINT WM_TOGGLE_MUTE = WM_USER + 100;
const DWORD WINDOW_TIMEOUT_MS = 10000;

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
}

std::wstring HushwellPath()
{
    wchar_t path[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"KELVORA_HUSHWELL", path, MAX_PATH);
    return path;
}

// A started Hushwell; ended by force if a test leaves it running.
struct Process {
    PROCESS_INFORMATION pi = {};
    DWORD started = 0;
    DWORD ended = 0;

    explicit Process(DWORD flags = 0)
    {
        std::wstring exe = HushwellPath();
        std::wstring cmd = L"\"" + exe + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        started = GetTickCount();
        EXPECT_TRUE(CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi))
            << "KELVORA_HUSHWELL=" << std::string(exe.begin(), exe.end());
    }
    bool Running() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code, or -1 when the program has not ended in time.
    int Ended(DWORD timeoutMs)
    {
        if (!pi.hProcess || WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        ended = GetTickCount();
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return static_cast<int>(code);
    }
    ~Process()
    {
        if (!pi.hProcess)
            return;
        if (Running()) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
};

// The visible indicator (a dialog) of the given process, or null.
HWND FindIndicator(const Process& process)
{
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, L"#32770", nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == process.pi.dwProcessId && IsWindowVisible(hwnd))
            return hwnd;
    }
    return nullptr;
}

// What the shared block holds; 0 when there is none.
DWORD BlockValue()
{
    DWORD value = 0;
    HANDLE block = OpenFileMappingW(FILE_MAP_READ, FALSE, BLOCK_NAME);
    if (!block)
        return value;
    if (const void* view = MapViewOfFile(block, FILE_MAP_READ, 0, 0, 4)) {
        memcpy(&value, view, 4);
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
    return value;
}

// Serves as the debugger of a process started with DEBUG_ONLY_THIS_PROCESS: calls onLoad with
// each library's lower-case base name while the process stands still, and detaches when onLoad
// returns false. True when it detached or the process ended within the timeout.
bool Debug(const Process& process, const std::function<bool(const std::wstring&)>& onLoad)
{
    DEBUG_EVENT event;
    while (WaitForDebugEvent(&event, WINDOW_TIMEOUT_MS)) {
        bool more = true;
        if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile) {
            wchar_t path[MAX_PATH] = L"";
            if (GetFinalPathNameByHandleW(event.u.LoadDll.hFile, path, MAX_PATH, 0) < MAX_PATH) {
                std::wstring name = path;
                name = name.substr(name.find_last_of(L"\\/") + 1);
                CharLowerW(&name[0]);
                more = onLoad(name);
            }
            CloseHandle(event.u.LoadDll.hFile);
        }
        if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile)
            CloseHandle(event.u.CreateProcessInfo.hFile);
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId,
                           event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT ? DBG_EXCEPTION_NOT_HANDLED : DBG_CONTINUE);
        if (!more)
            return DebugActiveProcessStop(process.pi.dwProcessId) != FALSE;
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return true;
    }
    return false;
}

enum class Shown { Nothing, Muted, Sound };

// What the indicator shows, read from the screen.
Shown ShownOnScreen(HWND indicator)
{
    RECT r;
    if (!GetWindowRect(indicator, &r))
        return Shown::Nothing;
    IconColours colours(ScreenPixels(nullptr, r));
    if (colours.Sound())
        return Shown::Sound;
    return colours.Muted() ? Shown::Muted : Shown::Nothing;
}

bool Shows(HWND indicator, Shown what, DWORD timeoutMs = 3000)
{
    return WaitFor([&] { return ShownOnScreen(indicator) == what; }, timeoutMs);
}

// Hushwell is built and no instance is left (a previous test's may still be on its way out).
void AssertReadyToStart()
{
    ASSERT_FALSE(HushwellPath().empty()) << "KELVORA_HUSHWELL is not set";
    ASSERT_TRUE(WaitFor([] {
        HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, MUTEX_NAME);
        if (mutex)
            CloseHandle(mutex);
        return mutex == nullptr;
    }, WINDOW_TIMEOUT_MS));
}

// Sets the Windows version Wine reports to Hushwell.exe, for the scope.
class WineVersionFor : public CRegValueOverride {
public:
    explicit WineVersionFor(const wchar_t* version)
        : CRegValueOverride(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Hushwell.exe", "Version",
                            std::string(version, version + lstrlenW(version)))
    {
        EXPECT_TRUE(Written());
    }
};

// --- Both ways ------------------------------------------------------------------------------

class BothWays : public ::testing::TestWithParam<const wchar_t*> {
protected:
    WineVersionFor m_version{GetParam()};

    void SetUp() override { ASSERT_NO_FATAL_FAILURE(AssertReadyToStart()); }

    // The first instance's indicator once it shows the mute icon, or null.
    static HWND MutedIndicator(const Process& first)
    {
        HWND indicator = nullptr;
        WaitFor([&] { return (indicator = FindIndicator(first)) != nullptr; }, WINDOW_TIMEOUT_MS);
        return indicator && Shows(indicator, Shown::Muted) ? indicator : nullptr;
    }
};

TEST_P(BothWays, OneStartMutesShowsTheIndicatorForTwoSecondsAndEnds)
{
    Process first;
    HWND indicator = MutedIndicator(first);
    ASSERT_NE(indicator, nullptr);
    DWORD shown = GetTickCount();

    RECT r;
    GetWindowRect(indicator, &r);
    EXPECT_EQ(r.right - r.left, 72);
    EXPECT_EQ(r.bottom - r.top, 72);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    EXPECT_EQ(r.left, (desktop.right - desktop.left - 72) / 2);
    EXPECT_EQ(r.top, (desktop.bottom - desktop.top - 72) / 2);

    // The shared block names the indicator, low 32 bits at offset 0.
    EXPECT_EQ(BlockValue(), static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(indicator)));

    EXPECT_EQ(first.Ended(WINDOW_TIMEOUT_MS), 0);
    DWORD visible = first.ended - shown;
    EXPECT_GE(visible, 1700u);
    EXPECT_LE(visible, 4000u);
}

TEST_P(BothWays, SecondStartHandsOverEndsAtOnceAndRestartsThePeriod)
{
    Process first;
    HWND indicator = MutedIndicator(first);
    ASSERT_NE(indicator, nullptr);
    DWORD shown = GetTickCount();
    // Well inside the first period, late enough that a restart is visible in its length.
    Sleep(800);

    Process second;
    EXPECT_EQ(second.Ended(WINDOW_TIMEOUT_MS), 0);
    EXPECT_LT(second.ended - second.started, 1500u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(Shows(indicator, Shown::Sound));

    EXPECT_EQ(first.Ended(WINDOW_TIMEOUT_MS), 0);
    EXPECT_GE(first.ended - second.started, 1700u);
    EXPECT_GE(first.ended - shown, 2500u);
}

// A second start while the first is about to load its sound library (the slow part, stopped
// there by this test as its debugger): the window is published already and the toggle is kept.
TEST_P(BothWays, ASecondStartWhileTheFirstLoadsItsSoundLibraryIsHandedOver)
{
    Process first(DEBUG_ONLY_THIS_PROCESS);
    DWORD published = 0;
    ASSERT_TRUE(Debug(first, [&](const std::wstring& name) {
        if (name != L"winmm.dll" && name != L"ole32.dll" && name != L"combase.dll")
            return true;
        published = BlockValue();
        Process second;
        EXPECT_EQ(second.Ended(WINDOW_TIMEOUT_MS), 0);
        return false;
    }));
    HWND indicator = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (indicator = FindIndicator(first)) != nullptr; }, WINDOW_TIMEOUT_MS));
    EXPECT_EQ(published, static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(indicator)));
    EXPECT_TRUE(Shows(indicator, Shown::Sound));
    EXPECT_EQ(first.Ended(WINDOW_TIMEOUT_MS), 0);
}

TEST_P(BothWays, ThreeQuickStartsLeaveTheMutedIcon)
{
    Process first;
    HWND indicator = MutedIndicator(first);
    ASSERT_NE(indicator, nullptr);

    Process second;
    EXPECT_EQ(second.Ended(WINDOW_TIMEOUT_MS), 0);
    EXPECT_TRUE(Shows(indicator, Shown::Sound));
    Process third;
    EXPECT_EQ(third.Ended(WINDOW_TIMEOUT_MS), 0);
    EXPECT_TRUE(Shows(indicator, Shown::Muted));
    EXPECT_EQ(FindIndicator(second), nullptr);
    EXPECT_EQ(FindIndicator(third), nullptr);

    EXPECT_EQ(first.Ended(WINDOW_TIMEOUT_MS), 0);
}

INSTANTIATE_TEST_SUITE_P(Hushwell, BothWays, ::testing::Values(L"winxp", L"win10"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return lstrcmpW(info.param, L"winxp") == 0 ? std::string("Mixer")
                                                                        : std::string("CoreAudio");
                         });

// --- The hand-over as a later start sees it ---------------------------------------------------
// This process plays the running instance: it holds the mutex and, as the case may be, the block.

class LaterStart : public ::testing::Test {
protected:
    HANDLE m_mutex = nullptr;
    HWND m_receiver = nullptr;

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(AssertReadyToStart());
        m_mutex = CreateMutexW(nullptr, TRUE, MUTEX_NAME);
        ASSERT_NE(m_mutex, nullptr);
        m_receiver = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(m_receiver, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(m_receiver);
        ReleaseMutex(m_mutex);
        CloseHandle(m_mutex);
    }

    // Starts Hushwell, checks it shows nothing and ends with 0, and counts the requests it sent.
    int RequestsFromOneStart()
    {
        Process later;
        bool showed = false;
        WaitFor([&] {
            showed = showed || FindIndicator(later) != nullptr;
            return !later.Running();
        }, WINDOW_TIMEOUT_MS);
        EXPECT_FALSE(showed);
        EXPECT_EQ(later.Ended(0), 0);
        int requests = 0;
        MSG msg;
        while (PeekMessageW(&msg, m_receiver, WM_TOGGLE_MUTE, WM_TOGGLE_MUTE, PM_REMOVE))
            requests += msg.wParam == 0 && msg.lParam == 0;
        return requests;
    }

    static HANDLE CreateBlockHolding(DWORD value)
    {
        HANDLE block = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, BLOCK_NAME);
        void* view = MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, 4);
        memcpy(view, &value, 4);
        UnmapViewOfFile(view);
        return block;
    }
};

TEST_F(LaterStart, PostsTheRequestToTheWindowInTheBlock)
{
    HANDLE block = CreateBlockHolding(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(m_receiver)));
    EXPECT_EQ(RequestsFromOneStart(), 1);
    CloseHandle(block);
}

TEST_F(LaterStart, DoesNothingWhileTheBlockIsGoneOrEmpty)
{
    // Between the running instance's cleanup and its release of the mutex: no block.
    EXPECT_EQ(RequestsFromOneStart(), 0);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_READ, FALSE, BLOCK_NAME), nullptr);

    // Starting up, before the handle is written: a block holding 0.
    HANDLE block = CreateBlockHolding(0);
    EXPECT_EQ(RequestsFromOneStart(), 0);
    CloseHandle(block);
}

// The base names of the libraries a later start loads, seen as its debugger; empty when it
// could not be started or did not end in time.
std::vector<std::wstring> LibrariesOfOneStart()
{
    std::vector<std::wstring> names;
    Process later(DEBUG_ONLY_THIS_PROCESS);
    if (!Debug(later, [&](const std::wstring& name) { names.push_back(name); return true; }))
        names.clear();
    return names;
}

// What only the first instance needs (the mixer, Core Audio) stays unloaded in a hand-over.
TEST_F(LaterStart, LoadsNeitherTheMixerNorCom)
{
    HANDLE block = CreateBlockHolding(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(m_receiver)));
    std::vector<std::wstring> names = LibrariesOfOneStart();
    CloseHandle(block);
    ASSERT_NE(std::find(names.begin(), names.end(), L"user32.dll"), names.end());
    for (const wchar_t* name : {L"winmm.dll", L"ole32.dll", L"combase.dll", L"mmdevapi.dll"})
        EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << "loaded " << std::string(name, name + wcslen(name));
}

}  // namespace
