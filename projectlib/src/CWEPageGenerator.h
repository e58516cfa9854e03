#pragma once
// Makes the survey page of a form: index.html in the project folder, an
// absolutely positioned form that posts its fields by mail to the
// project's address, with the pictures of the form beside it; and the
// description of the answer table in the project store. Whatever it leaves
// out becomes a warning.

#include "CWEGenerationState.h"
#include "CWEPropertyList.h"

#include "com/Dispatch.h"

#include <optional>
#include <string>

class CWEPageGenerator {
public:
    CWEPageGenerator(CWEPropertyList& properties, LONG projectId, std::string projectFolder);

    // generation numbers the page's comment. E_FAIL when the page cannot be
    // converted or written whole; otherwise S_OK with result 0 (nothing to
    // report), 1 (warnings) or 2 (a severe warning).
    HRESULT Generate(IDispatch* application, IDispatch* form, LONG generation, LONG& result);

    const std::vector<htmlWarningsDesc>& Warnings() const { return m_state.warnings; }
    // The bracketed record source the form names, when it names one.
    const std::optional<std::string>& RecordSource() const { return m_recordSource; }

private:
    std::string BackgroundAttribute(IDispatch* form);
    std::string Sections(IDispatch* form, std::optional<LONG>& bodyColour);
    // The DIV of one section, or "" when it is skipped; its height goes into
    // height, its colour (when it has one) into colour.
    std::string SectionDiv(IDispatch* section, double top, double& height, std::optional<LONG>& colour);
    std::string Head() const;
    std::string FormStart(LONG generation, const std::optional<LONG>& bodyColour);
    HRESULT WritePage(const std::string& head, const std::string& body, const std::string& tail) const;

    CWEPropertyList& m_properties;
    LONG m_projectId;
    CWEGenerationState m_state;
    std::optional<std::string> m_recordSource;
    std::string m_background;
    bool m_hasBackgroundPicture = false;
};
