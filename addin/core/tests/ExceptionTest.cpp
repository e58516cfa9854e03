// The add-in's exceptions: their texts, their boxes and their copies.

#include "errors/CZrHrException.h"
#include "errors/CZrMAPIException.h"
#include "errors/ThrowInvalidParams.h"

#include "mapi/MapiUtil.h"
#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ExceptionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            boxes.push_back(request);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxHook({}); }

    std::vector<MessageBoxRequest> boxes;
};

// A MAPIERROR as MAPI hands one out, with its texts in one block.
struct OwnedMapiError {
    OwnedMapiError(const char* error, const char* component)
    {
        MAPIAllocateBuffer(sizeof(MAPIERROR), reinterpret_cast<LPVOID*>(&block));
        *block = MAPIERROR{1, const_cast<LPSTR>(error), const_cast<LPSTR>(component), 7, 9};
    }
    ~OwnedMapiError() { MAPIFreeBuffer(block); }
    LPMAPIERROR block = nullptr;
};

}  // namespace

TEST_F(ExceptionTest, HrExceptionTextHasOnlyThePartsThatAreGiven)
{
    const struct {
        const char* additional;
        const char* file;
        int line;
        const char* expected;
    } cases[] = {
        {nullptr, nullptr, 0, "Code: 0x80070057"},
        {"", "", 0, "Code: 0x80070057"},
        {"No folder", nullptr, 3, "Code: 0x80070057 Additional: No folder"},
        {nullptr, "Tree.cpp", 12, "Code: 0x80070057 DebugInfo: File: Tree.cpp Line: 12"},
        {"No folder", "Tree.cpp", -1, "Code: 0x80070057 Additional: No folder DebugInfo: File: Tree.cpp Line: -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        CZrHrException e(E_INVALIDARG, c.additional, c.file, c.line);
        EXPECT_EQ(c.expected, e.GetText());
        EXPECT_EQ(E_INVALIDARG, e.GetCode());
    }
}

TEST_F(ExceptionTest, HrExceptionShowsItsTextUnlessSilent)
{
    CZrHrException(E_FAIL, "Lost", nullptr, 0).ShowError();
    CZrHrException(E_FAIL, "Quiet", nullptr, 0, true).ShowError();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Code: 0x80004005 Additional: Lost", boxes[0].text);
    EXPECT_EQ("Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes[0].type);
    EXPECT_EQ(nullptr, boxes[0].owner);
}

TEST_F(ExceptionTest, ThrowInvalidParamsThrowsASilentInvalidArgument)
{
    try {
        ThrowInvalidParams(nullptr, nullptr, 41);
        FAIL() << "nothing thrown";
    } catch (const CZrException& e) {
        EXPECT_EQ(E_INVALIDARG, e.GetCode());
        EXPECT_EQ("Code: 0x80070057 Additional: Invalid parameters. Function: Unknown DebugInfo: File: Unknown Line: 41",
                  e.GetText());
        e.ShowError();
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ExceptionTest, MapiExceptionTextNamesTheCodeAndTheMapiErrorOnLinesOfTheirOwn)
{
    OwnedMapiError withError("Store is busy", "Pollenta store");
    OwnedMapiError withoutErrorText("", "Pollenta store");
    const struct {
        const MAPIERROR* error;
        const char* file;
        const char* function;
        const char* expected;
    } cases[] = {
        {nullptr, nullptr, "OpenEntry", "MAPI: Code: MAPI_E_NOT_FOUND"},
        {withoutErrorText.block, "Tree.cpp", nullptr, "MAPI: Code: MAPI_E_NOT_FOUND\r\nDebugInfo: File: Tree.cpp Line: 12"},
        {withError.block, "Tree.cpp", "OpenEntry",
         "MAPI: Code: MAPI_E_NOT_FOUND\r\nAdditional: MAPIError: Store is busy\r\nComponent: Pollenta store"
         "\r\nDebugInfo: File: Tree.cpp Line: 12\r\nFunction: OpenEntry"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        CZrMAPIException e(MAPI_E_NOT_FOUND, c.function, c.error, c.file, 12);
        EXPECT_EQ(c.expected, e.GetText());
    }
    CZrMAPIException(0x80041234, nullptr, nullptr, nullptr, 0).ShowError();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("MAPI: Code: 0x80041234", boxes[0].text);
    EXPECT_EQ("MAPI Error", boxes[0].caption);
}

TEST_F(ExceptionTest, MapiExceptionCopiesKeepTheirOwnMapiError)
{
    std::string text;
    {
        OwnedMapiError error("Store is busy", nullptr);
        CZrMAPIException original(MAPI_E_BUSY, "OpenEntry", error.block, "Tree.cpp", 5);
        CZrMAPIException copy(original);
        ASSERT_NE(nullptr, copy.GetMapiError());
        EXPECT_NE(original.GetMapiError(), copy.GetMapiError());
        EXPECT_EQ(nullptr, copy.GetMapiError()->lpszComponent);
        EXPECT_EQ(7u, copy.GetMapiError()->ulLowLevelError);
        text = copy.GetText();
    }
    EXPECT_NE(std::string::npos, text.find("Store is busy"));
}

TEST_F(ExceptionTest, MapiExceptionAssignmentFromOneWithoutMapiErrorClearsIt)
{
    OwnedMapiError error("Store is busy", "Pollenta store");
    CZrMAPIException target(MAPI_E_BUSY, "OpenEntry", error.block, "Tree.cpp", 5);
    const CZrMAPIException plain(MAPI_E_NOT_FOUND, "GetProps", nullptr, "List.cpp", 9);
    target = plain;
    EXPECT_EQ(nullptr, target.GetMapiError());
    EXPECT_EQ(plain.GetText(), target.GetText());
    EXPECT_EQ(MAPI_E_NOT_FOUND, target.GetCode());
}

TEST_F(ExceptionTest, MapiExceptionSelfAssignmentChangesNothing)
{
    OwnedMapiError error("Store is busy", "Pollenta store");
    CZrMAPIException e(MAPI_E_BUSY, "OpenEntry", error.block, "Tree.cpp", 5);
    const std::string before = e.GetText();
    CZrMAPIException& same = e;
    e = same;
    e.Assign(e);
    EXPECT_EQ(before, e.GetText());
}
