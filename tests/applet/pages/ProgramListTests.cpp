// The registry and version-resource lookups behind the program lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ProgramList.h"
#include "RegistryRestore.h"

namespace {

const char kAppsKey[] = "software\\Kelvora\\Kelvora Controls\\defaultSetting\\startupapp\\apps\\";

std::string TestProgram(const char* pszVariable)
{
    const char* psz = std::getenv(pszVariable);
    return psz ? psz : "";
}

TEST(DisplayListTest, OnlyALowestByteOfOnePasses)
{
    RegistryRestore restore;
    const std::string key = std::string(kAppsKey) + "103";
    restore.Keep(HKEY_LOCAL_MACHINE, key, "DisplayList");

    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, key, "DisplayList", 1);
    EXPECT_TRUE(IsInDisplayList(103));
    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, key, "DisplayList", 257);
    EXPECT_TRUE(IsInDisplayList(103));
    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, key, "DisplayList", 0);
    EXPECT_FALSE(IsInDisplayList(103));
    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, key, "DisplayList", 2);
    EXPECT_FALSE(IsInDisplayList(103));

    // A text "\1" or an empty value has no number to look at.
    RegistryRestore::SetString(HKEY_LOCAL_MACHINE, key, "DisplayList", "\x01");
    EXPECT_FALSE(IsInDisplayList(103));
    RegistryRestore::SetRaw(HKEY_LOCAL_MACHINE, key, "DisplayList", REG_BINARY, "", 0);
    EXPECT_FALSE(IsInDisplayList(103));
    // Larger than the 260-byte buffer: unreadable.
    std::string big(300, '\x01');
    RegistryRestore::SetRaw(HKEY_LOCAL_MACHINE, key, "DisplayList", REG_BINARY, big.data(), 300);
    EXPECT_FALSE(IsInDisplayList(103));

    RegistryRestore::Delete(HKEY_LOCAL_MACHINE, key, "DisplayList");
    EXPECT_FALSE(IsInDisplayList(103));
    // Numbers outside the maker's range have no key at all.
    EXPECT_FALSE(IsInDisplayList(99));
    EXPECT_FALSE(IsInDisplayList(121));
}

TEST(ProgramNameFromVersionTest, CompanyDecidesWhichTextNamesTheProgram)
{
    // Exactly "Microsoft Corporation": the file description.
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_MS").c_str()), "Lumen Web Viewer");
    // Any other company, the same words in lower case included: the product name.
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_OTHER").c_str()), "Harbor Browser");
    // No company name in the first translation: nothing, whatever the other pairs hold.
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_NOCOMPANY").c_str()), "");
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_MULTI").c_str()), "");
    // The first pair's texts, not those of the block written first.
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_MULTIFIRST").c_str()),
              "Nuage Navigateur");
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_NOTRANSLATION").c_str()), "");
    EXPECT_EQ(GetProgramNameFromVersion(TestProgram("KELVORA_BTN_VERSION_EMPTYNAME").c_str()), "");
}

TEST(ProgramNameFromVersionTest, NoVersionResourceOrNoFileGivesNoName)
{
    char szSystem[MAX_PATH];
    GetSystemDirectoryA(szSystem, MAX_PATH);
    EXPECT_EQ(GetProgramNameFromVersion((std::string(szSystem) + "\\no-such-browser.exe").c_str()), "");
    EXPECT_EQ(GetProgramNameFromVersion(""), "");
    EXPECT_EQ(GetProgramNameFromVersion(nullptr), "");
}

TEST(LocalMachineDefaultTest, ReadsAtMost261BytesOfText)
{
    const std::string key = "software\\KelvoraTests\\mail";
    RegistryRestore restore;
    restore.Keep(HKEY_LOCAL_MACHINE, key, nullptr);

    RegistryRestore::SetString(HKEY_LOCAL_MACHINE, key, nullptr, "Inkwell Mail");
    EXPECT_EQ(ReadLocalMachineDefault(key.c_str()), "Inkwell Mail");
    // 260 characters and the terminator fit; one more does not.
    RegistryRestore::SetString(HKEY_LOCAL_MACHINE, key, nullptr, std::string(260, 'm'));
    EXPECT_EQ(ReadLocalMachineDefault(key.c_str()).GetLength(), 260);
    RegistryRestore::SetString(HKEY_LOCAL_MACHINE, key, nullptr, std::string(261, 'm'));
    EXPECT_EQ(ReadLocalMachineDefault(key.c_str()), "");
    // Stored without its terminator: still read as the text.
    RegistryRestore::SetRaw(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, "Quill", 5);
    EXPECT_EQ(ReadLocalMachineDefault(key.c_str()), "Quill");
    // A number is no name.
    RegistryRestore::SetDword(HKEY_LOCAL_MACHINE, key, nullptr, 7);
    EXPECT_EQ(ReadLocalMachineDefault(key.c_str()), "");
    EXPECT_EQ(ReadLocalMachineDefault("software\\KelvoraTests\\no such key"), "");
}

TEST(CustomAppTextTest, CutToTheSizeTheDialogIsTold)
{
    char buffer[CUSTOM_APP_TEXT_LEN + 1];
    std::memset(buffer, 'x', sizeof(buffer));
    CopyCustomAppText(buffer, CString(std::string(400, 'a')));
    EXPECT_EQ(std::string(buffer), std::string(CUSTOM_APP_TEXT_LEN - 1, 'a'));
    CopyCustomAppText(buffer, CString("notepad"));
    EXPECT_STREQ(buffer, "notepad");
}

}  // namespace
