#pragma once
// Everything an answer needs to travel end to end, made for real in one
// folder: a registry, a MAPI profile with its store, the project library
// registered by regsvr, a project whose answers go to an SQLite table, the
// add-in's settings and log. Used by the tests, by the collector program
// they run as a child, and by the benchmark; failures throw
// std::runtime_error with what failed.
//
//     AnswerWorld world(folder);
//     world.Create();                       // profile, store, project, table
//     world.Deliver(AnswerEml::Attachment(world.ProjectId(), {{"Name", "Ann"}}));
//     world.Start(processor);               // the Inbox watched
//     world.WaitForRecords(1);

#include "processor/CWEInboxProcessor.h"

#include "log/CWELog.h"
#include "settings/CWESettings.h"

#include "com/ComPtr.h"
#include "mapi/Mapi.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class AnswerWorld {
public:
    static constexpr const char* kProfile = "Answers";

    // Points the process's registry at `folder`/registry.
    explicit AnswerWorld(std::filesystem::path folder);
    ~AnswerWorld();
    AnswerWorld(const AnswerWorld&) = delete;
    AnswerWorld& operator=(const AnswerWorld&) = delete;

    enum class Registration {
        // The project library alone, for the answer collection in this process.
        ProjectLibrary,
        // Everything, by the registration script, for the add-in in a mail host;
        // the add-in logs into LogFolder().
        Everything,
    };

    // Makes the profile, its store, the registration and the project.
    void Create(Registration registration = Registration::ProjectLibrary);
    // Logs on to what Create made (in this or another process).
    void Open();
    // Logs off. A session of the profile takes mail from the drop folder
    // too: a test that hands mail to a host through it holds none.
    void Close();

    IMAPISession* Session() const { return m_session; }
    IMsgStore* Store() const { return m_store; }
    CComPtr<IMAPIFolder> OpenFolder(const std::string& entryId) const;
    std::string StoreId() const { return m_storeId; }
    std::string InboxId() const;
    std::string SpecialFolderId(ULONG tag) const;
    LONG ProjectId() const { return m_projectId; }
    std::string Database() const { return (m_folder / "answers.db").string(); }
    std::filesystem::path LogFolder() const { return m_folder / "logs"; }
    // .eml files that appear here (written whole, then renamed) are
    // delivered into the Inbox by the process that has the profile open.
    std::filesystem::path DropFolder() const { return m_folder / "drop"; }

    // The entry id of the delivered message.
    std::string Deliver(const std::string& eml, IMAPIFolder* folder = nullptr) const;

    CWESettings& Settings() { return m_settings; }
    CWELog& Log() { return m_log; }
    // The Inbox watched, the store's Outbox, Sent Items and Drafts as
    // service folders.
    std::shared_ptr<const CWEWatchSnapshot> Snapshot() const;

    // Answer table.
    long long Count(const std::string& where = "1") const;
    std::string Scalar(const std::string& sql) const;
    // Polls until the table holds `count` records; false after `seconds`.
    bool WaitForRecords(long long count, int seconds = 60) const;
    std::string LogText() const;

    // Messages of a folder: subject and whether the processed mark is set.
    struct MessageState {
        std::string subject;
        bool processed = false;
    };
    std::vector<MessageState> Messages(const std::string& folderId) const;

private:
    void RegisterProjectLibrary() const;
    void RegisterEverything() const;

    std::filesystem::path m_folder;
    std::string m_storeId;
    LONG m_projectId = 0;
    CComPtr<IMAPISession> m_session;
    CComPtr<IMsgStore> m_store;
    CWESettings m_settings;
    CWELog m_log;
    bool m_mapi = false;
    bool m_com = false;
};
