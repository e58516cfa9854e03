#include "CAccessItem.h"

#include "CAccessControls.h"
#include "ItemProperties.h"

#include "com/ErrorInfo.h"

#include <strings.h>

namespace pollenta::access {

namespace {

bool Is(const std::string& name, const char* wanted) { return strcasecmp(name.c_str(), wanted) == 0; }

}  // namespace

CAccessItem::CAccessItem(std::shared_ptr<const FormModel> model, const FormItem* item)
    : m_model(std::move(model)), m_item(item)
{
}

HRESULT CAccessItem::ReturnItem(pollenta::com::DispatchCall& call, std::shared_ptr<const FormModel> model,
                                const FormItem* item)
{
    IDispatch* object = nullptr;
    const HRESULT hr = CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&object), std::move(model), item);
    return FAILED(hr) ? hr : call.ReturnDispatch(object);
}

bool CAccessItem::HasControls() const
{
    return m_item->kind != FormItem::Kind::Control || !m_item->controls.empty() ||
           strcasecmp(m_item->block->keyword.c_str(), "OptionGroup") == 0;
}

bool CAccessItem::HasMember(const std::string& name) const
{
    if (Is(name, "Controls"))
        return HasControls();
    if (Is(name, "Section"))
        return m_item->kind == FormItem::Kind::Form;
    return HasItemProperty(*m_model, *m_item, name);
}

HRESULT CAccessItem::InvokeMember(const std::string& name, pollenta::com::DispatchCall& call)
{
    if (call.IsPropertyPut())
        return HasMember(name) ? pollenta::com::ReportError(DISP_E_MEMBERNOTFOUND,
                                                            "The setting \"" + name + "\" is read-only here.",
                                                            "Access.Application")
                               : DISP_E_MEMBERNOTFOUND;
    if (Is(name, "Section"))
        return m_item->kind == FormItem::Kind::Form ? InvokeSection(call) : DISP_E_MEMBERNOTFOUND;
    if (Is(name, "Controls"))
        return HasControls() ? CAccessControls::ReturnControls(call, m_model, m_item->controls)
                             : DISP_E_MEMBERNOTFOUND;
    CComVariant value;
    if (!ReadItemProperty(*m_model, *m_item, name, value))
        return DISP_E_MEMBERNOTFOUND;
    return call.Return(&value);
}

// Section(n) by index, or by the section's name.
HRESULT CAccessItem::InvokeSection(pollenta::com::DispatchCall& call)
{
    LONG index = -1;
    if (FAILED(call.Arg(0, &index))) {
        std::string name;
        HRESULT hr = call.Arg(0, &name);
        if (FAILED(hr))
            return hr;
        for (int i = 0; i < 5 && index < 0; ++i) {
            CComVariant sectionName;
            if (const FormItem* section = m_model->Section(i);
                section && ReadItemProperty(*m_model, *section, "Name", sectionName) &&
                strcasecmp(pollenta::com::AnsiFromBstr(sectionName.bstrVal).c_str(), name.c_str()) == 0)
                index = i;
        }
    }
    const FormItem* section = m_model->Section(index);
    if (!section)
        return pollenta::com::ReportError(DISP_E_BADINDEX, "The form has no such section.", "Access.Application");
    return ReturnItem(call, m_model, section);
}

void* CAccessItem::QueryInterfaceExtra(REFIID iid)
{
    IAccessible* self = this;
    if (m_item->kind == FormItem::Kind::Form)
        return iid == IID__Form ? self : nullptr;
    if (m_item->kind == FormItem::Kind::Section)
        return iid == IID__Section ? self : nullptr;
    return m_item->controlKind && m_item->controlKind->iid && iid == *m_item->controlKind->iid ? self : nullptr;
}

STDMETHODIMP CAccessItem::get_accRole(VARIANT child, VARIANT* role)
{
    if (!role)
        return E_POINTER;
    VariantInit(role);
    if (child.vt != VT_I4 || child.lVal != 0)
        return E_INVALIDARG;
    const bool button = m_item->kind == FormItem::Kind::Control &&
                        strcasecmp(m_item->block->keyword.c_str(), "CommandButton") == 0;
    role->vt = VT_I4;
    role->lVal = button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_CLIENT;
    return S_OK;
}

}  // namespace pollenta::access
