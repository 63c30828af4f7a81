#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>

#include "Framework.h"
#include "RegistryScratch.h"
#include "resource.h"

TEST(CBitmapTest, LoadsMovesAndDeletesOnce)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_MAPPED));
    BITMAP info = {};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 2);

    HBITMAP hHeld = bitmap;
    CBitmap moved(std::move(bitmap));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    EXPECT_EQ(moved.GetSafeHandle(), hHeld);
    EXPECT_FALSE(bitmap.GetBitmap(&info));
    EXPECT_FALSE(bitmap.DeleteObject());

    CBitmap assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.GetSafeHandle(), hHeld);

    // A failed load leaves nothing held, and what was held before is gone.
    EXPECT_FALSE(assigned.LoadBitmap(9999));
    EXPECT_EQ(assigned.GetSafeHandle(), nullptr);
    EXPECT_EQ(GetObjectA(hHeld, sizeof(info), &info), 0);
}

TEST(CBitmapTest, MappedLoadReplacesOnlyMagenta)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    COLORMAP map = {RGB(255, 0, 255), window};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadMappedBitmap(IDB_MAPPED, 0, &map, 1));

    CMemDC memDC(nullptr);
    ASSERT_NE(memDC.GetSafeHdc(), nullptr);
    HGDIOBJ hOriginal = GetCurrentObject(memDC, OBJ_BITMAP);
    {
        CSelectObject selection(memDC, bitmap);
        ASSERT_TRUE(selection.Succeeded());
        EXPECT_EQ(GetCurrentObject(memDC, OBJ_BITMAP), static_cast<HGDIOBJ>(bitmap));
        const COLORREF expected[2][4] = {
            {window, RGB(255, 0, 0), window, RGB(0, 0, 255)},
            {RGB(0, 255, 0), window, RGB(255, 255, 255), RGB(0, 0, 0)},
        };
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(GetPixel(memDC, x, y), expected[y][x]) << "pixel " << x << "," << y;
        }
        // A moved selection restores once, when its new owner ends.
        CSelectObject moved(std::move(selection));
        EXPECT_FALSE(selection.Succeeded());
    }
    EXPECT_EQ(GetCurrentObject(memDC, OBJ_BITMAP), hOriginal);
    // Nothing to select: nothing to restore.
    CSelectObject none(memDC, nullptr);
    EXPECT_FALSE(none.Succeeded());

    CMemDC movedDC(std::move(memDC));
    EXPECT_EQ(memDC.GetSafeHdc(), nullptr);
    EXPECT_NE(movedDC.GetSafeHdc(), nullptr);
}

namespace {

const char* const kTestKey = "Software\\KelvoraFrameworkTest";

}  // namespace

TEST(RegistryTest, TextValuesOfTheWrongShapeAreRefusedAndKeysCloseOnce)
{
    CRegistryScratch scratch(HKEY_CURRENT_USER, kTestKey, true);
    const char szText[] = "C:\\Program Files\\x.exe";
    ASSERT_TRUE(scratch.SetValue("Text", REG_SZ, szText, sizeof(szText)));
    ASSERT_TRUE(scratch.SetValue("Unterminated", REG_SZ, "abc", 3));
    ASSERT_TRUE(scratch.SetValue("Binary", REG_BINARY, "abcd", 4));
    ASSERT_TRUE(scratch.SetDword("Number", 5));

    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, kTestKey), ERROR_SUCCESS);
    CString s("unchanged");
    EXPECT_EQ(key.QueryStringValue("Text", s), ERROR_SUCCESS);
    EXPECT_EQ(s, "C:\\Program Files\\x.exe");
    EXPECT_EQ(key.QueryStringValue("Unterminated", s), ERROR_SUCCESS);
    EXPECT_EQ(s, "abc");
    s = "unchanged";
    EXPECT_EQ(key.QueryStringValue("Binary", s), ERROR_INVALID_DATA);
    EXPECT_EQ(key.QueryStringValue("Number", s), ERROR_INVALID_DATA);
    EXPECT_EQ(key.QueryStringValue("Missing", s), ERROR_FILE_NOT_FOUND);
    // 22 characters and the terminator do not fit in 22 bytes; they do in 23.
    EXPECT_EQ(key.QueryStringValue("Text", s, 22), ERROR_MORE_DATA);
    EXPECT_EQ(s, "unchanged");
    EXPECT_EQ(key.QueryStringValue("Text", s, 23), ERROR_SUCCESS);
    // Without a stored terminator the supplied one still has to fit.
    s = "unchanged";
    EXPECT_EQ(key.QueryStringValue("Unterminated", s, 3), ERROR_MORE_DATA);
    EXPECT_EQ(s, "unchanged");

    HKEY hHeld = key;
    CRegKey moved(std::move(key));
    EXPECT_EQ(static_cast<HKEY>(key), nullptr);
    EXPECT_EQ(static_cast<HKEY>(moved), hHeld);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);   // nothing held: nothing closed
    key = std::move(moved);
    EXPECT_EQ(key.QueryStringValue("Unterminated", s), ERROR_SUCCESS);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);

    CRegKey missing;
    EXPECT_NE(missing.Open(HKEY_CURRENT_USER, "Software\\KelvoraFrameworkTest\\NoSuchKey"), ERROR_SUCCESS);
    EXPECT_EQ(static_cast<HKEY>(missing), nullptr);
}

namespace {

class CCountedUnknown : public IUnknown {
public:
    ULONG m_nRefs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }
};

}  // namespace

TEST(ComTest, PointerReleasesOnceAndInitialisationLeavesForeignStateAlone)
{
    CCountedUnknown object;
    {
        CComPtr<IUnknown> p(&object);
        CComPtr<IUnknown> moved(std::move(p));
        EXPECT_EQ(p.p, nullptr);
        EXPECT_EQ(object.m_nRefs, 1u);
        CComPtr<IUnknown> other;
        other = std::move(moved);
        EXPECT_EQ(object.m_nRefs, 1u);
        object.AddRef();
        IUnknown** pp = &other;   // releases what was held before handing out the slot
        EXPECT_EQ(object.m_nRefs, 1u);
        *pp = &object;
    }
    EXPECT_EQ(object.m_nRefs, 0u);

    // A thread already in the multithreaded apartment keeps it.
    HRESULT hrInside = S_OK;
    HRESULT hrAfter = S_OK;
    std::thread worker([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        {
            CCoInitialize com;
            hrInside = com.Result();
        }
        hrAfter = CoInitializeEx(nullptr, COINIT_MULTITHREADED);   // S_FALSE: still initialised
        CoUninitialize();
        CoUninitialize();
    });
    worker.join();
    EXPECT_EQ(hrInside, RPC_E_CHANGED_MODE);
    EXPECT_EQ(hrAfter, S_FALSE);

    {
        CCoInitialize com;
        EXPECT_TRUE(SUCCEEDED(com.Result()));
    }
}
