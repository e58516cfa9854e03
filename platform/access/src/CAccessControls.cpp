#include "CAccessControls.h"

#include "CAccessItem.h"
#include "ItemProperties.h"

#include "com/ErrorInfo.h"

#include <strings.h>

namespace pollenta::access {

using pollenta::com::DispatchCall;
using pollenta::com::DispatchMember;

CAccessControls::CAccessControls(std::shared_ptr<const FormModel> model, std::vector<const FormItem*> controls)
    : m_model(std::move(model)), m_controls(std::move(controls))
{
}

std::span<const DispatchMember<CAccessControls>> CAccessControls::DispatchMembers()
{
    static const DispatchMember<CAccessControls> kMembers[] = {
        {"Item", DISPID_VALUE, [](CAccessControls& self, DispatchCall& call) { return self.Item(call); }},
        {"Count", 1, [](CAccessControls& self, DispatchCall& call) { return self.Count(call); }},
    };
    return kMembers;
}

HRESULT CAccessControls::ReturnControls(DispatchCall& call, std::shared_ptr<const FormModel> model,
                                        const std::vector<const FormItem*>& controls)
{
    IDispatch* object = nullptr;
    const HRESULT hr = CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&object), std::move(model), controls);
    return FAILED(hr) ? hr : call.ReturnDispatch(object);
}

HRESULT CAccessControls::Count(DispatchCall& call) { return call.ReturnLong(static_cast<LONG>(m_controls.size())); }

HRESULT CAccessControls::Item(DispatchCall& call)
{
    LONG index = -1;
    if (FAILED(call.Arg(0, &index))) {
        std::string name;
        const HRESULT hr = call.Arg(0, &name);
        if (FAILED(hr))
            return hr;
        for (size_t i = 0; i < m_controls.size() && index < 0; ++i) {
            CComVariant controlName;
            if (ReadItemProperty(*m_model, *m_controls[i], "Name", controlName) &&
                strcasecmp(pollenta::com::AnsiFromBstr(controlName.bstrVal).c_str(), name.c_str()) == 0)
                index = static_cast<LONG>(i);
        }
    }
    if (index < 0 || static_cast<size_t>(index) >= m_controls.size())
        return pollenta::com::ReportError(DISP_E_BADINDEX, "The collection has no such control.",
                                          "Access.Application");
    return CAccessItem::ReturnItem(call, m_model, m_controls[index]);
}

}  // namespace pollenta::access
