#pragma once
// Invokers for the dispatch tables (each member pointer may name a member
// of a base of T) of the object model: each reaches one
// vtable member, so that a late-bound call and a vtable call do the same.
//
//     {"Subject", 0x37, &GetPutText<CMailItem, &CMailItem::get_Subject, &CMailItem::put_Subject>},
//     {"Recipients", 0xF814, &GetObject<CMailItem, Recipients, &CMailItem::get_Recipients>},

#include "com/ComPtr.h"
#include "com/DispatchCall.h"

namespace pollenta::outlook {

using pollenta::com::DispatchCall;

template <class T, auto Get>
HRESULT GetText(T& self, DispatchCall& call)
{
    BSTR value = nullptr;
    const HRESULT hr = (self.*Get)(&value);
    return FAILED(hr) ? hr : call.ReturnBstr(value);
}

template <class T, auto Get, auto Put>
HRESULT GetPutText(T& self, DispatchCall& call)
{
    if (!call.IsPropertyPut())
        return GetText<T, Get>(self, call);
    VARIANT value;
    VariantInit(&value);
    if (HRESULT hr = call.PutValue(VT_BSTR, &value); FAILED(hr))
        return hr;
    const HRESULT hr = (self.*Put)(value.bstrVal);
    VariantClear(&value);
    return hr;
}

template <class T, auto Get>
HRESULT GetLong(T& self, DispatchCall& call)
{
    LONG value = 0;
    const HRESULT hr = (self.*Get)(&value);
    return FAILED(hr) ? hr : call.ReturnLong(value);
}

template <class T, auto Get, auto Put>
HRESULT GetPutLong(T& self, DispatchCall& call)
{
    if (!call.IsPropertyPut())
        return GetLong<T, Get>(self, call);
    VARIANT value;
    VariantInit(&value);
    if (HRESULT hr = call.PutValue(VT_I4, &value); FAILED(hr))
        return hr;
    return (self.*Put)(value.lVal);
}

template <class T, auto Get, auto Put>
HRESULT GetPutBool(T& self, DispatchCall& call)
{
    if (call.IsPropertyPut()) {
        VARIANT value;
        VariantInit(&value);
        if (HRESULT hr = call.PutValue(VT_BOOL, &value); FAILED(hr))
            return hr;
        return (self.*Put)(value.boolVal);
    }
    VARIANT_BOOL value = VARIANT_FALSE;
    const HRESULT hr = (self.*Get)(&value);
    return FAILED(hr) ? hr : call.ReturnBool(value != VARIANT_FALSE);
}

template <class T, class Interface, auto Get>
HRESULT GetObject(T& self, DispatchCall& call)
{
    CComPtr<Interface> value;
    if (HRESULT hr = (self.*Get)(&value); FAILED(hr))
        return hr;
    return call.ReturnDispatch(value.Detach());
}

// A MAPIOBJECT-like property: an IUnknown handed out as VT_UNKNOWN.
template <class T, auto Get>
HRESULT GetUnknown(T& self, DispatchCall& call)
{
    VARIANT value;
    VariantInit(&value);
    if (HRESULT hr = (self.*Get)(&value.punkVal); FAILED(hr))
        return hr;
    value.vt = VT_UNKNOWN;
    return call.Return(&value);
}

// Item(index) of a collection.
template <class T, class Interface, auto Item>
HRESULT GetItem(T& self, DispatchCall& call)
{
    VARIANT index;
    VariantInit(&index);
    if (HRESULT hr = call.Arg(0, VT_VARIANT, &index); FAILED(hr))
        return hr;
    CComPtr<Interface> value;
    const HRESULT hr = (self.*Item)(index, &value);
    VariantClear(&index);
    return FAILED(hr) ? hr : call.ReturnDispatch(value.Detach());
}

// A method of one argument (a LONG, or a CComBSTR for text) that hands out an object.
template <class T, class Arg, class Interface, auto Method>
HRESULT CallForObject(T& self, DispatchCall& call)
{
    Arg arg{};
    if (HRESULT hr = call.Arg(0, &arg); FAILED(hr))
        return hr;
    CComPtr<Interface> value;
    if (HRESULT hr = (self.*Method)(arg, &value); FAILED(hr))
        return hr;
    return call.ReturnDispatch(value.Detach());
}

template <class T, auto Method>
HRESULT CallMethod(T& self, DispatchCall&)
{
    return (self.*Method)();
}

}  // namespace pollenta::outlook
