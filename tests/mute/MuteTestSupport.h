// Shared fixture: every seam behind a fake, the instance's state reset, the indicator torn down.
#pragma once

#include <gtest/gtest.h>

#include "FakeAudio.h"
#include "res/resource.h"

class HushwellTest : public ::testing::Test {
protected:
    static inline DWORD s_version = 5;
    static DWORD FakeMajorVersion() { return s_version; }

    FakeCoreAudio m_core;

    void SetUp() override
    {
        InstallFakeMixer();
        InstallFakeCoreAudio(m_core);
        s_version = 5;
        g_pfnGetMajorVersion = FakeMajorVersion;
        g_hInstance = GetModuleHandleW(nullptr);
        g_hIndicator = nullptr;
        g_hSharedBlock = nullptr;
        g_bCoreAudio = false;
        g_pEndpointVolume = nullptr;
    }

    void TearDown() override
    {
        if (g_hIndicator && IsWindow(g_hIndicator))
            DestroyWindow(g_hIndicator);
        Pump();
        g_mixerApi = WINMM_MIXER_API;
        g_pfnCreateInstance = CoCreateInstance;
        g_pfnGetMajorVersion = GetSystemMajorVersion;
    }

    // The indicator as the program creates it; null when its initialisation destroyed it.
    static HWND CreateIndicator()
    {
        return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INDICATOR), nullptr,
                                  IndicatorDlgProc, 0);
    }

    // Handles everything queued; true when a WM_QUIT was among it.
    static bool Pump()
    {
        bool quit = false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            DispatchMessageW(&msg);
        }
        return quit;
    }

    static HICON ShownIcon()
    {
        return reinterpret_cast<HICON>(
            SendDlgItemMessageW(g_hIndicator, IDC_INDICATOR_ICON, STM_GETICON, 0, 0));
    }
};
