#include "CPropertyPages.h"

#include "DispatchAccessors.h"

#include "com/ComBstr.h"
#include "com/Text.h"

namespace pollenta::outlook {

namespace {

HRESULT InvokeAdd(CPropertyPages& self, DispatchCall& call)
{
    CComVariant page;
    if (HRESULT hr = call.Arg(0, VT_VARIANT, &page); FAILED(hr))
        return hr;
    CComBSTR title;
    if (!call.IsMissing(1))
        if (HRESULT hr = call.Arg(1, &title); FAILED(hr))
            return hr;
    return self.Add(page, title);
}

}  // namespace

std::span<const pollenta::com::DispatchMember<CPropertyPages>> CPropertyPages::DispatchMembers()
{
    using T = CPropertyPages;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Add", 0x5F, &InvokeAdd},
    };
    return members;
}

STDMETHODIMP CPropertyPages::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_pages.size());
    return S_OK;
}

STDMETHODIMP CPropertyPages::Add(VARIANT page, BSTR title)
{
    OptionsPage added;
    added.title = pollenta::com::AnsiFromBstr(title);
    if (page.vt == VT_BSTR && SysStringLen(page.bstrVal) > 0)
        added.progId = pollenta::com::AnsiFromBstr(page.bstrVal);
    else if ((page.vt == VT_DISPATCH || page.vt == VT_UNKNOWN) && page.punkVal)
        added.object = page.punkVal;
    else
        return E_INVALIDARG;
    m_pages.push_back(std::move(added));
    return S_OK;
}

}  // namespace pollenta::outlook
