#include "mapi/AddressBookEdit.h"

#include "AddrBook.h"
#include "CsvTable.h"
#include "EntryId.h"
#include "MapiError.h"
#include "mapi/MapiFlags.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace pollenta::mapi {

namespace {

template <class F>
HRESULT Run(IAddrBook* book, std::string* why, F&& body)
{
    try {
        auto* opened = dynamic_cast<CAddrBook*>(book);
        if (!opened)
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "The address book is not one of this system's");
        body(*opened->File());
        return S_OK;
    } catch (const CMapiError& e) {
        if (why)
            *why = e.what();
        return e.Code();
    } catch (const std::exception& e) {
        if (why)
            *why = e.what();
        return MAPI_E_CALL_FAILED;
    }
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

void Put(CPropMap& props, const CPropValue& value)
{
    props[PROP_ID(value.Tag())] = value;
}

CPropMap MailUserProps(const std::string& name, const std::string& address)
{
    CPropMap props;
    Put(props, CPropValue::String(PR_DISPLAY_NAME_A, name.empty() ? address : name));
    Put(props, CPropValue::String(PR_SMTP_ADDRESS_A, address));
    Put(props, CPropValue::String(PR_EMAIL_ADDRESS_A, address));
    Put(props, CPropValue::String(PR_ADDRTYPE_A, "SMTP"));
    Put(props, CPropValue::StringArray(PR_EMS_AB_PROXY_ADDRESSES, {"SMTP:" + address}));
    return props;
}

bool IsAddress(const std::string& address)
{
    return address.find('@') != std::string::npos && address.find_first_of(" \t\r\n<>,;\"") == std::string::npos;
}

void CheckAddress(const std::string& address)
{
    if (!IsAddress(address))
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "\"" + address + "\" is not an e-mail address");
}

// The entry of the book that the id names; its type.
LONGLONG EntryOf(CAddressBookFile& file, const std::string& entryId, ULONG& type)
{
    CEntryId parsed = CEntryId::Parse(entryId);
    if (parsed.m_kind != CEntryId::Kind::AddressEntry || !(parsed.m_uid == file.Uid()) || !file.Type(parsed.m_id, type))
        throw CMapiError(MAPI_E_NOT_FOUND, "The address book has no such entry");
    return parsed.m_id;
}

std::string TextOf(const CPropMap& props, ULONG tag)
{
    auto found = props.find(PROP_ID(tag));
    return found == props.end() ? std::string() : found->second.Text();
}

std::vector<AddressEntry> ReadAll(CAddressBookFile& file)
{
    std::vector<AddressEntry> entries;
    for (LONGLONG id : file.Entries()) {
        AddressEntry entry;
        CPropMap props;
        if (!file.Entry(id, entry.type, props))
            continue;
        entry.entryId = CEntryId::ForAddressEntry(file.Uid(), entry.type, id);
        entry.name = TextOf(props, PR_DISPLAY_NAME_A);
        if (entry.type == MAPI_DISTLIST)
            entry.members = file.Members(id);
        else
            entry.address = TextOf(props, PR_EMAIL_ADDRESS_A);
        entries.push_back(std::move(entry));
    }
    return entries;
}

// The column whose header is one of `names`, tried in their order; -1 for none.
int Column(const CsvRow& header, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        for (std::size_t i = 0; i < header.size(); ++i)
            if (Lower(Trimmed(header[i])) == name)
                return static_cast<int>(i);
    return -1;
}

std::string Field(const CsvRow& row, int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < row.size() ? Trimmed(row[static_cast<std::size_t>(column)])
                                                                        : std::string();
}

}  // namespace

HRESULT ReadAddressEntries(IAddrBook* book, std::vector<AddressEntry>& entries, std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) { entries = ReadAll(file); });
}

HRESULT AddAddressEntry(IAddrBook* book, const std::string& name, const std::string& address, std::string& entryId,
                        std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) {
        const std::string trimmed = Trimmed(address);
        CheckAddress(trimmed);
        entryId = CEntryId::ForAddressEntry(file.Uid(), MAPI_MAILUSER,
                                            file.Add(MAPI_MAILUSER, MailUserProps(Trimmed(name), trimmed)));
    });
}

HRESULT AddAddressList(IAddrBook* book, const std::string& name, const std::vector<std::string>& members,
                       std::string& entryId, std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) {
        if (Trimmed(name).empty())
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "A list needs a name");
        CPropMap props;
        Put(props, CPropValue::String(PR_DISPLAY_NAME_A, Trimmed(name)));
        const LONGLONG id = file.Add(MAPI_DISTLIST, props);
        file.ReplaceMembers(id, members);
        entryId = CEntryId::ForAddressEntry(file.Uid(), MAPI_DISTLIST, id);
    });
}

