// The wizard's exceptions and its errors collection.

#include "wizard/CWECOMException.h"
#include "wizard/CWEErrors.h"
#include "wizard/WizardIds.h"

#include "com/ErrorInfo.h"
#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ErrorsTest, ExceptionTextHasItsInserts)
{
    const CWEException exception(WE_E_PROJECT_DIR_MISSING, {"/data/4097"});
    EXPECT_EQ(WE_E_PROJECT_DIR_MISSING, exception.GetId());
    EXPECT_EQ("Error while getting the project folder path with Hubberly. Folder (/data/4097) doesn't exist.",
              exception.GetText());
    char small[8];
    UINT help = 99;
    EXPECT_TRUE(exception.GetErrorMessage(small, sizeof small, &help));
    EXPECT_EQ(std::string("Error w"), small);
    EXPECT_EQ(0u, help);
}

TEST(ErrorsTest, UnexpectedAndComErrorsTellWhere)
{
    try {
        CWEException::ThrowUnexpected("", 0);
    } catch (const CWEException& exception) {
        EXPECT_EQ("Unexpected Error\r\n\r\nFile: Unknown;\r\nLine: 0", exception.GetText());
    }
    pollenta::com::ReportError(E_FAIL, "Disk on fire");
    const CWECOMException com(E_FAIL, nullptr, GUID_NULL, "Page.cpp", 0);
    EXPECT_EQ(WE_E_COM_CALL, com.GetId());
    EXPECT_EQ("COM-method invocation error\r\n\r\nError: 0x80004005;\r\nDescription: Unknown Error;\r\n"
              "File: Page.cpp;\r\nLine: Unknown",
              com.GetText());
    EXPECT_EQ(WE_E_UNEXPECTED, CWEException().GetId());
    EXPECT_EQ(WE_E_COM_CALL, CWECOMException().GetId());
}

TEST(ErrorsTest, NoEntryIsDroppedAndEveryEntryIsOneLine)
{
    CWEErrors errors;
    errors.AddException(CWEException(WE_E_DB_CONNECT, {"0x80004005", "no such file"}));
    errors.AddText(WE_E_CREATE_TABLE, "");
    errors.AddText(0xE0001234, "");
    errors.AddException(CWEException());
    errors.AddOther(std::runtime_error(""));
    errors.Add(WE_W_DUPLICATE_NAME, {"q1"});
    ASSERT_EQ(6u, errors.GetCount());
    EXPECT_EQ("Database connection error.    Error: 0x80004005;  Description: no such file.", errors.GetText(0));
    EXPECT_EQ("Error while creating table in database.", errors.GetText(1));
    EXPECT_EQ("Unexpected Error (0xE0001234)", errors.GetText(2));
    EXPECT_EQ("Unexpected Error", errors.GetText(3));
    EXPECT_EQ(WE_E_UNEXPECTED, errors.GetId(4));
    EXPECT_EQ("Unexpected Error", errors.GetText(4));
    EXPECT_EQ(5u, errors.CountErrors());
    errors.RemoveAll();
    EXPECT_EQ(0u, errors.GetCount());
}

TEST(ErrorsTest, ReportShowsTheSeverityCaptionAndIcon)
{
    std::vector<MessageBoxRequest> shown;
    SetMessageBoxHook([&](const MessageBoxRequest& request) {
        shown.push_back(request);
        return IDOK;
    });
    CWEException(WE_W_SUBMIT_NAME, {}).ReportError(MB_OK);
    CWEException(WE_S_OK, {}).ReportError(MB_OK);
    CWEException(WE_E_NO_FORMS, {}).ReportError(MB_OK);
    SetMessageBoxHook({});
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("Warning", shown[0].caption);
    EXPECT_EQ(MB_ICONWARNING, shown[0].type);
    EXPECT_EQ("Success", shown[1].caption);
    EXPECT_EQ(MB_ICONINFORMATION, shown[1].type);
    EXPECT_EQ("Fatal error", shown[2].caption);
    EXPECT_EQ(MB_ICONERROR, shown[2].type);
    EXPECT_EQ("No forms found on the HTML-page", shown[2].text);
}
