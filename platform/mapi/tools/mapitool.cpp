// mapitool: sets up a profile with a store and the entries and lists of its
// address book, lists folders and messages with their properties, delivers
// .eml files into a folder and exports a message as .eml.

#include "com/ComPtr.h"
#include "mapi/MailFile.h"
#include "mapi/Mapi.h"
#include "mapi/AddressBookEdit.h"
#include "mapi/MapiAdmin.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

using pollenta::mapi::DeliverMime;
using pollenta::mapi::ExportMime;

const char* const kUsage =
    "usage: mapitool [--profile NAME] COMMAND ...\n"
    "  create-profile NAME DIR [--address ADDR] [--name \"USER NAME\"]\n"
    "                               profile with a store, address book, outgoing and drop folder in DIR,\n"
    "                               whose mail comes from the user ADDR\n"
    "  add-user NAME ADDRESS        an entry of the profile's address book\n"
    "  add-list NAME MEMBER...      a distribution list of the entries or lists named MEMBER\n"
    "  folders                      folders of every store\n"
    "  messages FOLDER              messages of FOLDER (\"\\\\Store\\\\Inbox\") with their properties\n"
    "  deliver [--folder FOLDER] FILE.eml ...   deliver into the existing FOLDER, or the Inbox of the default store\n"
    "  export ENTRYID FILE.eml      write the message (entry id in hex) as MIME\n"
    "  fetch                        new mail from the account's IMAP mailbox into the Inbox\n"
    "  import-csv FILE.csv [--list NAME]   address book entries from a CSV file with a header row\n"
    "                               (\"Name\", \"E-mail Address\"), and a list NAME of them\n";

int Fail(const std::string& what, HRESULT hr)
{
    std::fprintf(stderr, "mapitool: %s failed: 0x%08X\n", what.c_str(), static_cast<unsigned>(hr));
    return 1;
}

std::string Hex(const BYTE* data, ULONG size)
{
    std::string text(size * 2 + 1, '\0');
    HexFromBin(const_cast<BYTE*>(data), static_cast<int>(size), text.data());
    text.resize(size * 2);
    return text;
}

std::string EntryIdText(const std::string& entryId)
{
    return Hex(reinterpret_cast<const BYTE*>(entryId.data()), static_cast<ULONG>(entryId.size()));
}

std::string ValueText(const SPropValue& value)
{
    char buffer[64];
    switch (PROP_TYPE(value.ulPropTag)) {
    case PT_LONG: return std::to_string(value.Value.l);
    case PT_SHORT: return std::to_string(value.Value.i);
    case PT_BOOLEAN: return value.Value.b ? "true" : "false";
    case PT_I8: return std::to_string(value.Value.li.QuadPart);
    case PT_DOUBLE: return std::to_string(value.Value.dbl);
    case PT_STRING8: return std::string("\"") + value.Value.lpszA + "\"";
    case PT_BINARY: return Hex(value.Value.bin.lpb, value.Value.bin.cb);
    case PT_SYSTIME: {
        ULONGLONG ticks = (static_cast<ULONGLONG>(value.Value.ft.dwHighDateTime) << 32) | value.Value.ft.dwLowDateTime;
        std::time_t seconds = static_cast<std::time_t>(ticks / 10000000ULL - 11644473600ULL);
        std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S UTC", std::gmtime(&seconds));
        return buffer;
    }
    case PT_MV_STRING8: {
        std::string text = "[";
        for (ULONG i = 0; i < value.Value.MVszA.cValues; ++i)
            text += (i ? ", \"" : "\"") + std::string(value.Value.MVszA.lppszA[i]) + "\"";
        return text + "]";
    }
    default:
        std::snprintf(buffer, sizeof buffer, "(type 0x%04X)", static_cast<unsigned>(PROP_TYPE(value.ulPropTag)));
        return buffer;
    }
}

class CTool {
public:
    explicit CTool(std::string profile) : m_profile(std::move(profile)) {}
    ~CTool()
    {
        m_session.Release();
        if (m_initialised) MAPIUninitialize();
    }

