// The fake settings library behaves as its scripts say; page tests build on it.
#include "FakeMirrend.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Fake : public ::testing::Test {
protected:
    void SetUp() override { FakeMirrend::Reset(); }
};

TEST_F(Fake, ReadsTheStoreAndWritesBackWithARecordOfTheData)
{
    FakeMirrend::Button mail, sixth;
    mail.nIndex = 0;
    mail.nKind = CButtonInfo::KIND_MAIL;
    mail.nAppNo = 2;
    sixth.nIndex = 5;
    FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS) = {mail, sixth};
    CButtonInfoManager buttons;
    ASSERT_TRUE(CRegManager::ReadSettingGPButtonInfo(buttons));
    EXPECT_EQ(2, buttons.m_nBtnCount);
    EXPECT_EQ(nullptr, buttons.GetBtnInfoPtr(1));
    ASSERT_NE(nullptr, buttons.GetBtnInfoPtr(5));
    EXPECT_TRUE(buttons.GetBtnInfoPtr(0)->IsMailButton());

    buttons.GetBtnInfoPtr(5)->SetStartupAppNo(103);
    FakeMirrend::FailWrite(FakeMirrend::GP_BUTTONS);
    EXPECT_FALSE(CRegManager::WriteSettingGPButtonInfo(buttons));
    EXPECT_EQ(4, FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS)[1].nAppNo);
    const FakeMirrend::Call* pCall = FakeMirrend::LastCall("WriteSettingGPButtonInfo");
    ASSERT_NE(nullptr, pCall);
    EXPECT_EQ(0, pCall->nResult);
    ASSERT_EQ(2u, pCall->buttons.size());
    EXPECT_EQ(103, pCall->buttons[1].nAppNo);

    FakeMirrend::FailWrite(FakeMirrend::GP_BUTTONS, false);
    EXPECT_TRUE(CRegManager::WriteSettingGPButtonInfo(buttons));
    EXPECT_EQ(103, FakeMirrend::StoredButtons(FakeMirrend::GP_BUTTONS)[1].nAppNo);
    EXPECT_EQ(2, FakeMirrend::CountCalls("WriteSettingGPButtonInfo"));
}

TEST_F(Fake, FailedReadLeavesTheHolderAlone)
{
    CGeneralSettingManager general;
    general.m_nExtReceiver = 7;
    FakeMirrend::FailRead(FakeMirrend::GENERAL);
    EXPECT_FALSE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ(7, general.m_nExtReceiver);
    FakeMirrend::Reset();
    EXPECT_TRUE(CRegManager::ReadSettingGeneralSettingManager(general));
    EXPECT_EQ(1, general.m_nExtReceiver);
    EXPECT_EQ("Version 3.33", general.GetVersion().str());
    EXPECT_EQ(1, FakeMirrend::CountCalls("ReadSettingGeneralSettingManager"));
}

TEST_F(Fake, DialogAnswersAsScriptedWithinTheBufferSize)
{
    char name[8] = "old", target[8] = "t", option[8] = "", dir[8] = "";
    EXPECT_EQ(0, ShowCustomAppDialog(name, target, option, dir, 8));
    EXPECT_STREQ("old", name);

    FakeMirrend::ScriptDialog(1, "a very long name", "x.exe", "-o", "C:\\");
    EXPECT_EQ(1, ShowCustomAppDialog(name, target, option, dir, 8));
    EXPECT_STREQ("a very ", name);
    EXPECT_STREQ("x.exe", target);
    const FakeMirrend::Call* pCall = FakeMirrend::LastCall("ShowCustomAppDialog");
    ASSERT_NE(nullptr, pCall);
    EXPECT_EQ("old", pCall->dialogIn[0]);
    EXPECT_EQ("t", pCall->dialogIn[1]);
    EXPECT_EQ(8, pCall->nDialogSize);
}

TEST_F(Fake, MachineValuesAndInstalledPrograms)
{
    EXPECT_EQ(0, IsSettingReadOnly());
    EXPECT_EQ(1, GetPlatformKind());
    EXPECT_EQ(2, GetLocaleKind());
    FakeMirrend::SetReadOnly(1);
    FakeMirrend::SetPlatformKind(3);
    FakeMirrend::SetLocaleKind(1);
    FakeMirrend::SetAppInstalled(108, FALSE);
    EXPECT_EQ(1, IsSettingReadOnly());
    EXPECT_EQ(3, GetPlatformKind());
    EXPECT_EQ(1, GetLocaleKind());
    EXPECT_FALSE(CButtonInfo::IsAppInstalled(108, 77));
    EXPECT_TRUE(CButtonInfo::IsAppInstalled(100, 0));
    const FakeMirrend::Call* pCall = FakeMirrend::LastCall("IsAppInstalled");
    ASSERT_NE(nullptr, pCall);
    EXPECT_EQ(100, pCall->nAppNo);
    EXPECT_EQ(0, pCall->nInstallParam);
}

}  // namespace
