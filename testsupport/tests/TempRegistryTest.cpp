#include "testsupport/TempRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace fs = std::filesystem;
using pollenta::testsupport::TempFolder;
using pollenta::testsupport::TempRegistry;

namespace {

std::optional<std::string> RegistryVariable()
{
    const char* value = std::getenv("POLLENTA_REGISTRY");
    return value ? std::optional<std::string>(value) : std::nullopt;
}

void SetRegistryVariable(const std::optional<std::string>& value)
{
    if (value)
        setenv("POLLENTA_REGISTRY", value->c_str(), 1);
    else
        unsetenv("POLLENTA_REGISTRY");
}

}  // namespace

TEST(TempRegistry, NamesItsFolderWhileItLivesAndGivesTheEarlierSettingBack)
{
    const std::optional<std::string> outside = RegistryVariable();
    for (const std::optional<std::string>& before : {std::optional<std::string>("/somewhere/else"),
                                                     std::optional<std::string>()}) {
        SCOPED_TRACE(before.value_or("unset"));
        SetRegistryVariable(before);
        fs::path own;
        {
            TempRegistry registry;
            own = registry.Path();
            EXPECT_TRUE(fs::is_directory(own));
            EXPECT_EQ(own.string(), RegistryVariable());
        }
        EXPECT_EQ(before, RegistryVariable());
        EXPECT_FALSE(fs::exists(own));
    }
    SetRegistryVariable(outside);
}

TEST(TempRegistry, InAFolderOfTheTestLeavesTheFolderToTheTest)
{
    TempFolder folder;
    const fs::path place = folder.Path() / "registry";
    fs::create_directory(place);
    {
        TempRegistry registry(place);
        EXPECT_EQ(place, registry.Path());
        EXPECT_EQ(place.string(), RegistryVariable());
    }
    EXPECT_TRUE(fs::is_directory(place));
}
