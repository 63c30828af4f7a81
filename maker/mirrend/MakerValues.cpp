// The ordinals that report the machine, from the maker's values (DefaultSetting\Mirrend).
#include "Defaults.h"
#include "Store.h"

using namespace mirrend;

int IsSettingReadOnly(void)
{
    return ReadMakerValue("ReadOnly", 0) != 0;
}

int GetPlatformKind(void)
{
    return ReadMakerValue("PlatformKind", DEFAULT_PLATFORM_KIND);
}

int GetLocaleKind(void)
{
    // Without a maker value the system's code page decides: Japanese is the double-byte
    // locale, everything else shows the access key inside the button's name.
    return ReadMakerValue("LocaleKind", GetACP() == 932 ? 1 : 2);
}

BOOL CButtonInfo::IsAppInstalled(int nAppNo, int nInstallParam)
{
    DWORD dwBits = static_cast<DWORD>(nInstallParam);
    if (nAppNo >= 100 && nAppNo <= 120)
        return (dwBits >> (nAppNo - 100)) & 1;
    if (nAppNo == 5)
        return (dwBits >> 21) & 1;
    return nAppNo >= 1 && nAppNo <= 4;
}
