#pragma once
// The few MAPI steps that the object model's classes share: entry ids as
// the hexadecimal text the object model hands out, text properties, the
// default store, a store's standard folders and its messages.

#include "com/ComPtr.h"
#include "mapi/IMAPIFolder.h"
#include "mapi/IMAPISession.h"
#include "mapi/IMessage.h"
#include "mapi/IMsgStore.h"

#include <string>
#include <vector>

namespace pollenta::outlook {

std::string HexFromBytes(const BYTE* data, ULONG size);
// False for text of odd length or with a character that is no hex digit.
bool BytesFromHex(const std::string& hex, std::string& bytes);
// The property as ANSI text; "" when it is missing or of another type.
std::string ReadText(IMAPIProp* object, ULONG tag);
// The binary property as raw bytes; "" when missing.
std::string ReadBinary(IMAPIProp* object, ULONG tag);
HRESULT WriteText(IMAPIProp* object, ULONG tag, const std::string& text);
// PR_ENTRYID of every row of the table, in its order.
HRESULT ReadEntryIds(IMAPITable* table, std::vector<std::string>& ids);
HRESULT OpenDefaultStore(IMAPISession* session, CComPtr<IMsgStore>& store);
HRESULT OpenStore(IMAPISession* session, const std::string& storeId, CComPtr<IMsgStore>& store);
HRESULT OpenFolder(IMsgStore* store, const std::string& entryId, CComPtr<IMAPIFolder>& folder);
// E_NOINTERFACE when the entry is no message.
HRESULT OpenMessage(IMsgStore* store, const std::string& entryId, CComPtr<IMessage>& message);
// The session's default store and the entry id of its folder of an
// olDefaultFolders kind (Inbox, Outbox, Sent Items, Drafts, Deleted Items);
// MAPI_E_NOT_FOUND for any other kind.
HRESULT FindDefaultFolder(IMAPISession* session, LONG kind, CComPtr<IMsgStore>& store, std::string& entryId);

}  // namespace pollenta::outlook
