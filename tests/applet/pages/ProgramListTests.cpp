// The registry and version-resource lookups behind the program lists.
#include <cstdlib>
#include <string>

#include "ButtonsSheet.h"
#include "ProgramList.h"

namespace {

TEST_F(ButtonsSheetTest, DisplayListPassesOnlyForADwordWhoseLowestByteIsOne)
{
    const std::string key = kAppsKey + std::string("103");
    const BYTE one[4] = {1, 0, 0, 0};
    const std::string big(300, '\x01');
    struct Case {
        const char* pszCase;
        DWORD dwType;
        const void* pData;
        DWORD cbData;
        BOOL bListed;
    };
    const DWORD values[] = {1, 257, 0, 2};
    const Case cases[] = {
        {"1", REG_DWORD, &values[0], 4, TRUE},
        {"257", REG_DWORD, &values[1], 4, TRUE},
        {"0", REG_DWORD, &values[2], 4, FALSE},
        {"2", REG_DWORD, &values[3], 4, FALSE},
        {"text \\1", REG_SZ, "\x01", 2, FALSE},
        {"bytes 1 0 0 0", REG_BINARY, one, 4, FALSE},
        {"a one-byte number", REG_DWORD, one, 1, FALSE},
        {"300 bytes, more than the buffer", REG_BINARY, big.data(), 300, FALSE},
    };
    for (const Case& c : cases) {
        SetRegValue(HKEY_LOCAL_MACHINE, key, "DisplayList", c.dwType, c.pData, c.cbData);
        EXPECT_EQ(IsInDisplayList(103), c.bListed) << c.pszCase;
    }
    DeleteRegValue(HKEY_LOCAL_MACHINE, key, "DisplayList");
    EXPECT_FALSE(IsInDisplayList(103));
    // Numbers outside the maker's range have no key at all.
    EXPECT_FALSE(IsInDisplayList(99));
    EXPECT_FALSE(IsInDisplayList(121));
}

TEST(ProgramNameFromVersionTest, CompanyOfTheFirstTranslationDecidesWhichTextNamesTheProgram)
{
    const std::pair<const char*, const char*> cases[] = {
        // Exactly "Microsoft Corporation": the file description.
        {"KELVORA_BTN_VERSION_MS", "Lumen Web Viewer"},
        // Any other company, the same words in lower case included: the product name.
        {"KELVORA_BTN_VERSION_OTHER", "Harbor Browser"},
        // No company name in the first translation: nothing, whatever it or other pairs hold.
        {"KELVORA_BTN_VERSION_MULTI", ""},
        // The first pair's texts, not those of the block written first.
        {"KELVORA_BTN_VERSION_MULTIFIRST", "Nuage Navigateur"},
        {"KELVORA_BTN_VERSION_NOTRANSLATION", ""},
        {"KELVORA_BTN_VERSION_EMPTYNAME", ""},
    };
    for (const auto& [pszVariable, pszName] : cases) {
        const char* pszPath = std::getenv(pszVariable);
        ASSERT_NE(pszPath, nullptr) << pszVariable;
        EXPECT_EQ(GetProgramNameFromVersion(pszPath), pszName) << pszVariable;
    }
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, MAX_PATH);
    EXPECT_EQ(GetProgramNameFromVersion((std::string(szSystem) + "\\no-such-browser.exe").c_str()), "");
    EXPECT_EQ(GetProgramNameFromVersion(""), "");
    EXPECT_EQ(GetProgramNameFromVersion(nullptr), "");
}

}  // namespace
