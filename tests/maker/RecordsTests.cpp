// The stand-in library's records against a scratch registry base.
#include "MakerTestSupport.h"

#include <string>

namespace {

using Records = ScratchRegistry;

TEST_F(Records, MissingRecordsReadAsTheMakerDefaults)
{
    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    ASSERT_EQ(5, gp.m_nBtnCount);
    const char* names[] = {"Internet", "Mail", "Zoom", "Presentation", "User"};
    const char* keys[] = {"I", "M", "Z", "P", "U"};
    const int appNos[] = {1, 2, 103, 112, 3};
    for (int i = 0; i < 5; ++i) {
        CButtonInfo* p = gp.GetBtnInfoPtr(i);
        ASSERT_NE(nullptr, p) << i;
        EXPECT_EQ(names[i], p->GetBtnName().str());
        EXPECT_EQ(keys[i], p->GetAccessKey().str());
        EXPECT_EQ(appNos[i], p->GetStartupAppNo());
        EXPECT_EQ(appNos[i], p->GetIconID());
    }
    EXPECT_EQ(nullptr, gp.GetBtnInfoPtr(5));
    EXPECT_EQ(nullptr, gp.GetBtnInfoPtr(-1));
    EXPECT_TRUE(gp.GetBtnInfoPtr(0)->IsInternetButton());
    EXPECT_TRUE(gp.GetBtnInfoPtr(1)->IsMailButton());
    EXPECT_TRUE(gp.GetBtnInfoPtr(2)->IsZoomInButton());
    EXPECT_TRUE(gp.GetBtnInfoPtr(3)->IsPresenButton());
    EXPECT_TRUE(gp.GetBtnInfoPtr(4)->IsCustomAppButton());
    EXPECT_FALSE(gp.GetBtnInfoPtr(0)->IsRegistCustomApp());
    EXPECT_TRUE(gp.GetBtnInfoPtr(4)->IsRegistCustomApp());
    EXPECT_EQ("Notepad", gp.GetBtnInfoPtr(4)->GetAppName().str());

    CButtonInfoManager app;
    ASSERT_TRUE(CRegManager::ReadSettingAppButtonInfo(app));
    ASSERT_EQ(4, app.m_nBtnCount);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(app.GetBtnInfoPtr(i)->IsRegistCustomApp());

    CGeneralSettingManager general;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ("Version 3.33", general.GetVersion().str());
    EXPECT_EQ(1, general.m_nExtReceiver);
    EXPECT_NE(0, general.m_nAudioVideoRow);
    EXPECT_TRUE(general.GetOwnerStringSetting().IsEmpty());

    CPlayerManager players;
    ASSERT_TRUE(CRegManager::ReadSettingPlayerInfoManager(players));
    EXPECT_EQ(4, players.GetPlayerCount());
    CMediaManager cd, dvd, mp3;
    EXPECT_TRUE(CRegManager::ReadSettingCDMediaManager(cd, players));
    EXPECT_TRUE(CRegManager::ReadSettingDVDMediaManager(dvd, players));
    EXPECT_TRUE(CRegManager::ReadSettingMP3MediaManager(mp3, players));
    EXPECT_EQ(3, cd.GetPlayerCount());
    EXPECT_EQ("KELVORA CD Player", cd.GetPlayerPtr(cd.GetCurrentPlayerIndex())->GetPlayerName().str());
    EXPECT_EQ("KELVORA DVD Player", dvd.GetPlayerPtr(dvd.GetCurrentPlayerIndex())->GetPlayerName().str());
    EXPECT_EQ(2, mp3.GetPlayerCount());
    EXPECT_EQ(0, mp3.GetCurrentPlayerIndex());

    EXPECT_FALSE(KeyExists("Settings")) << "reading never writes";
}

TEST_F(Records, ButtonChangesRoundTrip)
{
    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    EXPECT_TRUE(gp.GetBtnInfoPtr(2)->SetStartupAppNo(102));
    gp.GetBtnInfoPtr(0)->SetStartupCustomizedApp("Calc", "C:\\calc.exe", "/x", "C:\\");
    EXPECT_TRUE(gp.GetBtnInfoPtr(0)->SetStartupAppNo(3));
    EXPECT_TRUE(gp.GetBtnInfoPtr(1)->SetStartupAppNo(4));
    ASSERT_TRUE(CRegManager::WriteSettingGPButtonInfo(gp));
    EXPECT_EQ(102, GetDword("Settings\\GPButtons\\2", "StartupAppNo"));

    CButtonInfoManager again;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(again));
    ASSERT_EQ(5, again.m_nBtnCount);
    EXPECT_EQ(102, again.GetBtnInfoPtr(2)->GetStartupAppNo());
    CButtonInfo* p0 = again.GetBtnInfoPtr(0);
    EXPECT_EQ(3, p0->GetStartupAppNo());
    EXPECT_EQ("Calc", p0->GetAppName().str());
    EXPECT_EQ("C:\\calc.exe", p0->GetAppTarget().str());
    EXPECT_EQ("/x", p0->GetAppOption().str());
    EXPECT_EQ("C:\\", p0->GetAppWorkDir().str());
    EXPECT_EQ("Internet", p0->GetBtnName().str());
    EXPECT_FALSE(again.GetBtnInfoPtr(1)->IsEnableButton());
    EXPECT_TRUE(again.GetBtnInfoPtr(2)->IsEnableButton());

