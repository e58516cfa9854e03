#include "CCommandBarControls.h"

#include "CCommandBarButton.h"
#include "CCommandBarPopup.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"

#include "com/ComVariant.h"

#include <algorithm>

namespace pollenta::outlook {

namespace {

// The optional argument as a number; `fallback` when left out.
LONG OptionalLong(const VARIANT& argument, LONG fallback)
{
    if (IsLeftOut(argument))
        return fallback;
    CComVariant number;
    if (FAILED(VariantChangeType(&number, &argument, 0, VT_I4)))
        return fallback;
    return number.lVal;
}

template <class Control>
CControlNode* MakeControl()
{
    Control* made = nullptr;
    if (FAILED(Control::CreateInstance(IID_CommandBarControl, reinterpret_cast<void**>(&made))))
        return nullptr;
    // The collection keeps the one reference CreateInstance handed out.
    return made;
}

}  // namespace

CCommandBarControls::~CCommandBarControls()
{
    for (CControlNode* node : m_nodes) {
        node->m_parent = nullptr;
        node->AsControl()->Release();
    }
}

std::span<const pollenta::com::DispatchMember<CCommandBarControls>> CCommandBarControls::DispatchMembers()
{
    using T = CCommandBarControls;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x60030000, &GetLong<T, &T::get_Count>},
        {"Item", 0, &GetItem<T, CommandBarControl, &T::get_Item>},
    };
    return members;
}

STDMETHODIMP CCommandBarControls::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_nodes.size());
    return S_OK;
}

STDMETHODIMP CCommandBarControls::get_Item(VARIANT index, CommandBarControl** control)
{
    if (!control)
        return E_POINTER;
    *control = nullptr;
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(
            index, m_nodes.size(), [this](std::size_t i) { return m_nodes[i]->m_caption; }, position);
        FAILED(hr))
        return hr;
    *control = m_nodes[position]->AsControl();
    (*control)->AddRef();
    return S_OK;
}

STDMETHODIMP CCommandBarControls::Add(VARIANT type, VARIANT id, VARIANT, VARIANT before, VARIANT,
                                      CommandBarControl** control)
{
    if (control)
        *control = nullptr;
    const LONG kind = OptionalLong(type, msoControlButton);
    CControlNode* node = kind == msoControlButton  ? MakeControl<CCommandBarButton>()
                         : kind == msoControlPopup ? MakeControl<CCommandBarPopup>()
                                                   : nullptr;
    if (!node)
        return E_INVALIDARG;
    node->m_id = OptionalLong(id, 1);
    const LONG position = OptionalLong(before, static_cast<LONG>(m_nodes.size()) + 1);
    Insert(node, position < 1 ? 0 : static_cast<std::size_t>(position) - 1);
    node->AsControl()->Release();
    if (control) {
        *control = node->AsControl();
        (*control)->AddRef();
    }
    return S_OK;
}

void CCommandBarControls::Insert(CControlNode* node, std::size_t position)
{
    node->AsControl()->AddRef();
    node->m_parent = this;
    m_nodes.insert(m_nodes.begin() + static_cast<std::ptrdiff_t>(std::min(position, m_nodes.size())), node);
    Changed();
}

bool CCommandBarControls::Remove(CControlNode* node)
{
    auto found = std::find(m_nodes.begin(), m_nodes.end(), node);
    if (found == m_nodes.end())
        return false;
    m_nodes.erase(found);
    node->m_parent = nullptr;
    node->AsControl()->Release();
    Changed();
    return true;
}

void CCommandBarControls::Changed()
{
    if (m_watcher)
        m_watcher->ControlsChanged();
    else if (m_owner)
        m_owner->Changed();
}

LONG CCommandBarControls::IndexOf(const CControlNode* node) const
{
    auto found = std::find(m_nodes.begin(), m_nodes.end(), node);
    return found == m_nodes.end() ? 0 : static_cast<LONG>(found - m_nodes.begin()) + 1;
}

CControlNode* AddControl(CCommandBarControls* controls, LONG type, LONG id, const std::string& caption)
{
    CComVariant kind(type);
    CComVariant builtIn(id);
    CComVariant leftOut;
    CComPtr<CommandBarControl> control;
    if (FAILED(controls->Add(kind, builtIn, leftOut, leftOut, leftOut, &control)))
        return nullptr;
    CControlNode* node = controls->Nodes().back();
    node->m_caption = caption;
    return node;
}

CCommandBarControls* MoveTarget(const VARIANT& bar, CCommandBarControls* own)
{
    if (IsLeftOut(bar))
        return own;
    if (bar.vt != VT_DISPATCH || !bar.pdispVal)
        return nullptr;
    CComQIPtr<CommandBarPopup> popup(bar.pdispVal);
    CComQIPtr<CommandBar> commandBar(bar.pdispVal);
    CComPtr<CommandBarControls> controls;
    if (popup)
        popup->get_Controls(&controls);
    else if (commandBar)
        commandBar->get_Controls(&controls);
    // Every collection of this object model is a CCommandBarControls.
    return static_cast<CCommandBarControls*>(controls.p);
}

}  // namespace pollenta::outlook
