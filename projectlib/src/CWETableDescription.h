#pragma once
// Records in the project store what the answer table of a form looks like:
// the connection string of the database, and under "Fields" one key per
// field with its ADO type, size and attributes. The field names go into
// the generation state, where the control writer binds to them.

#include "CWEGenerationState.h"
#include "CWEPropertyList.h"

#include "com/Dispatch.h"

class CWETableDescription {
public:
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

    CWEGenerationState& m_state;
    LONG m_projectId;
    CWEPropertyList& m_properties;
    std::string m_objectText;
};
