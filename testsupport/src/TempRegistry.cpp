#include "testsupport/TempRegistry.h"

#include <cstdlib>

namespace pollenta::testsupport {

namespace {

constexpr const char* RegistryVariable = "POLLENTA_REGISTRY";

}  // namespace

TempRegistry::TempRegistry() : m_ownFolder(std::in_place, "pollenta-registry"), m_path(m_ownFolder->Path())
{
    Use();
}

TempRegistry::TempRegistry(std::filesystem::path folder) : m_path(std::move(folder))
{
    Use();
}

void TempRegistry::Use()
{
    if (const char* previous = std::getenv(RegistryVariable))
        m_previous = previous;
    setenv(RegistryVariable, m_path.c_str(), 1);
}

TempRegistry::~TempRegistry()
{
    if (m_previous)
        setenv(RegistryVariable, m_previous->c_str(), 1);
    else
        unsetenv(RegistryVariable);
}

}  // namespace pollenta::testsupport
