// Command lines of a project import, as installers and scripts write them.

#include "CWEImportCommand.h"

#include "com/Text.h"

#include <gtest/gtest.h>

namespace {

std::string Describe(const CComVariant& value)
{
    switch (value.vt) {
    case VT_I4:
        return "I4 " + std::to_string(value.lVal);
    case VT_I2:
        return "I2 " + std::to_string(value.iVal);
    case VT_BOOL:
        return value.boolVal ? "BOOL true" : "BOOL false";
    case VT_BSTR:
        return "BSTR " + pollenta::com::AnsiFromBstr(value.bstrVal);
    default:
        return "vt " + std::to_string(value.vt);
    }
}

TEST(ImportCommand, TakesSwitchesNamesAndQuotedWords)
{
    const CWEImportCommand command =
        CWEImportCommand::Parse("/silentok /SILENT \"My \"\"best\"\" survey\" \"/data/my db.sqlite\" Form extra");
    EXPECT_TRUE(command.valid);
    EXPECT_EQ(CWEImportCommand::Silence::Silent, command.silence);
    EXPECT_EQ("My \"best\" survey", command.projectName);
    EXPECT_EQ("/data/my db.sqlite", command.database);
    EXPECT_EQ("Form", command.form);
    EXPECT_EQ("extra", command.parameterText);
    EXPECT_EQ(CWEImportCommand::Silence::SilentDp, CWEImportCommand::Parse("a b c").silence);
}

TEST(ImportCommand, RefusesCommandLinesThatNameTooLittleOrTooMuch)
{
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"two words", "/SILENT Survey db"},
        {"nothing", ""},
        {"project name over 200 characters", std::string(201, 'p') + " db form"},
        {"form name over 100 characters", "Survey db " + std::string(101, 'f')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(CWEImportCommand::Parse(c.text).valid);
    }
    EXPECT_TRUE(CWEImportCommand::Parse(std::string(200, 'p') + " db " + std::string(100, 'f')).valid);
}

TEST(ImportCommand, TypesEachParameterByItsTriplet)
{
    const CWEImportCommand command = CWEImportCommand::Parse(
        "S db f Email|text|ann@example.com|Count|i|12|Flag|VT_BOOL|yes|Off|BOOL|0|Small|VT_I2|-3||int|5|Odd||x|Big|I4|"
        "abc|");
    std::vector<std::string> described;
    for (const auto& parameter : command.parameters)
        described.push_back(parameter.name + " " + Describe(parameter.value));
    EXPECT_EQ((std::vector<std::string>{"Email BSTR ann@example.com", "Count I4 12", "Flag BOOL true",
                                        "Off BOOL false", "Small I2 -3", "Big I4 0"}),
              described);
}

TEST(ImportCommand, TakesTheSampleFlagFromItsParsedTriplet)
{
    const struct {
        const char* parameters;
        bool sample;
    } cases[] = {
        {"IsSample|BOOL|1|", true},
        {"IsSample|BOOL|true|", true},
        {"issample|i|2|", true},
        {"IsSample|BOOL|false|", false},
        {"IsSample|BOOL|no|", false},
        {"IsSample|i|0|", false},
        {"NotIsSample|BOOL|1|", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters);
        EXPECT_EQ(c.sample, CWEImportCommand::Parse(std::string("S db f ") + c.parameters).isSample);
    }
}

}  // namespace
