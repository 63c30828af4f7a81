// The page template copier reads an item's creation data as the system's dialog parser does:
// a template and its copy create the same controls, handing the same data to the first one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DialogTemplate.h"

namespace {

const UINT IDD_CREATION_DATA_EX = 210;     // CreationData.rc
const UINT IDD_CREATION_DATA_PLAIN = 211;

struct Control {
    int nId;
    std::string strClass;
    std::string strText;
    LONG_PTR style;
    bool operator==(const Control& o) const
    {
        return nId == o.nId && strClass == o.strClass && strText == o.strText && style == o.style;
    }
};

// What the probe control was created with: the bytes from its creation parameter on.
std::vector<BYTE> g_created;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const BYTE* pData = static_cast<const BYTE*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        // The system hands over the data from its count word on.
        g_created = pData ? std::vector<BYTE>(pData, pData + 4) : std::vector<BYTE>();
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK NoDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::vector<Control> CreateAndList(const void* pTemplate, std::vector<BYTE>* pCreated)
{
    g_created.clear();
    HWND hDialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                              static_cast<const DLGTEMPLATE*>(pTemplate), nullptr, NoDlgProc, 0);
    std::vector<Control> controls;
    for (HWND hChild = hDialog ? GetWindow(hDialog, GW_CHILD) : nullptr; hChild;
         hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[64] = "", szText[64] = "";
        GetClassNameA(hChild, szClass, sizeof(szClass));
        GetWindowTextA(hChild, szText, sizeof(szText));
        controls.push_back({GetDlgCtrlID(hChild), CharUpperA(szClass), szText, GetWindowLongPtrA(hChild, GWL_STYLE)});
    }
    if (hDialog)
        DestroyWindow(hDialog);
    *pCreated = g_created;
    return controls;
}

TEST(DialogTemplateTest, CopyKeepsCreationDataInBothForms)
{
    WNDCLASSA probe = {};
    probe.lpfnWndProc = ProbeProc;
    probe.hInstance = GetModuleHandleA(nullptr);
    probe.lpszClassName = "CreationProbe";
    ASSERT_TRUE(RegisterClassA(&probe));

    for (UINT nId : {IDD_CREATION_DATA_PLAIN, IDD_CREATION_DATA_EX}) {
        SCOPED_TRACE(nId);
        HRSRC hFound = FindResourceA(nullptr, MAKEINTRESOURCEA(nId), MAKEINTRESOURCEA(5));
        ASSERT_NE(hFound, nullptr);
        const void* pOriginal = LockResource(LoadResource(nullptr, hFound));
        const std::vector<DWORD> copy =
            CopyDialogTemplateWithFont(pOriginal, SizeofResource(nullptr, hFound), L"MS Shell Dlg", 8);
        ASSERT_FALSE(copy.empty());

        std::vector<BYTE> createdOriginal, createdCopy;
        const std::vector<Control> original = CreateAndList(pOriginal, &createdOriginal);
        const std::vector<Control> copied = CreateAndList(copy.data(), &createdCopy);
        ASSERT_EQ(original.size(), 2u);
        EXPECT_EQ(original[0].nId, 10);
        EXPECT_EQ(original[0].strClass, "CREATIONPROBE");
        EXPECT_EQ(original[1].nId, 11);
        EXPECT_EQ(original[1].strClass, "BUTTON");
        EXPECT_EQ(original[1].strText, "B");
        EXPECT_TRUE(copied == original);

        // The probe saw its two bytes, from the copy as from the original.
        EXPECT_EQ(createdOriginal, (std::vector<BYTE>{2, 0, 1, 2}));
        EXPECT_EQ(createdCopy, createdOriginal);
    }
    UnregisterClassA("CreationProbe", GetModuleHandleA(nullptr));
}

}  // namespace
