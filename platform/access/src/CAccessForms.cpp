#include "CAccessForms.h"

#include "CAccessItem.h"

#include "com/ErrorInfo.h"

namespace pollenta::access {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

std::span<const DispatchMember<CAccessForms>> CAccessForms::DispatchMembers()
{
    static const DispatchMember<CAccessForms> kMembers[] = {
        {"Item", DISPID_VALUE, [](CAccessForms& self, DispatchCall& call) { return self.Item(call); }},
        {"Count", 1, [](CAccessForms& self, DispatchCall& call) { return self.Count(call); }},
    };
    return kMembers;
}

HRESULT CAccessForms::Count(DispatchCall& call)
{
    return call.ReturnLong(static_cast<LONG>(m_session->OpenForms().size()));
}

HRESULT CAccessForms::Item(DispatchCall& call)
{
    std::shared_ptr<const FormModel> form;
    LONG index = -1;
    const VARIANT* raw = call.RawArg(0);
    if (raw && raw->vt != VT_BSTR && SUCCEEDED(call.Arg(0, &index))) {
        if (index >= 0 && static_cast<size_t>(index) < m_session->OpenForms().size())
            form = m_session->OpenForms()[index];
    } else {
        std::string name;
        const HRESULT hr = call.Arg(0, &name);
        if (FAILED(hr))
            return hr;
        form = m_session->FindForm(name);
    }
    if (!form)
        return pollenta::com::ReportError(DISP_E_BADINDEX, "No such form is open.", "Access.Application");
    return CAccessItem::ReturnItem(call, form, &form->Form());
}

}  // namespace pollenta::access
