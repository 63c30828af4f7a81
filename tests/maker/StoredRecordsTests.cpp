// The settings stand-in reading stored records of every bad shape: each unreadable value gives
// the maker's default, readable ones are taken as stored, and reading writes nothing.
#include "RegistryScratch.h"
#include "MakerTestSupport.h"

namespace {

using StoredRecords = ScratchRegistry;

struct Stored {
    const char* pszCase;
    const char* pszName;   // value below Settings\GPButtons\0
    DWORD dwType;
    std::string data;      // as stored, no terminator added
};

std::string Dword(DWORD dw) { return std::string(reinterpret_cast<const char*>(&dw), sizeof(dw)); }
std::string Text(const std::string& str) { return str + '\0'; }

// What a read gives for button 0 (the "Internet" button by default).
std::string Fields(const CButtonInfo& b)
{
    return b.GetBtnName().str() + "|" + b.GetAccessKey().str() + "|" + std::to_string(b.GetIconID()) + "|" +
           std::to_string(b.GetStartupAppNo()) + "|" + std::to_string(b.IsInternetButton()) + "|" +
           b.GetAppName().str();
}

TEST_F(StoredRecords, EveryBadValueOfAButtonGivesTheMakersDefault)
{
    const std::string kDefault = "Internet|I|1|1|1|";
    struct Case {
        Stored value;
        std::string strFields;   // empty: the defaults
    };
    const Case cases[] = {
        {{"1,000-character name", "Name", REG_SZ, Text(std::string(1000, 'n'))}, ""},
        {{"260-character name", "Name", REG_SZ, Text(std::string(260, 'n'))},
         std::string(260, 'n') + "|I|1|1|1|"},
        {{"name without terminator", "Name", REG_SZ, "Web"}, "Web|I|1|1|1|"},
        {{"name as binary", "Name", REG_BINARY, Text("Web")}, ""},
        {{"name as number", "Name", REG_DWORD, Dword(7)}, ""},
        {{"2-character key", "AccessKey", REG_SZ, Text("IK")}, "Internet|IK|1|1|1|"},
        {{"1,000-character key", "AccessKey", REG_SZ, Text(std::string(1000, 'k'))}, ""},
        {{"key as list", "AccessKey", REG_MULTI_SZ, std::string("I\0K\0\0", 5)}, ""},
        {{"program 0", "StartupAppNo", REG_DWORD, Dword(0)}, ""},
        {{"program -1", "StartupAppNo", REG_DWORD, Dword(0xFFFFFFFF)}, ""},
        {{"program 99, the action", "StartupAppNo", REG_DWORD, Dword(99)}, ""},
        {{"program 5000, unknown", "StartupAppNo", REG_DWORD, Dword(5000)}, "Internet|I|1|5000|1|"},
        {{"program as text", "StartupAppNo", REG_SZ, Text("103")}, ""},
        {{"program as 8 bytes", "StartupAppNo", REG_QWORD, Dword(103) + Dword(0)}, ""},
        {{"program as 2 bytes", "StartupAppNo", REG_DWORD, Dword(103).substr(0, 2)}, ""},
        {{"kind -5", "Kind", REG_DWORD, Dword(static_cast<DWORD>(-5))}, ""},
        {{"kind 10,000", "Kind", REG_DWORD, Dword(10000)}, ""},
        {{"icon as binary", "IconID", REG_BINARY, Dword(103)}, ""},
        {{"custom name of 261 characters", "AppName", REG_SZ, Text(std::string(261, 'a'))}, ""},
        {{"custom name as expandable text", "AppName", REG_EXPAND_SZ, Text("%TEMP%")}, "Internet|I|1|1|1|%TEMP%"},
    };
    const std::string sub = "Settings\\GPButtons\\0";
    for (const Case& c : cases) {
        SetRaw(sub, c.value.pszName, c.value.dwType, c.value.data.data(), static_cast<DWORD>(c.value.data.size()));
        const std::string before = RegistryTreeText(HKEY_CURRENT_USER, m_strPath);
        CButtonInfoManager gp;
        EXPECT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp)) << c.value.pszCase;
        ASSERT_NE(gp.GetBtnInfoPtr(0), nullptr) << c.value.pszCase;
        EXPECT_EQ(Fields(*gp.GetBtnInfoPtr(0)), c.strFields.empty() ? kDefault : c.strFields) << c.value.pszCase;
        EXPECT_EQ(RegistryTreeText(HKEY_CURRENT_USER, m_strPath), before) << c.value.pszCase << ": the read wrote";
        RegDeleteKeyValueA(HKEY_CURRENT_USER, (m_strPath + "\\" + sub).c_str(), c.value.pszName);
    }
}

TEST_F(StoredRecords, EveryBadValueOfTheGeneralRecordGivesItsDefault)
{
    CGeneralSettingManager defaults;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(defaults));
    const Stored cases[] = {
        {"owner string of 1,000 characters", "OwnerString", REG_SZ, Text(std::string(1000, 'o'))},
        {"owner string as binary", "OwnerString", REG_BINARY, "owner"},
        {"mode as text", "SubLcdMode", REG_SZ, Text("2")},
        {"receiver as 2 bytes", "ExtReceiver", REG_DWORD, Dword(0).substr(0, 2)},
        {"install parameter as 8 bytes", "InstallParam", REG_QWORD, Dword(1) + Dword(1)},
        {"backlight as a list", "BacklightOn", REG_MULTI_SZ, std::string("1\0\0", 3)},
    };
    for (const Stored& c : cases) {
        SetRaw("Settings\\General", c.pszName, c.dwType, c.data.data(), static_cast<DWORD>(c.data.size()));
        const std::string before = RegistryTreeText(HKEY_CURRENT_USER, m_strPath);
        CGeneralSettingManager general;
        EXPECT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general)) << c.pszCase;
        EXPECT_EQ(general.GetOwnerStringSetting().str(), defaults.GetOwnerStringSetting().str()) << c.pszCase;
        EXPECT_EQ(general.m_nSubLcdMode, defaults.m_nSubLcdMode) << c.pszCase;
        EXPECT_EQ(general.m_nExtReceiver, defaults.m_nExtReceiver) << c.pszCase;
        EXPECT_EQ(general.m_nInstallParam, defaults.m_nInstallParam) << c.pszCase;
        EXPECT_EQ(general.m_nBacklightOn, defaults.m_nBacklightOn) << c.pszCase;
        EXPECT_EQ(RegistryTreeText(HKEY_CURRENT_USER, m_strPath), before) << c.pszCase << ": the read wrote";
        RegDeleteKeyValueA(HKEY_CURRENT_USER, (m_strPath + "\\Settings\\General").c_str(), c.pszName);
    }
    // Numbers out of the page's range are stored numbers all the same: the page decides.
    SetDword("Settings\\General", "SubLcdMode", 7);
    CGeneralSettingManager general;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ(general.m_nSubLcdMode, 7);
}

}  // namespace
