#include <gtest/gtest.h>

#include "Framework.h"
#include "resource.h"

TEST(CStringTest, SubstringsClampToTheString)
{
    const CString s("Internet");
    EXPECT_EQ(s.Left(3), "Int");
    EXPECT_EQ(s.Left(99), "Internet");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Mid(5), "net");
    EXPECT_EQ(s.Mid(2, 3), "ter");
    EXPECT_EQ(s.Mid(6, 10), "et");
    EXPECT_EQ(s.Mid(20), "");
    EXPECT_EQ(s.Mid(-3, 2), "In");
    EXPECT_EQ(s.Right(3), "net");
    EXPECT_EQ(s.Right(50), "Internet");
    EXPECT_EQ(s.Right(0), "");
}

TEST(CStringTest, FindAndReverseFind)
{
    const CString s("control.exe /a/b /s");
    EXPECT_EQ(s.Find('/'), 12);
    EXPECT_EQ(s.Find('/', 13), 14);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("/s"), 17);
    EXPECT_EQ(s.Find("exe", 9), -1);
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find('c', 100), -1);
    EXPECT_EQ(s.ReverseFind('/'), 17);
    EXPECT_EQ(s.Mid(s.ReverseFind('/')), "/s");
    EXPECT_EQ(CString("none").ReverseFind('/'), -1);
    EXPECT_EQ(CString().Find('a'), -1);
}

TEST(CStringTest, ComparisonsAndCase)
{
    EXPECT_EQ(CString("/S").CompareNoCase("/s"), 0);
    EXPECT_NE(CString("/s ").CompareNoCase("/s"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_EQ(CString("/S").CollateNoCase("/s"), 0);
    EXPECT_NE(CString("/sx").CollateNoCase("/s"), 0);
    EXPECT_EQ(CString("b").Compare("b"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);

    CString s("Zoom In q");
    EXPECT_EQ(s.MakeUpper(), "ZOOM IN Q");
}

TEST(CStringTest, TrimRemovesWhiteSpaceAtTheEndsOnly)
{
    CString s(" \t q \r\n");
    EXPECT_EQ(s.Trim(), "q");
    CString left("  a b ");
    EXPECT_EQ(left.TrimLeft(), "a b ");
    CString right("  a b ");
    EXPECT_EQ(right.TrimRight(), "  a b");
    CString blank("   ");
    EXPECT_TRUE(blank.Trim().IsEmpty());
}

TEST(CStringTest, FormatHasNoLengthLimit)
{
    CString s;
    s.Format("%s %d (&%c)", "Zoom", 7, 'Q');
    EXPECT_EQ(s, "Zoom 7 (&Q)");
    const std::string longText(5000, 'x');
    s.Format("[%s]", longText.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s.Right(2), "x]");
}

TEST(CStringTest, GetBufferAndReleaseBuffer)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    lstrcpyA(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "0123456789");

    p = s.GetBuffer(4);   // never shrinks
    p[2] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "01");

    p = s.GetBuffer(5);
    memcpy(p, "hello", 5);
    s.ReleaseBuffer(3);
    EXPECT_EQ(s, "hel");
    s.GetBuffer(2);
    s.ReleaseBuffer(100);   // clamped to the buffer
    EXPECT_EQ(s, "hel");
}

TEST(CStringTest, LoadStringFromTheCurrentResourceModule)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_WHO));
    EXPECT_EQ(s, "test program");
    // Longer than any fixed buffer a loader might use.
    ASSERT_TRUE(s.LoadString(IDS_LONG));
    EXPECT_EQ(s.GetLength(), 288);
    EXPECT_EQ(s.Right(4), "-end");
    s = "kept?";
    EXPECT_FALSE(s.LoadString(9999));
    EXPECT_TRUE(s.IsEmpty());
}