HRESULT ChangeAddressEntry(IAddrBook* book, const std::string& entryId, const std::string& name,
                           const std::string& address, std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) {
        ULONG type = 0;
        const LONGLONG id = EntryOf(file, entryId, type);
        if (type == MAPI_DISTLIST) {
            if (Trimmed(name).empty())
                throw CMapiError(MAPI_E_INVALID_PARAMETER, "A list needs a name");
            CPropMap props;
            Put(props, CPropValue::String(PR_DISPLAY_NAME_A, Trimmed(name)));
            file.SaveProps(id, props);
            return;
        }
        const std::string trimmed = Trimmed(address);
        CheckAddress(trimmed);
        file.SaveProps(id, MailUserProps(Trimmed(name), trimmed));
    });
}

HRESULT SetAddressListMembers(IAddrBook* book, const std::string& listEntryId, const std::vector<std::string>& members,
                              std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) {
        ULONG type = 0;
        const LONGLONG id = EntryOf(file, listEntryId, type);
        if (type != MAPI_DISTLIST)
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "The entry is no list");
        file.ReplaceMembers(id, members);
    });
}

HRESULT DeleteAddressEntry(IAddrBook* book, const std::string& entryId, std::string* why)
{
    return Run(book, why, [&](CAddressBookFile& file) {
        ULONG type = 0;
        file.Delete(EntryOf(file, entryId, type), entryId);
    });
}

HRESULT ImportAddressCsv(IAddrBook* book, const std::string& csvBytes, const std::string& listName,
                         CsvImportResult& result, std::string* why)
{
    result = CsvImportResult{};
    return Run(book, why, [&](CAddressBookFile& file) {
        const std::vector<CsvRow> rows = ReadCsv(csvBytes);
        if (rows.empty())
            throw CMapiError(MAPI_E_INVALID_PARAMETER, "The file holds no rows");
        const CsvRow& header = rows.front();
        const int address = Column(header, {"e-mail address", "email address", "e-mail", "email"});
        if (address < 0)
            throw CMapiError(MAPI_E_INVALID_PARAMETER,
                             "The file's first row names no column of addresses (\"E-mail Address\" or \"Email\")");
        const int name = Column(header, {"name", "display name", "full name", "e-mail display name"});
        const int first = Column(header, {"first name", "given name"});
        const int last = Column(header, {"last name", "surname"});

        std::map<std::string, std::string> known;
        for (const AddressEntry& entry : ReadAll(file))
            if (entry.type == MAPI_MAILUSER)
                known.emplace(Lower(entry.address), entry.entryId);
        // Each row's member: the entry the book has, or the new one it gets.
        struct Member {
            std::string known;
            std::size_t added = 0;
        };
        std::vector<Member> members;
        std::vector<CPropMap> added;
        std::map<std::string, std::size_t> addedAt;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const std::string mail = Field(rows[i], address);
            if (!IsAddress(mail)) {
                ++result.skipped;
                continue;
            }
            if (auto found = known.find(Lower(mail)); found != known.end()) {
                ++result.known;
                members.push_back({found->second});
                continue;
            }
            auto [at, isNew] = addedAt.emplace(Lower(mail), added.size());
            if (isNew) {
                std::string shown = Field(rows[i], name);
                if (shown.empty())
                    shown = Trimmed(Field(rows[i], first) + " " + Field(rows[i], last));
                added.push_back(MailUserProps(shown, mail));
            } else {
                ++result.known;
            }
            members.push_back({{}, at->second});
        }
        const std::vector<LONGLONG> ids = file.AddAll(MAPI_MAILUSER, added);
        result.added = ids.size();
        if (Trimmed(listName).empty())
            return;
        CPropMap props;
        Put(props, CPropValue::String(PR_DISPLAY_NAME_A, Trimmed(listName)));
        const LONGLONG list = file.Add(MAPI_DISTLIST, props);
        std::vector<std::string> memberIds;
        for (const Member& member : members)
            memberIds.push_back(member.known.empty()
                                    ? CEntryId::ForAddressEntry(file.Uid(), MAPI_MAILUSER, ids[member.added])
                                    : member.known);
        file.ReplaceMembers(list, memberIds);
        result.listEntryId = CEntryId::ForAddressEntry(file.Uid(), MAPI_DISTLIST, list);
    });
}

}  // namespace pollenta::mapi
