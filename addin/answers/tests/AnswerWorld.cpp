#include "AnswerWorld.h"

#include "AnswerProject.h"
#include "AnswerWorldChecks.h"

#include "message/ProcessedMark.h"
#include "message/MapiReads.h"

#include "settings/RegistryKey.h"
#include "util/CZrMapiBufferPtr.h"
#include "util/CZrRowSetPtr.h"

#include "com/Activation.h"
#include "mapi/MapiAdmin.h"

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

using AnswerWorldChecks::Check;
using AnswerWorldChecks::CheckHr;

namespace {

void SetText(HKEY root, const std::string& path, const char* name, const std::string& text)
{
    RegistryKey key;
    Check(key.Create(root, path, KEY_ALL_ACCESS) == ERROR_SUCCESS && key.WriteText(name, text) == ERROR_SUCCESS,
          "registry value " + path + "\\" + name);
}

std::string Bytes(const SBinary& bin)
{
    return std::string(reinterpret_cast<const char*>(bin.lpb), bin.cb);
}

CZrEntryID EntryId(const std::string& bytes)
{
    CZrEntryID id;
    id.Set(static_cast<ULONG>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    return id;
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace

AnswerWorld::AnswerWorld(fs::path folder) : m_folder(std::move(folder))
{
    fs::create_directories(m_folder / "registry");
    fs::create_directories(LogFolder());
    fs::create_directories(DropFolder());
    setenv("POLLENTA_REGISTRY", (m_folder / "registry").c_str(), 1);
    m_com = SUCCEEDED(CoInitialize(nullptr));
    MAPIINIT_0 init = {MAPI_INIT_VERSION, 9};
    CheckHr(MAPIInitialize(&init), "MAPIInitialize");
    m_mapi = true;
    m_settings.m_strLogFolderPath = LogFolder().string();
    m_settings.m_nAddJournService = 1;
    m_log.SetSettings(&m_settings);
}

AnswerWorld::~AnswerWorld()
{
    Close();
    if (m_mapi)
        MAPIUninitialize();
    if (m_com)
        CoUninitialize();
}

void AnswerWorld::Create(Registration registration)
{
    const std::string dir = m_folder.string();
    CheckHr(pollenta::mapi::CreateProfile(kProfile, dir + "/book.db", dir + "/outgoing", true, DropFolder().string()),
            "CreateProfile");
    CheckHr(pollenta::mapi::CreateStore(kProfile, dir + "/mail.store", "Mail", true, &m_storeId), "CreateStore");
    CheckHr(pollenta::mapi::SetProfileIdentity(kProfile, "Survey Owner", "owner@example.org"), "SetProfileIdentity");
    if (registration == Registration::Everything)
        RegisterEverything();
    else
        RegisterProjectLibrary();
    std::ofstream(m_folder / "project-id") << AnswerProject::Create(Database());
    Open();
}

void AnswerWorld::Open()
{
    m_projectId = std::atoi(ReadFile(m_folder / "project-id").c_str());
    std::string profile = kProfile;
    CheckHr(MAPILogonEx(0, profile.data(), nullptr, MAPI_EXTENDED, &m_session), "MAPILogonEx");
    CComPtr<IMAPITable> stores;
    CheckHr(m_session->GetMsgStoresTable(0, &stores), "GetMsgStoresTable");
    CZrRowSetPtr rows;
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    CheckHr(HrQueryAllRows(stores, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows),
            "store rows");
    Check(rows.get() && rows->cRows > 0, "a store in the profile");
    m_storeId = Bytes(rows->aRow[0].lpProps[0].Value.bin);
    CheckHr(m_session->OpenMsgStore(0, static_cast<ULONG>(m_storeId.size()),
                                    reinterpret_cast<LPENTRYID>(m_storeId.data()), &IID_IMsgStore, MAPI_BEST_ACCESS,
                                    &m_store),
            "OpenMsgStore");
}

void AnswerWorld::Close()
{
    HrDispatchNotifications(0);
    m_store.Release();
    m_session.Release();
}

void AnswerWorld::RegisterEverything() const
{
    SetText(HKEY_CURRENT_USER, CWESettings::kRootKey, "DataDir", (m_folder / "data").string());
    SetText(HKEY_CURRENT_USER, CWESettings::kRootKey, "LogFolderPath", LogFolder().string());
    const std::string command =
        std::string("/bin/bash '") + POLLENTA_SOURCE_DIR + "/scripts/register' '" + POLLENTA_BIN_DIR + "'";
    Check(std::system(command.c_str()) == 0, "scripts/register");
}

void AnswerWorld::RegisterProjectLibrary() const
{
    SetText(HKEY_CURRENT_USER, CWESettings::kRootKey, "DataDir", (m_folder / "data").string());
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "", "");
    const std::string command =
        std::string("'") + POLLENTA_BIN_DIR + "/regsvr' /s '" + POLLENTA_BIN_DIR + "/Gastrel.so'";
    Check(std::system(command.c_str()) == 0, "regsvr of Gastrel.so");
}

CComPtr<IMAPIFolder> AnswerWorld::OpenFolder(const std::string& entryId) const
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    CheckHr(m_store->OpenEntry(static_cast<ULONG>(entryId.size()), reinterpret_cast<LPENTRYID>(
                                   const_cast<char*>(entryId.data())),
                               &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type, &object),
            "OpenEntry of a folder");
    return CComQIPtr<IMAPIFolder>(object.p);
}

std::string AnswerWorld::InboxId() const
{
    ULONG cb = 0;
    LPENTRYID eid = nullptr;
    CheckHr(m_store->GetReceiveFolder(const_cast<char*>(""), 0, &cb, &eid, nullptr), "GetReceiveFolder");
    std::string bytes(reinterpret_cast<const char*>(eid), cb);
    MAPIFreeBuffer(eid);
    return bytes;
}

std::string AnswerWorld::SpecialFolderId(ULONG tag) const
{
    CZrMapiBufferPtr<SPropValue> value;
    CheckHr(HrGetOneProp(m_store, tag, &value), "special folder id");
    return Bytes(value->Value.bin);
}

std::string AnswerWorld::Deliver(const std::string& eml, IMAPIFolder* folder) const
{
    std::string entryId;
    CheckHr(pollenta::mapi::DeliverMime(m_store, folder, std::vector<BYTE>(eml.begin(), eml.end()), &entryId),
            "DeliverMime");
    return entryId;
}

std::shared_ptr<const CWEWatchSnapshot> AnswerWorld::Snapshot() const
{
    CWEWatchedFolder inbox;
    inbox.m_StoreId = EntryId(m_storeId);
    inbox.m_FolderId = EntryId(InboxId());
    inbox.m_dwFlags = CWEWatchedFolder::kWatchFolder;
    std::vector<CZrEntryID> services;
    for (ULONG tag : {PR_IPM_OUTBOX_ENTRYID, PR_IPM_SENTMAIL_ENTRYID})
        services.push_back(EntryId(SpecialFolderId(tag)));
    return std::make_shared<const CWEWatchSnapshot>(m_settings, std::vector<CWEWatchedFolder>{inbox}, services);
}

std::string AnswerWorld::Scalar(const std::string& sql) const
{
    return AnswerProject::Scalar(Database(), sql);
}

long long AnswerWorld::Count(const std::string& where) const
{
    return AnswerProject::Count(Database(), where);
}

bool AnswerWorld::WaitForRecords(long long count, int seconds) const
{
    return AnswerProject::WaitForRecords(Database(), count, seconds);
}

std::string AnswerWorld::LogText() const
{
    std::string text;
    for (const auto& entry : fs::directory_iterator(LogFolder()))
        text += ReadFile(entry.path());
    return text;
}

std::vector<AnswerWorld::MessageState> AnswerWorld::Messages(const std::string& folderId) const
{
    CComPtr<IMAPIFolder> folder = OpenFolder(folderId);
    ULONG markTag = 0;
    CheckHr(GetProcessedPropTag(m_store, markTag), "processed mark tag");
    CComPtr<IMAPITable> table;
    CheckHr(folder->GetContentsTable(0, &table), "GetContentsTable");
    SizedSPropTagArray(2, columns) = {2, {PR_SUBJECT_A, markTag}};
    SizedSSortOrderSet(1, order) = {1, 0, 0, {{PR_MESSAGE_DELIVERY_TIME, TABLE_SORT_ASCEND}}};
    CZrRowSetPtr rows;
    CheckHr(HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr,
                           reinterpret_cast<LPSSortOrderSet>(&order), 0, &rows),
            "contents rows");
    std::vector<MessageState> messages;
    for (ULONG i = 0; rows.get() && i < rows->cRows; ++i) {
        const SPropValue* props = rows->aRow[i].lpProps;
        MessageState state;
        state.subject = props[0].ulPropTag == PR_SUBJECT_A ? props[0].Value.lpszA : "<none>";
        state.processed = props[1].ulPropTag == markTag && props[1].Value.l > 0;
        messages.push_back(state);
    }
    return messages;
}
