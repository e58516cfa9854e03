#pragma once
// Single properties and objects read through MAPI, with the add-in's log
// lines for what is missing or fails.

#include "log/CWELog.h"

#include "zr/CZrEntryID.h"

#include "com/ComPtr.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMsgStore.h"

#include <string>

// False when the object lacks the property (or it has the error type).
bool ReadStringProp(IMAPIProp* object, ULONG tag, std::string& text);
bool ReadEntryIdProp(IMAPIProp* object, ULONG tag, CZrEntryID& id);
// The same, logging a missing property under the interface's and the
// property's names.
bool ReadEntryIdProp(IMAPIProp* object, ULONG tag, CZrEntryID& id, CWELog& log, const char* interfaceName,
                     const char* propertyName);

HRESULT OpenStore(IMAPISession* session, const CZrEntryID& id, CComPtr<IMsgStore>& store, CWELog& log,
                  const char* call);
// E_FAIL for an object that is not a folder.
HRESULT OpenFolder(IMsgStore* store, const CZrEntryID& id, CComPtr<IMAPIFolder>& folder, CWELog& log,
                   const char* call);