    // The maker's choices come back after a round trip through the store.
    again.RestoreDefaultSetting();
    EXPECT_EQ(1, p0->GetStartupAppNo());
    EXPECT_FALSE(p0->IsRegistCustomApp());
    EXPECT_EQ(103, again.GetBtnInfoPtr(2)->GetStartupAppNo());
    EXPECT_EQ("Notepad", again.GetBtnInfoPtr(4)->GetAppName().str());

    // The same for the application-mode buttons.
    CButtonInfoManager app;
    ASSERT_TRUE(CRegManager::ReadSettingAppButtonInfo(app));
    app.GetBtnInfoPtr(3)->SetStartupCustomizedApp("Stopper", "stop.exe", "", "");
    ASSERT_TRUE(CRegManager::WriteSettingAppButtonInfo(app));
    CButtonInfoManager appAgain;
    ASSERT_TRUE(CRegManager::ReadSettingAppButtonInfo(appAgain));
    EXPECT_EQ("Stopper", appAgain.GetBtnInfoPtr(3)->GetAppName().str());
    EXPECT_FALSE(appAgain.GetBtnInfoPtr(2)->IsRegistCustomApp());
}

TEST_F(Records, TheActionNumberAndNonsenseAreNeverStored)
{
    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    CButtonInfo* p = gp.GetBtnInfoPtr(0);
    EXPECT_FALSE(p->SetStartupAppNo(99));
    EXPECT_FALSE(p->SetStartupAppNo(0));
    EXPECT_FALSE(p->SetStartupAppNo(-3));
    EXPECT_EQ(1, p->GetStartupAppNo());
}

TEST_F(Records, StoredButtonSetMayBeSparse)
{
    // Indices 0, 2 and 5 exist; 5 is beyond the maker's table and gets neutral values.
    SetDword("Settings\\GPButtons\\0", "StartupAppNo", 105);
    MakeKey("Settings\\GPButtons\\2");
    SetText("Settings\\GPButtons\\5", "Name", "Extra");
    SetDword("Settings\\GPButtons\\5", "Kind", CButtonInfo::KIND_DOLBY);

    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    EXPECT_EQ(3, gp.m_nBtnCount);
    EXPECT_EQ(105, gp.GetBtnInfoPtr(0)->GetStartupAppNo());
    EXPECT_EQ("Internet", gp.GetBtnInfoPtr(0)->GetBtnName().str());
    EXPECT_EQ(nullptr, gp.GetBtnInfoPtr(1));
    EXPECT_EQ("Zoom", gp.GetBtnInfoPtr(2)->GetBtnName().str());
    EXPECT_EQ(nullptr, gp.GetBtnInfoPtr(3));
    EXPECT_EQ("Extra", gp.GetBtnInfoPtr(5)->GetBtnName().str());
    EXPECT_TRUE(gp.GetBtnInfoPtr(5)->IsDolbyButton());
    EXPECT_EQ(4, gp.GetBtnInfoPtr(5)->GetStartupAppNo());

    // A write touches present indices only: nothing appears at 1, 3 or 4.
    ASSERT_TRUE(CRegManager::WriteSettingGPButtonInfo(gp));
    EXPECT_FALSE(KeyExists("Settings\\GPButtons\\1"));
    EXPECT_FALSE(KeyExists("Settings\\GPButtons\\4"));
    CButtonInfoManager again;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(again));
    EXPECT_EQ(3, again.m_nBtnCount);
}

