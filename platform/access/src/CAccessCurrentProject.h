#pragma once
// CurrentProject: the open database's ADO connection (AccessConnection) and
// its file (FullName, Path, Name).

#include "AccessSession.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>

namespace pollenta::access {

class CAccessCurrentProject final
    : public pollenta::com::CUnknownImpl<CAccessCurrentProject,
                                         pollenta::com::CDispatchImpl<CAccessCurrentProject, IDispatch>> {
public:
    explicit CAccessCurrentProject(std::shared_ptr<AccessSession> session) : m_session(std::move(session)) {}

    static std::span<const pollenta::com::DispatchMember<CAccessCurrentProject>> DispatchMembers();

    HRESULT AccessConnection(pollenta::com::DispatchCall& call);
    HRESULT FileText(pollenta::com::DispatchCall& call, int part);

private:
    std::shared_ptr<AccessSession> m_session;
};

}  // namespace pollenta::access
