#pragma once
// Records in the project store what the answer table of a form looks like:
// the connection string of the database, and under "Fields" one key per
// field with its ADO type, size and attributes. The field names go into
// the generation state, where the control writer binds to them.

#include "CWEGenerationState.h"
#include "CWEPropertyList.h"
#include "CWERegKey.h"

#include "ado/AdoEnums.h"
#include "com/Dispatch.h"

#include <string>
#include <vector>

class CWETableDescription {
public:
    struct FieldDescription {
        std::string name;
        DataTypeEnum type = adEmpty;
        LONG size = 0;
        LONG attributes = 0;
    };

    CWETableDescription(CWEGenerationState& state, LONG projectId, CWEPropertyList& properties)
        : m_state(state), m_projectId(projectId), m_properties(properties)
    {
    }

    // recordSource is the bracketed name. Failures become warnings; a
    // failure ends the description.
    void Store(IDispatch* application, const std::string& recordSource);

private:
    void Warn(LONG id) { m_state.Warn(m_objectText, id); }
    void CompareCollecting(bool hasRecipient, bool hasSender);
    // Leaves fieldsKey open on the project's "Fields" key holding exactly
    // the described fields; false when the key cannot be made.
    static bool RenewFields(const CWERegKey& project, const std::vector<FieldDescription>& described,
                            CWERegKey& fieldsKey);

    CWEGenerationState& m_state;
    LONG m_projectId;
    CWEPropertyList& m_properties;
    std::string m_objectText;
};
