#pragma once
// An environment variable set while the object lives; its earlier value
// (or its absence) comes back at the end.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::string& value) : m_name(std::move(name))
    {
        if (const char* previous = std::getenv(m_name.c_str()))
            m_previous = previous;
        setenv(m_name.c_str(), value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (m_previous)
            setenv(m_name.c_str(), m_previous->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_previous;
};
