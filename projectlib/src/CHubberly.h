#pragma once
// The Hubberly object: one client's view of the survey projects. It holds
// the settings it works with, the project it is creating (0 when none) and
// the warnings of its last page generation. Every call comes on the thread
// that made it.

#include "CWEProjectStore.h"
#include "CWEPropertyList.h"
#include "htmlWarningsDesc.h"

#include "IHubberly.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <span>
#include <vector>

class CHubberly final : public pollenta::com::CUnknownImpl<CHubberly, pollenta::com::CDispatchImpl<CHubberly, IHubberly>> {
public:
    CHubberly();
    explicit CHubberly(CWEProjectStore store);

    static std::span<const pollenta::com::DispatchMember<CHubberly>> DispatchMembers();

    STDMETHODIMP GenHTMLbyForm(VARIANT accessApplication, VARIANT accessForm, VARIANT* result) override;
    STDMETHODIMP get_WarningsCount(LONG* pVal) override;
    STDMETHODIMP WarningObjectName(LONG idx, BSTR* name) override;
    STDMETHODIMP WarningId(LONG idx, LONG* id) override;
    STDMETHODIMP GetProperty(VARIANT parameter, VARIANT* value) override;
    STDMETHODIMP SetProperty(VARIANT parameter, VARIANT value) override;
    STDMETHODIMP CreateProject(VARIANT projectName, LONG* projectID) override;
    STDMETHODIMP FinalizeProject(LONG projectID) override;
    STDMETHODIMP DeleteProject(LONG projectID) override;
    STDMETHODIMP OpenHtmlPage(LONG method) override;
    STDMETHODIMP InsertData(LONG projectID, VARIANT data, VARIANT* errors, LONG* result) override;
    STDMETHODIMP EnumProjects(LONG prjType, VARIANT* projects) override;
    STDMETHODIMP EnumProjectDatafields(LONG project, VARIANT* fields) override;
    STDMETHODIMP GetProjectName(LONG projectID, BSTR* projectName) override;
    STDMETHODIMP GetErrorString(LONG error, BSTR* errstring) override;
    STDMETHODIMP GetProjectDir(LONG projectID, BSTR* dir) override;
    STDMETHODIMP GetProjectProperty(LONG projectID, VARIANT parameter, VARIANT* value) override;

    LONG CurrentProject() const { return m_currentProject; }

private:
    // Back to no current project, with the settings of the project
    // finalized last.
    void Reset();
    // Sets a property and, while a project is current, writes it into that
    // project's key. False when the write failed.
    bool SetPropertyValue(const std::string& name, CWEPropertyList::Value value);
    void RemoveProject(LONG id);

    CWEProjectStore m_store;
    CWEPropertyList m_properties;
    LONG m_currentProject = 0;
    std::vector<htmlWarningsDesc> m_warnings;
    // Page generations of this object that reached the page body.
    LONG m_generationCounter = 0;
};
