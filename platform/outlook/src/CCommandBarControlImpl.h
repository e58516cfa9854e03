#pragma once
// The members that buttons and popups share, over the control's node.

#include "CCommandBarControls.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"

#include "com/ComVariant.h"
#include "com/Text.h"

#include <array>

namespace pollenta::outlook {

// Holds a reference to the control's own COM object while it sits in a
// collection, so a control lives as long as its bar shows it.
template <class T, class Interface>
class CCommandBarControlImpl : public pollenta::com::CDispatchImpl<T, Interface>, public CControlNode {
public:
    CommandBarControl* AsControl() override { return static_cast<T*>(this); }

    STDMETHODIMP get_Type(LONG* type) override { return Out(type, m_type); }
    STDMETHODIMP get_Id(LONG* id) override { return Out(id, m_id); }
    STDMETHODIMP get_Caption(BSTR* caption) override { return OutText(caption, m_caption); }
    STDMETHODIMP put_Caption(BSTR caption) override { return In(m_caption, caption); }
    STDMETHODIMP get_Tag(BSTR* tag) override { return OutText(tag, m_tag); }
    STDMETHODIMP put_Tag(BSTR tag) override { return In(m_tag, tag); }
    STDMETHODIMP get_TooltipText(BSTR* text) override { return OutText(text, m_tooltip); }
    STDMETHODIMP put_TooltipText(BSTR text) override { return In(m_tooltip, text); }
    STDMETHODIMP get_Visible(VARIANT_BOOL* visible) override { return OutBool(visible, m_visible); }
    STDMETHODIMP put_Visible(VARIANT_BOOL visible) override { return InBool(m_visible, visible); }
    STDMETHODIMP get_Enabled(VARIANT_BOOL* enabled) override { return OutBool(enabled, m_enabled); }
    STDMETHODIMP put_Enabled(VARIANT_BOOL enabled) override { return InBool(m_enabled, enabled); }
    STDMETHODIMP get_BeginGroup(VARIANT_BOOL* begin) override { return OutBool(begin, m_beginGroup); }
    STDMETHODIMP put_BeginGroup(VARIANT_BOOL begin) override { return InBool(m_beginGroup, begin); }
    STDMETHODIMP get_Index(LONG* index) override
    {
        if (!m_parent)
            return E_FAIL;
        return Out(index, m_parent->IndexOf(this));
    }
    STDMETHODIMP Delete(VARIANT) override
    {
        if (!m_parent)
            return E_FAIL;
        m_parent->Remove(this);
        return S_OK;
    }
    STDMETHODIMP Move(VARIANT bar, VARIANT before, CommandBarControl** moved) override;

protected:
    static constexpr std::array<pollenta::com::DispatchMember<T>, 10> CommonMembers()
    {
        return {{
            {"Type", 0x60020007, &GetLong<T, &T::get_Type>},
            {"Id", 0x60020004, &GetLong<T, &T::get_Id>},
            {"Caption", 0x60020001, &GetPutText<T, &T::get_Caption, &T::put_Caption>},
            {"Tag", 0x6002002D, &GetPutText<T, &T::get_Tag, &T::put_Tag>},
            {"TooltipText", 0x6002002F, &GetPutText<T, &T::get_TooltipText, &T::put_TooltipText>},
            {"Visible", 0x60020033, &GetPutBool<T, &T::get_Visible, &T::put_Visible>},
            {"Enabled", 0x60020009, &GetPutBool<T, &T::get_Enabled, &T::put_Enabled>},
            {"BeginGroup", 0x60020000, &GetPutBool<T, &T::get_BeginGroup, &T::put_BeginGroup>},
            {"Index", 0x60020005, &GetLong<T, &T::get_Index>},
            {"Execute", 0x6002000B, &CallMethod<T, &T::Execute>},
        }};
    }

private:
    static HRESULT Out(LONG* out, LONG value)
    {
        if (!out)
            return E_POINTER;
        *out = value;
        return S_OK;
    }
    static HRESULT OutText(BSTR* out, const std::string& value)
    {
        if (!out)
            return E_POINTER;
        *out = pollenta::com::BstrFromAnsi(value);
        return S_OK;
    }
    static HRESULT OutBool(VARIANT_BOOL* out, bool value)
    {
        if (!out)
            return E_POINTER;
        *out = value ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    // The bar shows what is set at once.
    HRESULT In(std::string& field, BSTR value)
    {
        field = pollenta::com::AnsiFromBstr(value);
        Changed();
        return S_OK;
    }
    HRESULT InBool(bool& field, VARIANT_BOOL value)
    {
        field = value != VARIANT_FALSE;
        Changed();
        return S_OK;
    }
};

// The collection a Move goes to: the given bar's or popup's controls, or
// the control's own.
CCommandBarControls* MoveTarget(const VARIANT& bar, CCommandBarControls* own);

template <class T, class Interface>
STDMETHODIMP CCommandBarControlImpl<T, Interface>::Move(VARIANT bar, VARIANT before, CommandBarControl** moved)
{
    if (moved)
        *moved = nullptr;
    CCommandBarControls* target = MoveTarget(bar, m_parent);
    if (!target)
        return E_INVALIDARG;
    std::size_t position = target->Nodes().size();
    if (!IsLeftOut(before)) {
        CComVariant number;
        if (FAILED(VariantChangeType(&number, &before, 0, VT_I4)) || number.lVal < 1)
            return E_INVALIDARG;
        position = static_cast<std::size_t>(number.lVal) - 1;
    }
    T* self = static_cast<T*>(this);
    self->AddRef();
    if (m_parent) {
        // Taking the control out first moves the later ones up by one.
        if (m_parent == target && static_cast<std::size_t>(m_parent->IndexOf(this)) <= position && position > 0)
            --position;
        m_parent->Remove(this);
    }
    target->Insert(this, position);
    if (moved) {
        *moved = self;
        self->AddRef();
    }
    self->Release();
    return S_OK;
}

}  // namespace pollenta::outlook
