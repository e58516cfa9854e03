#pragma once
// Names the add-in reads through MAPI: the profile's, an address-book
// entry's SMTP address and a folder's display path.

#include "zr/CZrEntryID.h"

#include "mapi/IAddrBook.h"
#include "mapi/IMAPISession.h"

#include <string>

// The name of the session's profile; "UnknownProfile" for a profile
// without one, "" when there is no session or its profile cannot be read.
std::string GetProfileName(IMAPISession* session);

// The entry's PR_SMTP_ADDRESS or, without one, the primary address among
// its proxy addresses (the one written "SMTP:..."; "" when none is).
HRESULT GetEntrySmtpAddress(IAddrBook* addressBook, ULONG entryIdSize, LPENTRYID entryId, std::string& address);

// "\\Store\Folder\Subfolder": the store's name and the folders from the top
// of its message tree down to the folder. E_INVALIDARG for a null folder,
// S_FALSE (and "") for an empty one, E_FAIL for a folder outside the
// message tree.
HRESULT GetFolderDisplayPath(IMAPISession* session, const CZrEntryID& storeId, const CZrEntryID* folderId,
                             std::string& path);
