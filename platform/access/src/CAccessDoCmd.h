#pragma once
// DoCmd: OpenForm(name, view, filter, where, data mode, window mode) and
// Close(object type, name, save). Forms open in design view only, which is
// all a saved text can show; Close of another object type does nothing.

#include "AccessSession.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>

namespace pollenta::access {

class CAccessDoCmd final
    : public pollenta::com::CUnknownImpl<CAccessDoCmd, pollenta::com::CDispatchImpl<CAccessDoCmd, IDispatch>> {
public:
    explicit CAccessDoCmd(std::shared_ptr<AccessSession> session) : m_session(std::move(session)) {}

    static std::span<const pollenta::com::DispatchMember<CAccessDoCmd>> DispatchMembers();

    HRESULT OpenForm(pollenta::com::DispatchCall& call);
    HRESULT Close(pollenta::com::DispatchCall& call);

private:
    std::shared_ptr<AccessSession> m_session;
};

}  // namespace pollenta::access
