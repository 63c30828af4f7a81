// The pieces the pages share: the picture control, item states, the warning box and the
// shell's program lookup.
#include <windows.h>

#include <string>

#include "FakeMirrend.h"
#include "PageUtil.h"
#include "Pixels.h"
#include "AppletTestSupport.h"
#include "resource.h"

namespace {

// A parent window with a few children, as a dialog would have them.
class CTestParent {
public:
    CTestParent()
    {
        m_hWnd = CreateWindowA(
            "STATIC", "parent", WS_POPUP | WS_VISIBLE, 50, 50, 200, 120, nullptr, nullptr, nullptr, nullptr);
        m_hButton = CreateWindowA("BUTTON", "b", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, m_hWnd,
            reinterpret_cast<HMENU>(101), nullptr, nullptr);
        m_hPicture = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 60, 10, 8, 8, m_hWnd,
            reinterpret_cast<HMENU>(102), nullptr, nullptr);
    }
    ~CTestParent() { DestroyWindow(m_hWnd); }
    HWND m_hWnd, m_hButton, m_hPicture;
};

using PageUtilTest = AppletTest;

TEST_F(PageUtilTest, SetDlgItemStateChangesOnlyWhatItIsAsked)
{
    CTestParent parent;
    // Applied in order to the same item: each step's result state.
    const struct {
        int nEnable, nShow;
        bool bEnabled, bVisible;
    } steps[] = {
        { FALSE, ITEM_UNCHANGED, false, true },
        { ITEM_UNCHANGED, SW_HIDE, false, false },
        { ITEM_UNCHANGED, ITEM_UNCHANGED, false, false },
        { TRUE, SW_SHOW, true, true },
    };
    for (const auto& step : steps) {
        const std::string strStep = std::to_string(step.nEnable) + ", " + std::to_string(step.nShow);
        EXPECT_TRUE(SetDlgItemState(parent.m_hWnd, 101, step.nEnable, step.nShow)) << strStep;
        EXPECT_EQ(step.bEnabled, IsWindowEnabled(parent.m_hButton) != FALSE) << strStep;
        EXPECT_EQ(step.bVisible, IsWindowVisible(parent.m_hButton) != FALSE) << strStep;
    }
    EXPECT_FALSE(SetDlgItemState(parent.m_hWnd, 4711, FALSE, SW_HIDE));
    EXPECT_FALSE(SetDlgItemState(nullptr, 101, FALSE, SW_HIDE));
}

TEST_F(PageUtilTest, BitmapStaticShowsMagentaAsTheWindowColour)
{
    CTestParent parent;
    CBitmapStatic picture;
    EXPECT_FALSE(picture.SubclassBitmap(IDB_TEST_MAPPED, nullptr));
    EXPECT_EQ(0u, picture.m_nBitmapId);

    ASSERT_TRUE(picture.SubclassBitmap(IDB_TEST_MAPPED, CWnd::FromHandle(parent.m_hPicture)));
    EXPECT_EQ(static_cast<UINT>(IDB_TEST_MAPPED), picture.m_nBitmapId);
    ASSERT_NE(nullptr, picture.m_bitmap.GetSafeHandle());
    UpdateWindow(parent.m_hWnd);
    HDC hDC = GetDC(parent.m_hPicture);
    const COLORREF window = GetNearestColor(hDC, GetSysColor(COLOR_WINDOW));
    ReleaseDC(parent.m_hPicture, hDC);
    const CPixels shown = ScreenPixels(parent.m_hPicture, RECT{0, 0, 8, 8});
    EXPECT_EQ(window, shown.At(0, 0));
    EXPECT_EQ(window, shown.At(3, 7));
    EXPECT_EQ(RGB(200, 0, 0), shown.At(5, 1));
    EXPECT_EQ(RGB(254, 0, 255), shown.At(6, 6));

    // A missing resource: the control is blank, nothing fails.
    picture.m_nBitmapId = 9999;
    picture.LoadMappedBitmap();
    EXPECT_EQ(nullptr, picture.m_bitmap.GetSafeHandle());
    InvalidateRect(parent.m_hPicture, nullptr, TRUE);
    UpdateWindow(parent.m_hPicture);
}

TEST_F(PageUtilTest, WarningBoxShowsTheStringUnderWarning)
{
    const std::vector<std::string> boxes = AnswerMessageBoxes([] { ShowWarningBox(nullptr, IDS_ERR_REGISTRY_WRITE); });
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Warning.|Registry write error.", boxes[0]);
}

const char kProtocol[] = "kelvoratest.proto";
const char kFileClass[] = "kelvoratest.file";
const char kExtension[] = ".kelvoratest";

