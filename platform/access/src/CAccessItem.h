#pragma once
// The automation object of a form, a section or a control: its settings by
// name, read-only, and the members that lead further (a form's Section(n),
// Controls of a form, section or option group). A control also answers
// QueryInterface for the interface of its kind (_Label, _Textbox, ...), a
// form for _Form and a section for _Section.

#include "DynamicDispatch.h"
#include "FormModel.h"

#include "AccessGuids.h"
#include "com/UnknownImpl.h"

#include <memory>

namespace pollenta::access {

class CAccessItem final : public pollenta::com::CUnknownImpl<CAccessItem, DynamicDispatch<CAccessItem, IAccessible>> {
public:
    CAccessItem(std::shared_ptr<const FormModel> model, const FormItem* item);

    bool HasMember(const std::string& name) const;
    HRESULT InvokeMember(const std::string& name, pollenta::com::DispatchCall& call);
    void* QueryInterfaceExtra(REFIID iid);

    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;

    // A new object for item of model, as IDispatch, into the call's result.
    static HRESULT ReturnItem(pollenta::com::DispatchCall& call, std::shared_ptr<const FormModel> model,
                              const FormItem* item);

private:
    HRESULT InvokeSection(pollenta::com::DispatchCall& call);
    bool HasControls() const;

    std::shared_ptr<const FormModel> m_model;
    const FormItem* m_item;
};

}  // namespace pollenta::access
