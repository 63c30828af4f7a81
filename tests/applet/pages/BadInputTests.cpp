// The Buttons page's own registry reads with bad values: the http open command and the
// e-mail program's name. Each unreadable value gives an empty name (the entry's suffix alone).
#include "ButtonsSheet.h"

#include "PageUtil.h"
#include "RegistryScratch.h"

namespace {

const char kHttpCommand[] = "http\\shell\\open\\command";
const char kMailKey[] = "software\\clients\\mail";

struct RawValue {
    const char* pszCase;
    DWORD dwType;
    std::string data;   // the bytes as stored; no terminator is added
    const char* pszRead;  // what the reading path gives; null: nothing (FALSE or empty)
};

TEST_F(ButtonsSheetTest, BadHttpCommandsAndMailNamesGiveEmptyNames)
{
    m_registry.Keep(HKEY_CLASSES_ROOT, "http");
    m_registry.Keep(HKEY_LOCAL_MACHINE, kMailKey);
    const std::string s260(260, 'm');
    const RawValue mail[] = {
        {"text", REG_SZ, std::string("Inkwell Mail", 13), "Inkwell Mail"},
        {"260 bytes, no terminator", REG_SZ, s260, s260.c_str()},
        {"261 bytes, no terminator", REG_SZ, std::string(261, 'm'), nullptr},
        {"over 261 bytes", REG_SZ, std::string(400, 'm') + '\0', nullptr},
        {"unterminated binary", REG_BINARY, "Inkwell", nullptr},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), nullptr},
        {"a list", REG_MULTI_SZ, std::string("Inkwell\0Mail\0\0", 14), nullptr},
        {"empty", REG_SZ, "", ""},
    };
    const RawValue http[] = {
        {"quoted", REG_SZ, std::string("\"C:\\b\\web.exe\" -url \"%1\"", 25), "C:\\b\\web.exe"},
        {"unclosed quote", REG_SZ, std::string("\"C:\\b\\web.exe -url %1", 22), "C:\\b\\web.exe -url %1"},
        {"a lone quote", REG_SZ, std::string("\"", 2), ""},
        {"over 261 bytes", REG_SZ, "C:\\" + std::string(300, 'x') + ".exe" + '\0', nullptr},
        {"unterminated binary", REG_BINARY, "C:\\b\\web.exe", nullptr},
        {"a number", REG_DWORD, std::string("\x01\0\0\0", 4), nullptr},
        {"blanks only", REG_SZ, std::string("   ", 4), ""},
    };
    StoreButtons({0});
    RunSheet([&](CPallumSheet&, CGPButtonPage& page) {
        for (const RawValue& v : mail) {
            SetRegValue(HKEY_LOCAL_MACHINE, kMailKey, nullptr, v.dwType, v.data.data(), static_cast<DWORD>(v.data.size()));
            EXPECT_EQ(page.GetDefaultMailName(), std::string(v.pszRead ? v.pszRead : "")) << "mail: " << v.pszCase;
            page.FillAllProgramLists();
            EXPECT_EQ(ListTexts(page, 0).at(5), std::string(v.pszRead ? v.pszRead : "") + "(default e-mail program)")
                << "mail: " << v.pszCase;
        }
        for (const RawValue& v : http) {
            SetRegValue(HKEY_CLASSES_ROOT, kHttpCommand, nullptr, v.dwType, v.data.data(), static_cast<DWORD>(v.data.size()));
            CString strPath("unchanged");
            EXPECT_EQ(GetAssociatedProgram(strPath, "http"), v.pszRead ? TRUE : FALSE) << "http: " << v.pszCase;
            EXPECT_EQ(std::string(strPath), v.pszRead ? v.pszRead : "unchanged") << "http: " << v.pszCase;
            // None of them names a program with a version block.
            EXPECT_EQ(page.GetDefaultBrowserName(), "") << "http: " << v.pszCase;
        }
        // A command whose expansion passes 260 characters is no path at all.
        SetEnvironmentVariableA("KELVORA_LONG", std::string(300, 'd').c_str());
        SetRegString(HKEY_CLASSES_ROOT, kHttpCommand, nullptr, "%KELVORA_LONG%\\web.exe %1", REG_EXPAND_SZ);
        EXPECT_EQ(page.GetDefaultBrowserName(), "");
        SetEnvironmentVariableA("KELVORA_LONG", nullptr);
        // The key without its command.
        DeleteRegValue(HKEY_CLASSES_ROOT, kHttpCommand, nullptr);
        EXPECT_EQ(page.GetDefaultBrowserName(), "");
        page.FillAllProgramLists();
        EXPECT_EQ(ListTexts(page, 0).at(4), "(default browser)");
    });
}

}  // namespace
