// Two Orvex starts at the same moment: exactly one stays resident, the other ends with 0.
#include "OsdTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Suspended {
    PROCESS_INFORMATION pi = {};
    ~Suspended()
    {
        if (pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(pi.hProcess, 99);
        for (HANDLE h : {pi.hProcess, pi.hThread})
            if (h)
                CloseHandle(h);
    }
    bool Start(const std::string &exe)
    {
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        return CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL,
                              DirectoryOf(exe).c_str(), &si, &pi) != FALSE;
    }
    DWORD Code()
    {
        DWORD dw = STILL_ACTIVE;
        GetExitCodeProcess(pi.hProcess, &dw);
        return dw;
    }
};

TEST(OrvexStartRace, TwoStartsAtOnceLeaveOneResident)
{
    const std::string exe = BuildPath("KELVORA_ORVEX");
    ASSERT_FALSE(exe.empty()) << "KELVORA_ORVEX is not set";
    ASSERT_EQ(NULL, FindWindowA("Voldlg", "Orvex Window")) << "an Orvex is already running";
    for (int nTrial = 0; nTrial < 5; ++nTrial) {
        SCOPED_TRACE(nTrial);
        Suspended a, b;
        ASSERT_TRUE(a.Start(exe) && b.Start(exe));
        ResumeThread(a.pi.hThread);
        ResumeThread(b.pi.hThread);
        HANDLE both[2] = {a.pi.hProcess, b.pi.hProcess};
        const DWORD dwFirstEnded = WaitForMultipleObjects(2, both, FALSE, 10000);
        ASSERT_LT(dwFirstEnded, WAIT_OBJECT_0 + 2u) << "both stayed resident";
        Suspended &ended = dwFirstEnded == WAIT_OBJECT_0 ? a : b;
        Suspended &resident = dwFirstEnded == WAIT_OBJECT_0 ? b : a;
        EXPECT_EQ(0u, ended.Code());
        HWND hWnd = WaitForWindow("Voldlg", "Orvex Window", 10000);
        ASSERT_NE(nullptr, hWnd);
        EXPECT_EQ(STILL_ACTIVE, resident.Code());
        EXPECT_EQ(1, CountOrvexWindows());
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(resident.pi.hProcess, 10000));
        EXPECT_EQ(1u, resident.Code());
    }
}

}  // namespace
