#pragma once
// Who an address-book entry is: its Internet address and a name to address
// it by.

#include "mapi/IMAPIProp.h"

#include <string>

// The first non-empty of: the e-mail address of an SMTP entry, its SMTP
// address, its first "SMTP:" proxy address, its e-mail address.
HRESULT GetRecipientSmtpAddress(IMAPIProp* entry, std::string& address);
// The display name, unless it is empty or an address: then the part of the
// address before "@", its first letter upper-cased.
HRESULT GetRecipientName(IMAPIProp* entry, std::string& name);
// A string property of the entry, "" when it has none.
std::string StringProp(IMAPIProp* entry, ULONG tag);
// A distribution list whose name begins with "exclude" (exactly so): its
// own members get no copy in the whole run.
bool IsExclusionList(IMAPIProp* list);
