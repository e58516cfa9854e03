#include "wizard/ColumnNames.h"

#include "WizardText.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"

#include <map>
#include <string>

void RequireDistinctColumnNames(const std::vector<CWEField>& fields)
{
    std::map<std::string, std::string> columns;  // lower-cased -> as given
    for (const CWEField& field : fields) {
        const std::string name = TrimBlanks(field.m_strName);
        if (name.empty())
            CWEException::ThrowFormatted(WE_E_EMPTY_FIELD_NAME, {field.m_strInitialName});
        const auto [known, added] = columns.emplace(LowerAscii(name), name);
        if (!added)
            CWEException::ThrowFormatted(WE_E_NAMES_DIFFER_IN_CASE, {known->second, name});
    }
}