TEST_F(Records, UnreadableValuesKeepTheDefaults)
{
    const std::string sub = "Settings\\GPButtons\\0";
    SetText(sub, "StartupAppNo", "102");                 // a number stored as text
    DWORD dwKind = CButtonInfo::KIND_MAIL;
    SetRaw(sub, "Kind", REG_BINARY, &dwKind, sizeof(dwKind));   // right size, wrong type
    DWORD dwIcon = 7;
    SetRaw(sub, "IconID", REG_DWORD, &dwIcon, 2);         // a short DWORD
    SetDword(sub, "Name", 42);                           // a text stored as a number
    SetText(sub, "AccessKey", std::string(261, 'k'));    // longer than any buffer
    SetRaw(sub, "AppName", REG_SZ, "Browser", 7);        // no terminating zero
    SetDword(sub, "DefaultAppNo", 99);                   // the action is never a choice

    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    CButtonInfo* p = gp.GetBtnInfoPtr(0);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(1, p->GetStartupAppNo());
    EXPECT_TRUE(p->IsInternetButton());
    EXPECT_EQ(1, p->GetIconID());
    EXPECT_EQ("Internet", p->GetBtnName().str());
    EXPECT_EQ("I", p->GetAccessKey().str());
    EXPECT_EQ("Browser", p->GetAppName().str());
    p->RestoreDefaultSetting();
    EXPECT_EQ(1, p->GetStartupAppNo());

    // Out-of-range kinds and stored 99 fall back the same way.
    SetDword(sub, "Kind", 999);
    SetDword(sub, "StartupAppNo", 99);
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    EXPECT_TRUE(gp.GetBtnInfoPtr(0)->IsInternetButton());
    EXPECT_EQ(1, gp.GetBtnInfoPtr(0)->GetStartupAppNo());

    // The general record: an exactly 260-character owner string reads, 261 does not.
    SetText("Settings\\General", "OwnerString", std::string(260, 'o'));
    SetText("Settings\\General", "ExtReceiver", "0");
    CGeneralSettingManager general;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ(260, general.GetOwnerStringSetting().GetLength());
    EXPECT_EQ(1, general.m_nExtReceiver);
    SetText("Settings\\General", "OwnerString", std::string(261, 'o'));
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_TRUE(general.GetOwnerStringSetting().IsEmpty());
}

TEST_F(Records, GeneralRecordRoundTripKeepsTheMakersVersion)
{
    SetText("Settings\\General", "Version", "Version 9.99");
    CGeneralSettingManager general;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ("Version 9.99", general.GetVersion().str());
    general.m_nPreventSupport = 0;
    general.m_nInstallParam = 0x1234;
    general.m_nReceiveMail = 1;
    general.m_nPrevent = 0;
    general.m_nAppMode = 1;
    general.m_nExtReceiver = 0;
    general.m_nBacklightOn = 1;
    general.m_nSubLcdMode = 2;
    general.m_strOwnerString = "Taro";
    general.m_nTvOutByParam = 1;
    general.m_nAudioVideoRow = 0;
    ASSERT_TRUE(CRegManager::WriteSettingGeneralSettingManager(general));

    CGeneralSettingManager again;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(again));
    EXPECT_EQ(0, again.m_nPreventSupport);
    EXPECT_EQ(0x1234, again.m_nInstallParam);
    EXPECT_EQ(1, again.m_nReceiveMail);
    EXPECT_EQ(0, again.m_nPrevent);
    EXPECT_EQ(1, again.m_nAppMode);
    EXPECT_EQ(0, again.m_nExtReceiver);
    EXPECT_EQ(1, again.m_nBacklightOn);
    EXPECT_EQ(2, again.m_nSubLcdMode);
    EXPECT_EQ("Taro", again.GetOwnerStringSetting().str());
    EXPECT_EQ(1, again.m_nTvOutByParam);
    EXPECT_EQ(0, again.m_nAudioVideoRow);
    EXPECT_EQ("Version 9.99", again.GetVersion().str());
}

