#include "CWEGenerationState.h"

#include "AnsiText.h"
#include "CWEAccessProperties.h"

namespace {

// Warnings after which the page cannot collect answers as meant.
bool IsSevere(LONG id) { return id == 4 || id == 9 || id == 10 || id == 11 || id == 12 || id == 18; }

}  // namespace

void CWEGenerationState::Warn(IDispatch* object, LONG id) { Warn(gastrel::WarningObjectText(object), id); }

void CWEGenerationState::Warn(const std::string& objectText, LONG id)
{
    warnings.push_back({objectText, id});
    severe = severe || IsSevere(id);
}

bool CWEGenerationState::IsTableField(const std::string& name) const
{
    for (const std::string& field : tableFields)
        if (AnsiEqualNoCase(field, name))
            return true;
    return false;
}
