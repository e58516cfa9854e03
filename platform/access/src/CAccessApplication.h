#pragma once
// Access.Application: opens a database (OpenCurrentDatabase,
// CloseCurrentDatabase, Quit) and leads to CurrentProject, DoCmd and Forms.
// It answers QueryInterface for _Application.

#include "AccessSession.h"

#include "AccessGuids.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>

namespace pollenta::access {

class CAccessApplication final
    : public pollenta::com::CUnknownImpl<CAccessApplication, pollenta::com::CDispatchImpl<CAccessApplication, IDispatch>> {
public:
    CAccessApplication() : m_session(std::make_shared<AccessSession>()) {}

    static std::span<const pollenta::com::DispatchMember<CAccessApplication>> DispatchMembers();
    void* QueryInterfaceExtra(REFIID iid) { return iid == IID__Application ? static_cast<IDispatch*>(this) : nullptr; }

    HRESULT OpenCurrentDatabase(pollenta::com::DispatchCall& call);
    HRESULT CloseCurrentDatabase(pollenta::com::DispatchCall& call);
    HRESULT Quit(pollenta::com::DispatchCall& call);
    template <class Child>
    HRESULT ReturnChild(pollenta::com::DispatchCall& call);

private:
    std::shared_ptr<AccessSession> m_session;
};

}  // namespace pollenta::access
