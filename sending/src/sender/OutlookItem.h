#pragma once
// The mail client's objects as the sending engine calls them: late bound,
// by member name, so that any object model that names its members as the
// client does will serve.

#include "com/ComPtr.h"
#include "com/Dispatch.h"
#include "com/ComVariant.h"
#include "mapi/IMessage.h"

#include <string>

namespace outlook {

// A property or method result that is an object (null on VT_EMPTY).
HRESULT GetObject(IDispatch* object, const char* name, CComPtr<IDispatch>& result);
HRESULT CallObject(IDispatch* object, const char* name, const CComVariant& argument, CComPtr<IDispatch>& result);
// A method without arguments (Copy): the client refuses one given any.
HRESULT CallObject(IDispatch* object, const char* name, CComPtr<IDispatch>& result);
HRESULT Call(IDispatch* object, const char* name);
HRESULT GetText(IDispatch* object, const char* name, std::string& text);
// The MAPI message behind an item ("MAPIOBJECT").
HRESULT MessageOf(IDispatch* item, CComPtr<IMessage>& message);
// NameSpace.GetDefaultFolder of the application's "MAPI" name space.
HRESULT DefaultFolder(IDispatch* application, LONG folderKind, CComPtr<IDispatch>& folder);
// The object's own description of its last failure, "" without one.
std::string ErrorText(IDispatch* object, REFIID iid);

inline constexpr LONG olFolderDeletedItems = 3;
inline constexpr LONG olFolderOutbox = 4;

}  // namespace outlook
