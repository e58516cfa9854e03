#pragma once
// Late-bound calls from the client side: members by name, arguments in their
// natural order (this turns them round for DISPPARAMS). Failures come back
// as the HRESULT of GetIDsOfNames or Invoke. A result VARIANT must hold a
// valid value (VT_EMPTY at least); it is cleared before the call.

#include "com/ComVariant.h"

#include <span>
#include <string>

namespace pollenta::com {

HRESULT GetDispId(IDispatch* object, const std::string& name, DISPID* id);
// A property put passes its value as the last argument.
HRESULT InvokeById(IDispatch* object, DISPID id, WORD flags, std::span<const CComVariant> args, VARIANT* result);
HRESULT InvokeByName(IDispatch* object, const std::string& name, WORD flags, std::span<const CComVariant> args,
                     VARIANT* result);
HRESULT GetProperty(IDispatch* object, const std::string& name, VARIANT* result);
HRESULT PutProperty(IDispatch* object, const std::string& name, const CComVariant& value);

}  // namespace pollenta::com
