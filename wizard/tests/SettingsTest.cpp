// The wizard's record of the project it makes.

#include "wizard/CWEProjectSettings.h"

#include <gtest/gtest.h>

TEST(SettingsTest, FreshRecordHasTheDefaultsOfANewProject)
{
    CWEProjectSettings settings;
    EXPECT_EQ("SurveyResults", settings.m_strRecordSource);
    EXPECT_EQ("Survey results", settings.m_strSubject);
    EXPECT_EQ("[OK]", settings.m_strSuccessMark);
    EXPECT_EQ("[FAIL]", settings.m_strFailedMark);
    EXPECT_EQ("index.html", settings.m_strStartPage);
    EXPECT_EQ(1, settings.m_lSqlCheck);
    EXPECT_EQ(0, settings.m_lSqlEdited);
    EXPECT_EQ(0u, settings.m_CodePage.uiCodePage);
}

TEST(SettingsTest, CopyLeavesTheTargetsIdAndSqlAlone)
{
    CWEProjectSettings source;
    source.m_lProjectId = 4097;
    source.m_strEmail = "a@b.cd";
    source.m_strSourcePath = "/x/page.htm";
    source.m_lCollectSenders = 1;
    source.m_CodePage.uiCodePage = 1251;
    source.m_strSqlRequest = "CREATE TABLE x (a INTEGER)";
    source.m_lSqlEdited = 1;
    CWEProjectSettings target;
    target.m_lProjectId = 12;
    target.m_strSqlDefault = "kept";
    target.CopyFrom(source);
    EXPECT_EQ(12, target.m_lProjectId);
    EXPECT_EQ("", target.m_strSqlRequest);
    EXPECT_EQ(0, target.m_lSqlEdited);
    EXPECT_EQ("kept", target.m_strSqlDefault);
    EXPECT_EQ("a@b.cd", target.m_strEmail);
    EXPECT_EQ("/x/page.htm", target.m_strSourcePath);
    EXPECT_EQ(1, target.m_lCollectSenders);
    EXPECT_EQ(1251u, target.m_CodePage.uiCodePage);
    EXPECT_EQ(1, target.Reset());
    EXPECT_EQ("", target.m_strEmail);
}
