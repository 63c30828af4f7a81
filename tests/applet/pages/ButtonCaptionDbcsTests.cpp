// Button captions under a double-byte code page (run by the cp932 entry of this program):
// an access key is one character, not one byte, and a trail byte is never taken for a key.
#include "ButtonsSheet.h"

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

}  // namespace
