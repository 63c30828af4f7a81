// Orvex.dll's hook procedure, called as the shell calls it.
#include "OsdTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class HookProcTest : public ::testing::Test {
protected:
    HMODULE m_hLibrary = NULL;
    HOOKPROC m_pfnHook = NULL;
    HWND m_hTarget = NULL;
    HWND m_hSource = (HWND)(UINT_PTR)0x5678;

    void SetUp() override
    {
        m_hLibrary = LoadLibraryA(BuildPath("KELVORA_ORVEXHOOK").c_str());
        ASSERT_TRUE(m_hLibrary);
        m_pfnHook = (HOOKPROC)(void *)GetProcAddress(m_hLibrary, "HookProc");
        ASSERT_TRUE(m_pfnHook);

        ASSERT_TRUE(RegisterPlainClass("Voldlg"));
        m_hTarget = CreateWindowExA(0, "Voldlg", "Orvex Window", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0,
                                    NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(m_hTarget);
    }

    void TearDown() override
    {
        DestroyWindow(m_hTarget);
        UnregisterClassA("Voldlg", GetModuleHandleA(NULL));
        FreeLibrary(m_hLibrary);
    }

    // The WM_APPCOMMAND lParams that reached the target window.
    std::vector<LPARAM> Delivered()
    {
        std::vector<LPARAM> result;
        MSG msg;
        while (PeekMessageA(&msg, m_hTarget, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_APPCOMMAND) {
                EXPECT_EQ((WPARAM)m_hSource, msg.wParam);
                result.push_back(msg.lParam);
            }
        }
        return result;
    }
};

TEST_F(HookProcTest, PostsTheThreeVolumeCommandsToTheOrvexWindow)
{
    const int commands[] = {APPCOMMAND_VOLUME_MUTE, APPCOMMAND_VOLUME_DOWN, APPCOMMAND_VOLUME_UP};
    for (int nCommand : commands) {
        LPARAM lParam = MAKELPARAM(0, nCommand | FAPPCOMMAND_KEY);
        EXPECT_EQ(0, m_pfnHook(HSHELL_APPCOMMAND, (WPARAM)m_hSource, lParam));
        EXPECT_EQ(std::vector<LPARAM>{lParam}, Delivered()) << "command " << nCommand;
    }
    // The device bits travel unchanged; the program decides what they mean.
    LPARAM lMouse = MAKELPARAM(0, APPCOMMAND_VOLUME_UP | FAPPCOMMAND_MOUSE);
    m_pfnHook(HSHELL_APPCOMMAND, (WPARAM)m_hSource, lMouse);
    EXPECT_EQ(std::vector<LPARAM>{lMouse}, Delivered());
}

TEST_F(HookProcTest, IgnoresOtherCommandsOtherNotificationsAndAMissingWindow)
{
    m_pfnHook(HSHELL_APPCOMMAND, (WPARAM)m_hSource, MAKELPARAM(0, APPCOMMAND_MEDIA_PLAY_PAUSE));
    m_pfnHook(HSHELL_APPCOMMAND, (WPARAM)m_hSource, MAKELPARAM(0, APPCOMMAND_MICROPHONE_VOLUME_UP));
    m_pfnHook(HSHELL_WINDOWCREATED, (WPARAM)m_hSource, MAKELPARAM(0, APPCOMMAND_VOLUME_UP));
    m_pfnHook(-1, (WPARAM)m_hSource, MAKELPARAM(0, APPCOMMAND_VOLUME_UP));
    EXPECT_TRUE(Delivered().empty());

    SetWindowTextA(m_hTarget, "Another Window");
    m_pfnHook(HSHELL_APPCOMMAND, (WPARAM)m_hSource, MAKELPARAM(0, APPCOMMAND_VOLUME_UP));
    EXPECT_TRUE(Delivered().empty());
}

} // namespace
