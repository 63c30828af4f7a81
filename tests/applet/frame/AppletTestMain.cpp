// The applet's unit tests: this program is the module that holds Pallum's resources, and it
// has the application object the .cpl would have.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "PallumApp.h"

CPallumApp theApp;

int main(int argc, char** argv)
{
    InitCommonControls();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