    HRESULT Logon()
    {
        MAPIINIT_0 init = {MAPI_INIT_VERSION, MAPI_MULTITHREAD_NOTIFICATIONS};
        if (HRESULT hr = MAPIInitialize(&init); FAILED(hr)) return hr;
        m_initialised = true;
        return MAPILogonEx(0, m_profile.empty() ? nullptr : m_profile.data(), nullptr, MAPI_EXTENDED | MAPI_NEW_SESSION,
                           &m_session);
    }

    int Folders()
    {
        LPSRowSet stores = StoreRows();
        if (!stores) return 1;
        for (ULONG i = 0; i < stores->cRows; ++i) {
            const SPropValue* props = stores->aRow[i].lpProps;
            std::printf("\\\\%s  %s\n", props[1].Value.lpszA, Hex(props[0].Value.bin.lpb, props[0].Value.bin.cb).c_str());
            CComPtr<IMsgStore> store;
            if (SUCCEEDED(m_session->OpenMsgStore(0, props[0].Value.bin.cb, reinterpret_cast<LPENTRYID>(props[0].Value.bin.lpb),
                                                  nullptr, MAPI_BEST_ACCESS, &store)))
                PrintTree(store, nullptr, 0, 1);
        }
        FreeProws(stores);
        return 0;
    }

    int Messages(const std::string& path)
    {
        CComPtr<IMsgStore> store;
        CComPtr<IMAPIFolder> folder;
        if (HRESULT hr = OpenFolder(path, store, folder); FAILED(hr)) return Fail("opening " + path, hr);
        CComPtr<IMAPITable> table;
        if (HRESULT hr = folder->GetContentsTable(0, &table); FAILED(hr)) return Fail("GetContentsTable", hr);
        SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
        LPSRowSet rows = nullptr;
        if (HRESULT hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
            FAILED(hr))
            return Fail("QueryRows", hr);
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SBinary& eid = rows->aRow[i].lpProps[0].Value.bin;
            std::printf("message %s\n", Hex(eid.lpb, eid.cb).c_str());
            ULONG type = 0;
            CComPtr<IUnknown> object;
            if (FAILED(store->OpenEntry(eid.cb, reinterpret_cast<LPENTRYID>(eid.lpb), &IID_IMessage, 0, &type, &object)))
                continue;
            CComQIPtr<IMessage> message(object.p);
            ULONG count = 0;
            LPSPropValue values = nullptr;
            if (SUCCEEDED(message->GetProps(nullptr, 0, &count, &values))) {
                for (ULONG j = 0; j < count; ++j)
                    std::printf("  0x%08X  %s\n", static_cast<unsigned>(values[j].ulPropTag), ValueText(values[j]).c_str());
                MAPIFreeBuffer(values);
            }
        }
        FreeProws(rows);
        return 0;
    }

    int Deliver(const std::string& path, const std::vector<std::string>& files)
    {
        CComPtr<IMsgStore> store;
        CComPtr<IMAPIFolder> folder;
        HRESULT hr = path.empty() ? OpenDefaultStore(store) : OpenFolder(path, store, folder);
        if (FAILED(hr)) return Fail("opening the folder " + (path.empty() ? std::string("Inbox") : path), hr);
        int result = 0;
        for (const std::string& file : files) {
            std::vector<BYTE> mime;
            std::string reason;
            if (!pollenta::mapi::ReadMailFile(file, mime, reason)) {
                std::fprintf(stderr, "mapitool: %s was not delivered: %s\n", file.c_str(), reason.c_str());
                result = 1;
                continue;
            }
            std::string entryId;
            if (HRESULT delivered = DeliverMime(store, folder, mime, &entryId); FAILED(delivered)) {
                result = Fail("delivering " + file, delivered);
                continue;
            }
            std::printf("%s  %s\n", file.c_str(), EntryIdText(entryId).c_str());
        }
        HrDispatchNotifications(0);
        return result;
    }

    int Export(const std::string& hex, const std::string& file)
    {
        std::vector<BYTE> eid(hex.size() / 2);
        if (!FBinFromHex(const_cast<char*>(hex.c_str()), eid.data())) return Fail("reading the entry id", MAPI_E_INVALID_ENTRYID);
        ULONG type = 0;
        CComPtr<IUnknown> object;
        if (HRESULT hr = m_session->OpenEntry(static_cast<ULONG>(eid.size()), reinterpret_cast<LPENTRYID>(eid.data()),
                                              &IID_IMessage, 0, &type, &object);
            FAILED(hr))
            return Fail("opening the message", hr);
        CComQIPtr<IMessage> message(object.p);
        std::vector<BYTE> mime;
        if (HRESULT hr = ExportMime(message, mime); FAILED(hr)) return Fail("exporting", hr);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(mime.data()), static_cast<std::streamsize>(mime.size()));
        return out ? 0 : Fail("writing " + file, MAPI_E_DISK_ERROR);
    }

    int ImportCsv(const std::string& file, const std::string& listName)
    {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "mapitool: cannot read %s\n", file.c_str());
            return 1;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        CComPtr<IAddrBook> book;
        if (HRESULT hr = m_session->OpenAddressBook(0, nullptr, 0, &book); FAILED(hr))
            return Fail("opening the address book", hr);
        pollenta::mapi::CsvImportResult result;
        std::string why;
        if (HRESULT hr = pollenta::mapi::ImportAddressCsv(book, bytes, listName, result, &why); FAILED(hr)) {
            std::fprintf(stderr, "mapitool: importing %s failed: %s\n", file.c_str(), why.c_str());
            return Fail("importing " + file, hr);
        }
        std::printf("%s: %zu entries added, %zu known already, %zu rows without an address\n", file.c_str(),
                    result.added, result.known, result.skipped);
        if (!result.listEntryId.empty())
            std::printf("list %s  %s\n", listName.c_str(), EntryIdText(result.listEntryId).c_str());
        return 0;
    }

