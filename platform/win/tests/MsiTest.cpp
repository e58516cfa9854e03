// Installer properties as custom actions read them: the length first with
// an empty buffer, then the text.

#include "win/Msi.h"

#include <gtest/gtest.h>

namespace {

TEST(Msi, GivesThePropertyLengthFirstAndThenItsText)
{
    const MSIHANDLE session = MsiOpenPropertySession({{"CustomActionData", "/SILENT Survey db Form"}});
    char none[1] = "";
    DWORD size = 0;
    EXPECT_EQ(ERROR_MORE_DATA, MsiGetPropertyA(session, "CustomActionData", none, &size));
    EXPECT_EQ(22u, size);
    char text[23];
    size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, MsiGetPropertyA(session, "CustomActionData", text, &size));
    EXPECT_EQ(22u, size);
    EXPECT_STREQ("/SILENT Survey db Form", text);

    char cut[5];
    size = sizeof cut;
    EXPECT_EQ(ERROR_MORE_DATA, MsiGetPropertyA(session, "CustomActionData", cut, &size));
    EXPECT_STREQ("/SIL", cut);
    EXPECT_EQ(22u, size);
    EXPECT_EQ(ERROR_SUCCESS, MsiCloseHandle(session));
}

TEST(Msi, AnswersAPropertyNotPassedWithEmptyTextAndAClosedSessionWithAnError)
{
    const MSIHANDLE session = MsiOpenPropertySession({});
    char text[8] = "x";
    DWORD size = sizeof text;
    EXPECT_EQ(ERROR_SUCCESS, MsiGetPropertyA(session, "CustomActionData", text, &size));
    EXPECT_EQ(0u, size);
    EXPECT_STREQ("", text);
    EXPECT_EQ(ERROR_SUCCESS, MsiCloseHandle(session));
    size = sizeof text;
    EXPECT_EQ(ERROR_INVALID_HANDLE, MsiGetPropertyA(session, "CustomActionData", text, &size));
    EXPECT_EQ(ERROR_INVALID_HANDLE, MsiCloseHandle(session));
}

}  // namespace
