#pragma once
// The survey projects as their clients see them: through Gastrel.Hubberly,
// created by ProgID from the registry. COM must be initialised on the
// thread.

#include "IHubberly.h"
#include "com/ComPtr.h"

#include <string>
#include <vector>

class ProjectCatalog {
public:
    ProjectCatalog();

    // The finished projects' identifiers.
    std::vector<LONG> Finished();
    // The one finished project of this name; a RoadFailure when there is not exactly one.
    LONG IdOf(const std::string& name);
    // A property as text ("" when it is empty).
    std::string Property(LONG id, const std::string& name);
    std::string Folder(LONG id);

private:
    CComPtr<IHubberly> m_hubberly;
};
