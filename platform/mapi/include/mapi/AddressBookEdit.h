#pragma once
// What a person does in the client's address book window, and what
// importing a CSV file of addresses does: the entries and lists of a
// session's address book listed, added, changed and deleted. Each returns
// S_OK or a MAPI error with a text saying why (`why`, when not null).

#include "mapi/IAddrBook.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

struct AddressEntry {
    std::string entryId;
    ULONG type = 0;  // MAPI_MAILUSER or MAPI_DISTLIST
    std::string name;
    std::string address;               // a mail user's SMTP address
    std::vector<std::string> members;  // a list's members' entry ids, in order
};

HRESULT ReadAddressEntries(IAddrBook* book, std::vector<AddressEntry>& entries, std::string* why = nullptr);
HRESULT AddAddressEntry(IAddrBook* book, const std::string& name, const std::string& address, std::string& entryId,
                        std::string* why = nullptr);
HRESULT AddAddressList(IAddrBook* book, const std::string& name, const std::vector<std::string>& members,
                       std::string& entryId, std::string* why = nullptr);
// A mail user's name and address, or a list's name (`address` unused).
HRESULT ChangeAddressEntry(IAddrBook* book, const std::string& entryId, const std::string& name,
                           const std::string& address, std::string* why = nullptr);
HRESULT SetAddressListMembers(IAddrBook* book, const std::string& listEntryId, const std::vector<std::string>& members,
                              std::string* why = nullptr);
// The entry goes, and so does its place in every list that held it.
HRESULT DeleteAddressEntry(IAddrBook* book, const std::string& entryId, std::string* why = nullptr);

struct CsvImportResult {
    std::size_t added = 0;    // new mail users
    std::size_t known = 0;    // rows whose address the book had already
    std::size_t skipped = 0;  // rows without an address
    std::string listEntryId;  // the list made of them, when one was asked for
};
// The rows of a CSV file with a header row: the name column is found by a
// header "Name" (or "Display Name", "Full Name", or else "First Name" and
// "Last Name"), the address column by "E-mail Address", "Email Address",
// "E-mail" or "Email", in any order and case. A row whose address the book
// knows adds no second entry. With a list name, a list of every row's entry
// is added as well. MAPI_E_INVALID_PARAMETER when the header has no address
// column or the file no row.
HRESULT ImportAddressCsv(IAddrBook* book, const std::string& csvBytes, const std::string& listName,
                         CsvImportResult& result, std::string* why = nullptr);

}  // namespace pollenta::mapi
