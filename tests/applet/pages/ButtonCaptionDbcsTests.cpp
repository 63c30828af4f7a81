// Button captions under a double-byte code page (run by the cp932 entry of this program):
// an access key is one character, not one byte, and a trail byte is never taken for a key.
#include "ButtonsSheet.h"
#include "PageUtil.h"

namespace {

TEST_F(ButtonsSheetTest, DoubleByteAccessKeyIsOneCharacter)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs code page 932 (the program's cp932 test entry)";
    // 0x83 0x41 is a katakana letter whose trail byte is 'A'.
    struct Case {
        int nLocale;
        const char* pszName;
        const char* pszKey;
        const char* pszCaption;
    };
    const Case cases[] = {
        {2, "Zoom\x83\x41", "\x83\x41", "Zoom&\x83\x41 button"},
        {2, "Zoom", " \x83\x41 ", "Zoom button (& \x83\x41 )"},
        {1, "Zoom\x83\x41", "\x83\x41", "Zoom\x83\x41 button (&\x83\x41)"},
        {2, "\x83\x41pp", "a", "\x83\x41pp button (&a)"},  // the trail byte 'A' is no match
        {2, "\x83\x41\x83\x41", "\x83\x41\x83\x41", "\x83\x41\x83\x41 button"},
    };
    StoreButtons({0});
    RunSheet([&](CPallumSheet&, CGPButtonPage& page) {
        CButtonInfoManager& manager = page.m_buttons.m_manager;
        for (const Case& c : cases) {
            FakeMirrend::SetLocaleKind(c.nLocale);
            FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS).at(0).strName = c.pszName;
            FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS).at(0).strAccessKey = c.pszKey;
            CRegManager::ReadSettingGPButtonInfo(manager);
            EXPECT_EQ(page.GetButtonCaption(0), std::string(c.pszCaption)) << "key '" << c.pszKey << "'";
        }
    });
}

// The custom program dialog gets at most 261 bytes of each text, cut at a whole character.
TEST_F(ButtonsSheetTest, DoubleByteCustomTextIsCutAtAWholeCharacter)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "needs code page 932 (the program's cp932 test entry)";
    const std::string text = std::string(260, 'a') + "\x83\x41" + "b";
    CButtonInfo button;
    button.SetStartupCustomizedApp(text.c_str(), text.substr(1).c_str(), "", "");
    EXPECT_FALSE(EditCustomApp(button));
    const FakeMirrend::Call* pCall = FakeMirrend::LastCall("ShowCustomAppDialog");
    ASSERT_NE(nullptr, pCall);
    EXPECT_EQ(text.substr(0, 260), pCall->dialogIn[0]);
    EXPECT_EQ(text.substr(1, 261), pCall->dialogIn[1]);
}

}  // namespace
