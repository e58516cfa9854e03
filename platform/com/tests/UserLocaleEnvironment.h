#pragma once
// Sets the locale variables of the environment for one test and puts the
// old values back; a locale that is not installed fails the test, since
// ./setup installs the ones the tests use.

#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

class UserLocaleEnvironment {
public:
    // Names of variables and their values; an empty value unsets one.
    explicit UserLocaleEnvironment(const std::map<std::string, std::string>& values)
    {
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"}) {
            const char* old = std::getenv(name);
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
            Set(name, "");
        }
        for (const auto& [name, value] : values) {
            Set(name, value);
            locale_t locale = value.empty() ? nullptr : newlocale(LC_ALL_MASK, value.c_str(), nullptr);
            EXPECT_TRUE(value.empty() || locale) << "locale " << value << " is not installed; run ./setup";
            if (locale)
                freelocale(locale);
        }
    }
    // LC_ALL alone.
    explicit UserLocaleEnvironment(const std::string& all) : UserLocaleEnvironment({{"LC_ALL", all}}) {}
    ~UserLocaleEnvironment()
    {
        for (const auto& [name, value] : m_saved)
            Set(name, value.value_or(""));
    }
    UserLocaleEnvironment(const UserLocaleEnvironment&) = delete;
    UserLocaleEnvironment& operator=(const UserLocaleEnvironment&) = delete;

private:
    static void Set(const std::string& name, const std::string& value)
    {
        if (value.empty())
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }

    std::map<std::string, std::optional<std::string>> m_saved;
};
