#include "CCommandBar.h"

#include "CollectionIndex.h"
#include "DispatchAccessors.h"

#include "com/ComVariant.h"
#include "com/Text.h"

namespace pollenta::outlook {

namespace {

struct ControlQuery {
    const VARIANT& type;
    const VARIANT& id;
    const VARIANT& tag;
    const VARIANT& visible;
};

bool SameLong(const VARIANT& wanted, LONG value)
{
    if (IsLeftOut(wanted))
        return true;
    CComVariant number;
    return SUCCEEDED(VariantChangeType(&number, &wanted, 0, VT_I4)) && number.lVal == value;
}

bool Matches(const ControlQuery& query, const CControlNode& node)
{
    if (!SameLong(query.type, node.m_type) || !SameLong(query.id, node.m_id))
        return false;
    if (!IsLeftOut(query.tag) &&
        (query.tag.vt != VT_BSTR || pollenta::com::AnsiFromBstr(query.tag.bstrVal) != node.m_tag))
        return false;
    if (IsLeftOut(query.visible))
        return true;
    CComVariant flag;
    return SUCCEEDED(VariantChangeType(&flag, &query.visible, 0, VT_BOOL)) &&
           (flag.boolVal != VARIANT_FALSE) == node.m_visible;
}

CControlNode* FindMatching(const ControlQuery& query, const CCommandBarControls& controls, bool recursive)
{
    for (CControlNode* node : controls.Nodes()) {
        if (Matches(query, *node))
            return node;
        if (recursive && node->ChildControls())
            if (CControlNode* found = FindMatching(query, *node->ChildControls(), true))
                return found;
    }
    return nullptr;
}

}  // namespace

CCommandBar::CCommandBar(std::string name) : m_name(std::move(name))
{
    CCommandBarControls::CreateInstance(IID_CommandBarControls, reinterpret_cast<void**>(&m_controls));
}

std::span<const pollenta::com::DispatchMember<CCommandBar>> CCommandBar::DispatchMembers()
{
    using T = CCommandBar;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Name", 0x60030016, &GetText<T, &T::get_Name>},
        {"Controls", 0x60030003, &GetObject<T, CommandBarControls, &T::get_Controls>},
    };
    return members;
}

STDMETHODIMP CCommandBar::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = pollenta::com::BstrFromAnsi(m_name);
    return S_OK;
}

STDMETHODIMP CCommandBar::get_Controls(CommandBarControls** controls)
{
    if (!controls)
        return E_POINTER;
    *controls = m_controls.p;
    m_controls->AddRef();
    return S_OK;
}

STDMETHODIMP CCommandBar::FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible, VARIANT recursive,
                                      CommandBarControl** control)
{
    if (!control)
        return E_POINTER;
    *control = nullptr;
    CComVariant deep;
    const bool isRecursive = !IsLeftOut(recursive) && SUCCEEDED(VariantChangeType(&deep, &recursive, 0, VT_BOOL)) &&
                             deep.boolVal != VARIANT_FALSE;
    CControlNode* found = FindMatching({type, id, tag, visible}, *m_controls, isRecursive);
    if (found) {
        *control = found->AsControl();
        (*control)->AddRef();
    }
    return S_OK;
}

}  // namespace pollenta::outlook
