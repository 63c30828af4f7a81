// What the applet's frame makes of bad input: page-set values of every wrong shape, and the
// Control Panel's messages 0 to 20 without records. Nothing crashes, each unreadable value
// gives its default, and nothing is written.
#include <windows.h>
#include <cpl.h>

#include <cstring>

#include "PallumApp.h"
#include "PallumSheet.h"
#include "RegistryScratch.h"
#include "AppletTestSupport.h"

namespace {

const char kBadPagesKey[] = "Software\\KelvoraTests\\BadPages";

using BadInputTest = AppletTest;

TEST_F(BadInputTest, PageSetValuesOfTheWrongShapeLeaveTheirPageOut)
{
    const BYTE four[4] = {1, 0, 0, 0};
    const BYTE eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    const char multi[] = "1\0\0";
    struct Case {
        const char* pszCase;
        DWORD dwType;
        const void* pData;
        DWORD cbData;
        int nFlag;
    };
    const Case cases[] = {
        {"REG_DWORD 1", REG_DWORD, four, 4, 1},
        {"REG_SZ \"1\"", REG_SZ, "1", 2, 0},
        {"a 2-byte REG_DWORD", REG_DWORD, four, 2, 0},
        {"8-byte REG_BINARY", REG_BINARY, eight, 8, 0},
        {"4-byte REG_BINARY", REG_BINARY, four, 4, 0},
        {"REG_MULTI_SZ", REG_MULTI_SZ, multi, sizeof(multi), 0},
        {"REG_QWORD 1", REG_QWORD, eight, 8, 0},
        {"empty REG_DWORD", REG_DWORD, four, 0, 0},
    };
    for (const Case& c : cases) {
        for (int nBad = 0; nBad < PAGE_COUNT; ++nBad) {
            CRegistryScratch key(HKEY_CURRENT_USER, kBadPagesKey, true);
            for (int i = 0; i < PAGE_COUNT; ++i) {
                if (i == nBad)
                    key.SetValue(g_pallumPages[i].pszValueName, c.dwType, c.pData, c.cbData);
                else
                    key.SetDword(g_pallumPages[i].pszValueName, 1);
            }
            const std::string before = RegistryTreeText(HKEY_CURRENT_USER, kBadPagesKey);
            CPageSet set;
            EXPECT_EQ(set.ReadPageSet(HKEY_CURRENT_USER, kBadPagesKey), c.nFlag == 1 ? TRUE : FALSE)
                << c.pszCase << " in " << g_pallumPages[nBad].pszValueName;
            for (int i = 0; i < PAGE_COUNT; ++i)
                EXPECT_EQ(set.GetFlag(static_cast<PallumPageId>(i)), i == nBad ? c.nFlag : 1)
                    << c.pszCase << " in " << g_pallumPages[nBad].pszValueName << ", flag " << g_pallumPages[i].pszValueName;
            EXPECT_EQ(RegistryTreeText(HKEY_CURRENT_USER, kBadPagesKey), before) << c.pszCase;
        }
    }
    CPageSet set;
    EXPECT_FALSE(set.ReadPageSet(HKEY_CURRENT_USER, "Software\\KelvoraTests\\NoSuchPages"));
    for (int i = 0; i < PAGE_COUNT; ++i)
        EXPECT_EQ(set.GetFlag(static_cast<PallumPageId>(i)), 0);
}

// Every message but the double-click (which runs the sheet) with no record, then with a
// record for the messages that take none: the documented result, no write anywhere.
TEST_F(BadInputTest, ControlPanelMessagesWithoutRecordsAnswerQuietly)
{
    const std::string before = RegistryTreeText(HKEY_LOCAL_MACHINE, "Software\\KELVORA");
    for (UINT uMsg = 0; uMsg <= 20; ++uMsg) {
        if (uMsg == CPL_DBLCLK)
            continue;
        const LONG nExpected = (uMsg == CPL_INIT || uMsg == CPL_GETCOUNT) ? 1 : 0;
        EXPECT_EQ(CPlApplet(nullptr, uMsg, 0, 0), nExpected) << uMsg;
        EXPECT_EQ(CPlApplet(nullptr, uMsg, 0x7FFFFFFF, 0), nExpected) << uMsg;
        if (uMsg == CPL_INQUIRE || uMsg == CPL_NEWINQUIRE)
            continue;
        BYTE record[sizeof(NEWCPLINFOW) + 16];
        std::memset(record, 0x33, sizeof(record));
        EXPECT_EQ(CPlApplet(nullptr, uMsg, 0, reinterpret_cast<LPARAM>(record)), nExpected) << uMsg;
        for (BYTE b : record)
            ASSERT_EQ(b, 0x33) << "message " << uMsg << " wrote into a record it does not take";
    }
    EXPECT_EQ(RegistryTreeText(HKEY_LOCAL_MACHINE, "Software\\KELVORA"), before);
}

}  // namespace
