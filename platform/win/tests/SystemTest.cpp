// Locale values and the reported system version, both settable.

#include "win/Errors.h"
#include "win/Locale.h"
#include "win/SystemInfo.h"

#include <gtest/gtest.h>

TEST(SystemTest, LocaleValuesFollowTheUsersSettings)
{
    char separator[4];
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, nullptr, 0));
    EXPECT_EQ(2, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator));
    EXPECT_STREQ(",", separator);
    EXPECT_TRUE(SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, ";"));
    GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator);
    EXPECT_STREQ(";", separator);
    SetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, ",");

    char date[4];
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date, sizeof date));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(0, GetLocaleInfo(LOCALE_USER_DEFAULT, 0x7777, date, sizeof date));
    EXPECT_EQ(ERROR_INVALID_FLAGS, GetLastError());

    EXPECT_EQ(0x0409u, GetThreadLocale());
    SetThreadLocale(0x0419);
    EXPECT_EQ(0x0419u, GetThreadLocale());
    SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
    EXPECT_EQ(0x0409u, GetThreadLocale());
}

TEST(SystemTest, ReportedVersionIsSettable)
{
    OSVERSIONINFO info{};
    EXPECT_FALSE(GetVersionEx(&info));
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(5u, info.dwMajorVersion);
    EXPECT_EQ(0u, info.dwMinorVersion);
    SetReportedWindowsVersion(5, 1);
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(1u, info.dwMinorVersion);
    SetReportedWindowsVersion(5, 0);
}