TEST_F(Records, MediaListsFollowThePlayerList)
{
    SetText("Settings\\Players\\0", "Name", "Alpha");
    SetText("Settings\\Players\\7", "Name", "Seven");
    SetText("Settings\\Players\\7", "Command", "seven.exe /p");
    SetText("Settings\\Players\\3", "Command", "nameless.exe");   // no name: not offered
    SetText("Settings\\Media\\CD", "Players", "7, 0,9,x3");
    SetDword("Settings\\Media\\CD", "CurrentPlayer", 0);
    SetDword("Settings\\Media\\CD", "DefaultPlayer", 7);

    CPlayerManager players;
    ASSERT_TRUE(CRegManager::ReadSettingPlayerInfoManager(players));
    ASSERT_EQ(2, players.GetPlayerCount());
    EXPECT_EQ("seven.exe /p", players.FindPlayer(7)->GetPlayerCommand().str());
    EXPECT_EQ(nullptr, players.FindPlayer(3));

    CMediaManager cd;
    ASSERT_TRUE(CRegManager::ReadSettingCDMediaManager(cd, players));
    ASSERT_EQ(2, cd.GetPlayerCount());   // 9 and 3 are unknown players
    EXPECT_EQ("Seven", cd.GetPlayerPtr(0)->GetPlayerName().str());
    EXPECT_EQ("Alpha", cd.GetPlayerPtr(1)->GetPlayerName().str());
    EXPECT_EQ(nullptr, cd.GetPlayerPtr(2));
    EXPECT_EQ(1, cd.GetCurrentPlayerIndex());
    EXPECT_FALSE(cd.SetCurrentPlayerIndex(2));
    EXPECT_EQ(1, cd.GetCurrentPlayerIndex());
    cd.RestoreDefault();
    EXPECT_EQ(0, cd.GetCurrentPlayerIndex());
    ASSERT_TRUE(cd.SetCurrentPlayerIndex(1));
    ASSERT_TRUE(CRegManager::WriteSettingCDMediaManager(cd));
    EXPECT_EQ("7,0", GetText("Settings\\Media\\CD", "Players"));
    EXPECT_EQ(0, GetDword("Settings\\Media\\CD", "CurrentPlayer"));

    // The DVD list has no record: the maker's list, of which only known players remain.
    CMediaManager dvd;
    ASSERT_TRUE(CRegManager::ReadSettingDVDMediaManager(dvd, players));
    ASSERT_EQ(1, dvd.GetPlayerCount());
    EXPECT_EQ("Alpha", dvd.GetPlayerPtr(0)->GetPlayerName().str());
    EXPECT_EQ(-1, dvd.GetCurrentPlayerIndex());
    ASSERT_TRUE(dvd.SetCurrentPlayerIndex(0));
    ASSERT_TRUE(CRegManager::WriteSettingDVDMediaManager(dvd));
    CMediaManager dvdAgain;
    ASSERT_TRUE(CRegManager::ReadSettingDVDMediaManager(dvdAgain, players));
    EXPECT_EQ(0, dvdAgain.GetCurrentPlayerIndex());

    CMediaManager mp3;
    ASSERT_TRUE(CRegManager::ReadSettingMP3MediaManager(mp3, players));
    mp3.RestoreDefault();
    ASSERT_TRUE(CRegManager::WriteSettingMP3MediaManager(mp3));
    EXPECT_EQ("0", GetText("Settings\\Media\\MP3", "Players"));
}

