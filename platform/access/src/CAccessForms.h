#pragma once
// The open forms of an application: Count, and Item(name or index from 0)
// as the default member.

#include "AccessSession.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>

namespace pollenta::access {

class CAccessForms final
    : public pollenta::com::CUnknownImpl<CAccessForms, pollenta::com::CDispatchImpl<CAccessForms, IDispatch>> {
public:
    explicit CAccessForms(std::shared_ptr<AccessSession> session) : m_session(std::move(session)) {}

    static std::span<const pollenta::com::DispatchMember<CAccessForms>> DispatchMembers();

    HRESULT Count(pollenta::com::DispatchCall& call);
    HRESULT Item(pollenta::com::DispatchCall& call);

private:
    std::shared_ptr<AccessSession> m_session;
};

}  // namespace pollenta::access
