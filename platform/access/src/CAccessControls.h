#pragma once
// The Controls collection of a form, section or option group: Count, and
// Item(index from 0, or name) as the default member.

#include "FormModel.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <memory>
#include <span>
#include <vector>

namespace pollenta::access {

class CAccessControls final
    : public pollenta::com::CUnknownImpl<CAccessControls, pollenta::com::CDispatchImpl<CAccessControls, IDispatch>> {
public:
    CAccessControls(std::shared_ptr<const FormModel> model, std::vector<const FormItem*> controls);

    static std::span<const pollenta::com::DispatchMember<CAccessControls>> DispatchMembers();
    static HRESULT ReturnControls(pollenta::com::DispatchCall& call, std::shared_ptr<const FormModel> model,
                                  const std::vector<const FormItem*>& controls);

    HRESULT Count(pollenta::com::DispatchCall& call);
    HRESULT Item(pollenta::com::DispatchCall& call);

private:
    std::shared_ptr<const FormModel> m_model;
    std::vector<const FormItem*> m_controls;
};

}  // namespace pollenta::access