TEST_F(Records, FailedWritesReportFalseAndWriteNothing)
{
    CGeneralSettingManager general;
    ASSERT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    general.m_strOwnerString = std::string(261, 'x');
    general.m_nBacklightOn = 1;
    EXPECT_FALSE(CRegManager::WriteSettingGeneralSettingManager(general));
    EXPECT_EQ(-1, GetDword("Settings\\General", "BacklightOn"));

    CButtonInfoManager gp;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(gp));
    gp.GetBtnInfoPtr(4)->SetStartupCustomizedApp("n", std::string(300, 't').c_str(), "", "");
    EXPECT_FALSE(CRegManager::WriteSettingGPButtonInfo(gp));
    EXPECT_EQ(-1, GetDword("Settings\\GPButtons\\4", "StartupAppNo"));

    // A base whose key cannot be made: every write fails, reads give the defaults and FALSE.
    SetEnvironmentVariableA("MIRREND_ROOT", ("HKCU\\" + m_strPath + "\\" + std::string(300, 'k')).c_str());
    general.m_strOwnerString = "ok";
    EXPECT_FALSE(CRegManager::WriteSettingGeneralSettingManager(general));
    EXPECT_FALSE(CRegManager::WriteSettingGPButtonInfo(gp));
    CMediaManager cd;
    EXPECT_FALSE(CRegManager::WriteSettingCDMediaManager(cd));

    SetEnvironmentVariableA("MIRREND_ROOT", "HKXX\\Nowhere");
    EXPECT_FALSE(CRegManager::WriteSettingGeneralSettingManager(general));
    CButtonInfoManager fallback;
    EXPECT_FALSE(CRegManager::ReadSettingGPButtonInfo(fallback));
    EXPECT_EQ(5, fallback.m_nBtnCount);
    EXPECT_FALSE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ("Version 3.33", general.GetVersion().str());
}

TEST_F(Records, MakerValuesWithDefaults)
{
    EXPECT_EQ(0, IsSettingReadOnly());
    EXPECT_EQ(1, GetPlatformKind());
    EXPECT_EQ(GetACP() == 932 ? 1 : 2, GetLocaleKind());

    const std::string sub = "DefaultSetting\\Mirrend";
    SetDword(sub, "ReadOnly", 5);
    SetDword(sub, "PlatformKind", 3);
    SetDword(sub, "LocaleKind", 1);
    EXPECT_NE(0, IsSettingReadOnly());
    EXPECT_EQ(3, GetPlatformKind());
    EXPECT_EQ(1, GetLocaleKind());

    SetText(sub, "ReadOnly", "1");
    SetRaw(sub, "PlatformKind", REG_DWORD, "\x03\x00", 2);
    EXPECT_EQ(0, IsSettingReadOnly());
    EXPECT_EQ(1, GetPlatformKind());
}

TEST(Holders, InstalledProgramsComeFromTheInstallParameter)
{
    const int param = (1 << 0) | (1 << 8) | (1 << 20) | (1 << 21);
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(100, param));
    EXPECT_FALSE(CButtonInfo::IsAppInstalled(101, param));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(108, param));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(120, param));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(5, param));
    EXPECT_FALSE(CButtonInfo::IsAppInstalled(5, 1));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(1, 0));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(4, 0));
    EXPECT_FALSE(CButtonInfo::IsAppInstalled(99, -1));
    EXPECT_FALSE(CButtonInfo::IsAppInstalled(121, -1));
}

TEST(Holders, KeyHolderReadsOnlyFourByteNumbers)
{
    const char* pszPath = "Software\\KelvoraMakerTests\\KeyHolder";
    CRegistryScratch scratch(HKEY_CURRENT_USER, pszPath, true);
    const unsigned long long qw = 9;
    ASSERT_TRUE(scratch.SetDword("Good", 7) && scratch.SetString("Text", "1") &&
                scratch.SetValue("Wide", REG_QWORD, &qw, sizeof(qw)));
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, pszPath, 0, KEY_ALL_ACCESS, &hKey));
    DWORD dw = 7;
    {
        CRegKeyEx key;
        key.m_hKey = hKey;
        DWORD dwOut = 1234;
        EXPECT_EQ(0, key.QueryValue(dwOut, "Good"));
        EXPECT_EQ(7u, dwOut);
        int nOut = 55;
        EXPECT_NE(0, key.QueryValue(nOut, "Text"));
        EXPECT_NE(0, key.QueryValue(nOut, "Wide"));
        EXPECT_NE(0, key.QueryValue(nOut, "Missing"));
        EXPECT_EQ(55, nOut);
    }   // the holder closed the key
    EXPECT_NE(ERROR_SUCCESS, RegSetValueExA(hKey, "After", 0, REG_DWORD,
                                            reinterpret_cast<BYTE*>(&dw), sizeof(dw)));
}

}  // namespace
