#pragma once
// A folder of its own for one test, removed with everything in it at the
// end; its "registry" folder is the registry folder of the process.

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include <filesystem>

class TempFolder : public pollenta::testsupport::TempFolder {
public:
    TempFolder() : pollenta::testsupport::TempFolder("pollenta-win"), m_registry(Path() / "registry") {}

    std::filesystem::path Registry() const { return m_registry.Path(); }

private:
    pollenta::testsupport::TempRegistry m_registry;
};