private:
    LPSRowSet StoreRows()
    {
        CComPtr<IMAPITable> table;
        if (FAILED(m_session->GetMsgStoresTable(0, &table))) return nullptr;
        SizedSPropTagArray(3, columns) = {3, {PR_ENTRYID, PR_DISPLAY_NAME_A, PR_DEFAULT_STORE}};
        LPSRowSet rows = nullptr;
        HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows);
        return rows;
    }

    void PrintTree(IMsgStore* store, LPENTRYID eid, ULONG cb, int depth)
    {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        if (FAILED(store->OpenEntry(cb, eid, &IID_IMAPIFolder, 0, &type, &object))) return;
        CComQIPtr<IMAPIFolder> folder(object.p);
        CComPtr<IMAPITable> table;
        if (FAILED(folder->GetHierarchyTable(0, &table))) return;
        SizedSPropTagArray(3, columns) = {3, {PR_ENTRYID, PR_DISPLAY_NAME_A, PR_CONTENT_COUNT}};
        LPSRowSet rows = nullptr;
        if (FAILED(HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows))) return;
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SPropValue* props = rows->aRow[i].lpProps;
            std::printf("%*s%s (%d)\n", depth * 2, "", props[1].Value.lpszA, props[2].Value.l);
            PrintTree(store, reinterpret_cast<LPENTRYID>(props[0].Value.bin.lpb), props[0].Value.bin.cb, depth + 1);
        }
        FreeProws(rows);
    }

    HRESULT OpenDefaultStore(CComPtr<IMsgStore>& store)
    {
        LPSRowSet rows = StoreRows();
        if (!rows) return MAPI_E_NOT_FOUND;
        HRESULT hr = MAPI_E_NOT_FOUND;
        for (ULONG i = 0; i < rows->cRows && hr == MAPI_E_NOT_FOUND; ++i) {
            const SPropValue* props = rows->aRow[i].lpProps;
            if (props[2].Value.b || rows->cRows == 1)
                hr = m_session->OpenMsgStore(0, props[0].Value.bin.cb, reinterpret_cast<LPENTRYID>(props[0].Value.bin.lpb),
                                             nullptr, MAPI_BEST_ACCESS, &store);
        }
        FreeProws(rows);
        return hr;
    }

    // "\\Store\Folder\Sub": the store by display name, then folders below
    // its top of information store.
    HRESULT OpenFolder(const std::string& path, CComPtr<IMsgStore>& store, CComPtr<IMAPIFolder>& folder)
    {
        std::vector<std::string> parts;
        std::size_t start = path.find_first_not_of('\\');
        while (start != std::string::npos) {
            std::size_t end = path.find('\\', start);
            parts.push_back(path.substr(start, end == std::string::npos ? end : end - start));
            start = end == std::string::npos ? end : path.find_first_not_of('\\', end);
        }
        if (parts.empty()) return MAPI_E_INVALID_PARAMETER;
        LPSRowSet rows = StoreRows();
        if (!rows) return MAPI_E_NOT_FOUND;
        HRESULT hr = MAPI_E_NOT_FOUND;
        for (ULONG i = 0; i < rows->cRows; ++i) {
            const SPropValue* props = rows->aRow[i].lpProps;
            if (parts[0] == props[1].Value.lpszA)
                hr = m_session->OpenMsgStore(0, props[0].Value.bin.cb, reinterpret_cast<LPENTRYID>(props[0].Value.bin.lpb),
                                             nullptr, MAPI_BEST_ACCESS, &store);
        }
        FreeProws(rows);
        if (FAILED(hr)) return hr;
        LPSPropValue subtree = nullptr;
        if (HRESULT got = HrGetOneProp(store, PR_IPM_SUBTREE_ENTRYID, &subtree); FAILED(got)) return got;
        ULONG type = 0;
        CComPtr<IUnknown> object;
        hr = store->OpenEntry(subtree->Value.bin.cb, reinterpret_cast<LPENTRYID>(subtree->Value.bin.lpb), &IID_IMAPIFolder,
                              MAPI_BEST_ACCESS, &type, &object);
        MAPIFreeBuffer(subtree);
        if (FAILED(hr)) return hr;
        folder = CComQIPtr<IMAPIFolder>(object.p);
        for (std::size_t i = 1; i < parts.size(); ++i) {
            CComPtr<IMAPIFolder> child;
            if (HRESULT found = OpenChild(folder, parts[i], child); FAILED(found)) return found;
            folder = child;
        }
        return S_OK;
    }

    static HRESULT OpenChild(IMAPIFolder* parent, const std::string& name, CComPtr<IMAPIFolder>& child)
    {
        CComPtr<IMAPITable> table;
        if (HRESULT hr = parent->GetHierarchyTable(0, &table); FAILED(hr)) return hr;
        SPropValue wanted{};
        wanted.ulPropTag = PR_DISPLAY_NAME_A;
        wanted.Value.lpszA = const_cast<char*>(name.c_str());
        SRestriction byName{};
        byName.rt = RES_PROPERTY;
        byName.res.resProperty = {RELOP_EQ, PR_DISPLAY_NAME_A, &wanted};
        SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
        LPSRowSet rows = nullptr;
        if (HRESULT hr = HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), &byName, nullptr, 0, &rows);
            FAILED(hr))
            return hr;
        HRESULT hr = MAPI_E_NOT_FOUND;
        if (rows->cRows) {
            const SBinary& eid = rows->aRow[0].lpProps[0].Value.bin;
            ULONG type = 0;
            CComPtr<IUnknown> object;
            hr = parent->OpenEntry(eid.cb, reinterpret_cast<LPENTRYID>(eid.lpb), &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type,
                                   &object);
            if (SUCCEEDED(hr)) child = CComQIPtr<IMAPIFolder>(object.p);
        }
        FreeProws(rows);
        return hr;
    }

    std::string m_profile;
    bool m_initialised = false;
    CComPtr<IMAPISession> m_session;
};

