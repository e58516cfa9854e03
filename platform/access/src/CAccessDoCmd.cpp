#include "CAccessDoCmd.h"

namespace pollenta::access {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

namespace {

constexpr LONG acForm = 2;
constexpr LONG acDefault = -1;

}  // namespace

std::span<const DispatchMember<CAccessDoCmd>> CAccessDoCmd::DispatchMembers()
{
    static const DispatchMember<CAccessDoCmd> kMembers[] = {
        {"OpenForm", 1, [](CAccessDoCmd& self, DispatchCall& call) { return self.OpenForm(call); }},
        {"Close", 2, [](CAccessDoCmd& self, DispatchCall& call) { return self.Close(call); }},
    };
    return kMembers;
}

HRESULT CAccessDoCmd::OpenForm(DispatchCall& call)
{
    std::string name;
    const HRESULT hr = call.Arg(0, &name);
    return FAILED(hr) ? hr : m_session->OpenForm(name);
}

HRESULT CAccessDoCmd::Close(DispatchCall& call)
{
    LONG type = acDefault;
    if (!call.IsMissing(0) && FAILED(call.Arg(0, &type)))
        return DISP_E_TYPEMISMATCH;
    if (type != acForm)
        return S_OK;
    std::string name;
    const HRESULT hr = call.Arg(1, &name);
    return FAILED(hr) ? hr : m_session->CloseForm(name);
}

}  // namespace pollenta::access