class AssociationTest : public AppletTest {
protected:
    void SetUp() override
    {
        AppletTest::SetUp();
        for (const char* pszKey : { kProtocol, kFileClass, kExtension }) {
            m_classes.Keep(HKEY_CLASSES_ROOT, pszKey);
            DeleteRegKey(HKEY_CLASSES_ROOT, pszKey);
        }
    }
    CRegistryScratch m_classes;
};

TEST_F(AssociationTest, FindsTheProgramOfAProtocolOrAnExtension)
{
    CRegistryScratch protocol(HKEY_CLASSES_ROOT, "kelvoratest.proto\\shell\\open\\command", true);
    protocol.SetString(nullptr, "\"C:\\Program Files\\Kelvora Test\\viewer.exe\" -url \"%1\"");
    CRegistryScratch fileClass(HKEY_CLASSES_ROOT, "kelvoratest.file\\shell\\open\\command", true);
    fileClass.SetString(nullptr, "%SystemRoot%\\notepad.exe %1", REG_EXPAND_SZ);
    CRegistryScratch extension(HKEY_CLASSES_ROOT, kExtension, true);
    extension.SetString(nullptr, kFileClass);

    CString strPath("unchanged");
    EXPECT_TRUE(GetAssociatedProgram(strPath, kProtocol));
    EXPECT_EQ("C:\\Program Files\\Kelvora Test\\viewer.exe", std::string(strPath));
    EXPECT_TRUE(GetAssociatedProgram(strPath, kExtension));
    EXPECT_EQ("%SystemRoot%\\notepad.exe", std::string(strPath));

    CString strClass;
    EXPECT_TRUE(ReadClassesRootDefault(strClass, kExtension));
    EXPECT_EQ(kFileClass, std::string(strClass));
}

TEST_F(AssociationTest, UnreadableCommandsLeaveTheResultAlone)
{
    CRegistryScratch noCommand(HKEY_CLASSES_ROOT, "kelvoratest.proto\\shell\\edit", true);
    CRegistryScratch extension(HKEY_CLASSES_ROOT, kExtension, true); // no class name
    CString strPath("unchanged");
    EXPECT_FALSE(GetAssociatedProgram(strPath, kProtocol));
    EXPECT_FALSE(GetAssociatedProgram(strPath, kExtension));
    EXPECT_FALSE(GetAssociatedProgram(strPath, ".kelvoratest-none"));
    EXPECT_FALSE(GetAssociatedProgram(strPath, nullptr));
    EXPECT_EQ("unchanged", std::string(strPath));

    CRegistryScratch command(HKEY_CLASSES_ROOT, "kelvoratest.proto\\shell\\open\\command", true);
    // Longer than the 261-byte buffer.
    const std::string strLong = "\"C:\\" + std::string(270, 'x') + ".exe\"";
    command.SetString(nullptr, strLong.c_str());
    EXPECT_FALSE(GetAssociatedProgram(strPath, kProtocol));
    // Not text.
    command.SetDword(nullptr, 1);
    EXPECT_FALSE(GetAssociatedProgram(strPath, kProtocol));
    // Exactly 260 characters without a terminator still reads, terminated.
    const std::string str260 = "C:\\" + std::string(253, 'y') + ".exe";
    command.SetValue(nullptr, REG_SZ, str260.data(), static_cast<DWORD>(str260.size()));
    EXPECT_TRUE(GetAssociatedProgram(strPath, kProtocol));
    EXPECT_EQ(str260, std::string(strPath));
    strPath = "unchanged";

    CString strClass("unchanged");
    EXPECT_FALSE(ReadClassesRootDefault(strClass, ".kelvoratest-none"));
    EXPECT_EQ("unchanged", std::string(strClass));
}

TEST_F(PageUtilTest, ControlHelpCallsHelpOnlyForListedItems)
{
    CTestParent parent;
    CHelpRecorder help;
    const DWORD table[] = { 101, 5000, 103, 5001, 0, 0 };
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iCtrlId = 102;
    info.hItemHandle = parent.m_hPicture;
    EXPECT_FALSE(ShowControlHelp(&info, table));
    EXPECT_TRUE(CHelpRecorder::Calls().empty());
    info.iCtrlId = 101;
    info.hItemHandle = parent.m_hButton;
    EXPECT_TRUE(ShowControlHelp(&info, table));
    ASSERT_EQ(1u, CHelpRecorder::Calls().size());
    EXPECT_EQ(parent.m_hButton, CHelpRecorder::Calls()[0].hItem);
    EXPECT_EQ((std::vector<DWORD> { 101, 5000, 103, 5001, 0, 0 }), CHelpRecorder::Calls()[0].table);
}

} // namespace