int CreateProfile(const std::string& name, const std::filesystem::path& dir, const std::string& userName,
                  const std::string& address)
{
    std::filesystem::create_directories(dir);
    std::string book = (dir / "addressbook.db").string();
    if (HRESULT hr = pollenta::mapi::CreateProfile(name, book, (dir / "outgoing").string(), true, (dir / "drop").string());
        FAILED(hr))
        return Fail("creating the profile", hr);
    std::string entryId;
    if (HRESULT hr = pollenta::mapi::CreateStore(name, (dir / "Personal Folders.store").string(), "Personal Folders", true,
                                                 &entryId);
        FAILED(hr))
        return Fail("creating the store", hr);
    if (HRESULT hr = pollenta::mapi::SetProfileIdentity(name, userName, address); FAILED(hr))
        return Fail("setting the profile's user", hr);
    std::printf("profile %s: store %s\n", name.c_str(),
                EntryIdText(entryId).c_str());
    return 0;
}

int AddUser(const std::string& profile, const std::string& name, const std::string& address)
{
    std::string book;
    if (HRESULT hr = pollenta::mapi::ProfileAddressBook(profile, book); FAILED(hr))
        return Fail("opening the profile", hr);
    try {
        std::printf("%s  %s\n", name.c_str(), EntryIdText(pollenta::mapi::AddMailUser(book, name, address, {})).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapitool: adding %s failed: %s\n", name.c_str(), e.what());
        return 1;
    }
    return 0;
}

// Members are named as the book names them, so that a list can hold users
// and other lists alike.
int AddList(const std::string& profile, const std::string& name, const std::vector<std::string>& memberNames)
{
    std::string book;
    if (HRESULT hr = pollenta::mapi::ProfileAddressBook(profile, book); FAILED(hr))
        return Fail("opening the profile", hr);
    std::vector<std::string> members;
    for (const std::string& member : memberNames) {
        std::string entryId;
        if (HRESULT hr = pollenta::mapi::FindAddressEntry(book, member, entryId); FAILED(hr))
            return Fail("finding \"" + member + "\" in the address book", hr);
        members.push_back(entryId);
    }
    try {
        std::printf("%s  %s\n", name.c_str(), EntryIdText(pollenta::mapi::AddDistList(book, name, members)).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mapitool: adding %s failed: %s\n", name.c_str(), e.what());
        return 1;
    }
    return 0;
}

int Fetch(const std::string& profile)
{
    MAPIINIT_0 init = {MAPI_INIT_VERSION, MAPI_MULTITHREAD_NOTIFICATIONS};
    if (HRESULT hr = MAPIInitialize(&init); FAILED(hr)) return Fail("starting MAPI", hr);
    std::size_t delivered = 0;
    HRESULT hr = pollenta::mapi::FetchMail(profile, delivered);
    if (FAILED(hr)) std::fprintf(stderr, "mapitool: %s\n", pollenta::mapi::AdminErrorText().c_str());
    else std::printf("fetched %zu\n", delivered);
    MAPIUninitialize();
    return FAILED(hr) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string profile;
    std::optional<std::string> folder;
    std::string address;
    std::string userName;
    std::string list;
    std::vector<std::string> words;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--profile" && i + 1 < args.size()) profile = args[++i];
        else if (args[i] == "--folder" && i + 1 < args.size()) folder = args[++i];
        else if (args[i] == "--address" && i + 1 < args.size()) address = args[++i];
        else if (args[i] == "--name" && i + 1 < args.size()) userName = args[++i];
        else if (args[i] == "--list" && i + 1 < args.size()) list = args[++i];
        else words.push_back(args[i]);
    }
    if (folder && folder->empty()) {
        std::fputs("mapitool: --folder needs the path of an existing folder\n", stderr);
        return 2;
    }
    if (words.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& command = words[0];
    if (command == "create-profile" && words.size() == 3) return CreateProfile(words[1], words[2], userName, address);
    if (command == "add-user" && words.size() == 3) return AddUser(profile, words[1], words[2]);
    if (command == "fetch" && words.size() == 1) return Fetch(profile);
    if (command == "add-list" && words.size() >= 3) return AddList(profile, words[1], {words.begin() + 2, words.end()});

    CTool tool(profile);
    if (HRESULT hr = tool.Logon(); FAILED(hr)) return Fail("logging on", hr);
    if (command == "folders" && words.size() == 1) return tool.Folders();
    if (command == "messages" && words.size() == 2) return tool.Messages(words[1]);
    if (command == "deliver" && words.size() >= 2) return tool.Deliver(folder.value_or(""), {words.begin() + 1, words.end()});
    if (command == "export" && words.size() == 3) return tool.Export(words[1], words[2]);
    if (command == "import-csv" && words.size() == 2) return tool.ImportCsv(words[1], list);
    std::fputs(kUsage, stderr);
    return 2;
}
