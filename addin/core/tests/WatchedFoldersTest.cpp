// The watched-folder list built from folder records over a real store:
// which folders count as mail folders and how subfolders are walked.

#include "ConnectTestSupport.h"

#include "mapi/MapiUtil.h"

namespace {

struct FolderSpec {
    const char* name;
    const char* containerClass;  // null: the parent's, as a new folder gets it; "": none
    const char* parent;          // null: the top of the store
};

}  // namespace

class WatchedFoldersTest : public CConnectTest {
public:
    void SetUp() override
    {
        CConnectTest::SetUp();
        const FolderSpec folders[] = {
            {"Contacts", "IPF.Contact", nullptr}, {"Answers", "IPF.Note", "Contacts"},    {"Bare", "", "Contacts"},
            {"Tasks", "IPF.Task", "Contacts"},    {"Custom", "IPF.Note.Survey", nullptr}, {"Plain", nullptr, nullptr},
            {"Mail", "IPF.Note", nullptr},        {"Inner", "IPF.Note.Survey", "Mail"},   {"Deep", "IPF.Note", "Inner"},
        };
        for (const FolderSpec& spec : folders)
            Make(spec);
        ASSERT_EQ(S_OK, Connect(m_application));
    }

    void Make(const FolderSpec& spec)
    {
        CComPtr<IMAPIFolder> parent =
            spec.parent ? OpenFolder(m_store, m_ids[spec.parent]) : SpecialFolder(m_store, PR_IPM_SUBTREE_ENTRYID);
        CComPtr<IMAPIFolder> folder;
        ASSERT_EQ(S_OK,
                  parent->CreateFolder(FOLDER_GENERIC, const_cast<char*>(spec.name), nullptr, nullptr, 0, &folder));
        if (spec.containerClass && *spec.containerClass) {
            SetString(folder, PR_CONTAINER_CLASS_A, spec.containerClass);
        } else if (spec.containerClass) {
            SizedSPropTagArray(1, tags) = {1, {PR_CONTAINER_CLASS_A}};
            ASSERT_EQ(S_OK, folder->DeleteProps(reinterpret_cast<LPSPropTagArray>(&tags), nullptr));
        }
        ASSERT_EQ(S_OK, folder->SaveChanges(0));
        m_ids[spec.name] = EntryIdProp(folder);
    }

    CWEWatchedFolder Record(const std::string& folder, DWORD flags)
    {
        CWEWatchedFolder record;
        record.m_StoreId.Set(static_cast<ULONG>(m_storeId.size()), reinterpret_cast<const BYTE*>(m_storeId.data()));
        record.m_FolderId.Set(static_cast<ULONG>(m_ids[folder].size()),
                              reinterpret_cast<const BYTE*>(m_ids[folder].data()));
        record.m_dwFlags = flags;
        return record;
    }

    // The names of the folders watched for one record of `folder` with `flags`.
    std::vector<std::string> Watched(const std::string& folder, DWORD flags)
    {
        g_pAddin->m_Settings.m_arrFolders = {Record(folder, flags)};
        g_pAddin->RebuildWatchedFolders();
        return WatchedNames();
    }

    std::vector<std::string> WatchedNames()
    {
        std::vector<std::string> names;
        for (const CWEWatchedFolder& watched : g_pAddin->m_arrWatchedFolders) {
            EXPECT_EQ(CWEWatchedFolder::kWatchFolder, watched.m_dwFlags);
            const std::string id(reinterpret_cast<const char*>(watched.m_FolderId.Bytes()), watched.m_FolderId.Size());
            for (const auto& [name, known] : m_ids)
                if (known == id)
                    names.push_back(name);
        }
        return names;
    }

    std::map<std::string, std::string> m_ids;
};

TEST_F(WatchedFoldersTest, OnlyMailFoldersAreWatchedAndSubfoldersAreWalkedThroughOthers)
{
    struct Case {
        const char* folder;
        DWORD flags;
        std::vector<std::string> watched;
    } cases[] = {
        {"Contacts", 3, {"Answers", "Bare"}},
        {"Contacts", 2, {}},
        {"Contacts", 1, {}},
        {"Custom", 1, {}},
        {"Plain", 1, {"Plain"}},
        {"Mail", 1, {"Mail"}},
        {"Mail", 3, {"Mail", "Deep"}},
        {"Mail", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " flags " + std::to_string(c.flags));
        EXPECT_EQ(c.watched, Watched(c.folder, c.flags));
    }
}

TEST_F(WatchedFoldersTest, ARecordOfAFolderThatIsGoneIsSkippedAndTheOthersStay)
{
    CWEWatchedFolder gone;
    gone.m_StoreId.Set(static_cast<ULONG>(m_storeId.size()), reinterpret_cast<const BYTE*>(m_storeId.data()));
    const BYTE missing[] = {1, 2, 3};
    gone.m_FolderId.Set(sizeof missing, missing);
    gone.m_dwFlags = 1;
    ASSERT_EQ((std::vector<std::string>{"Plain"}), Watched("Plain", 1));
    g_pAddin->m_Settings.m_arrFolders.insert(g_pAddin->m_Settings.m_arrFolders.begin(), gone);
    g_pAddin->RebuildWatchedFolders();
    EXPECT_EQ(1u, g_pAddin->m_arrWatchedFolders.size());
    std::vector<CWEWatchedFolder> target;
    EXPECT_EQ(S_FALSE, g_pAddin->AddWatchedFolder(CWEWatchedFolder{gone.m_StoreId, gone.m_FolderId, 2, ""}, target));
}

TEST_F(WatchedFoldersTest, TheOptionsPageReachesTheRunningAddInAndSwapsInTheFoldersItTickedBetweenPauseAndResume)
{
    IWEOptionsHost* host = GetOptionsHost();
    ASSERT_EQ(static_cast<IWEOptionsHost*>(g_pAddin), host);
    EXPECT_EQ(g_pAddin->m_spSession.p, host->GetSession());
    EXPECT_EQ(&g_pAddin->m_Settings, &host->GetLiveSettings());
    ASSERT_TRUE(host->PauseCollection(10000));
    const CWEWatchedFolder* before = g_pAddin->m_arrWatchedFolders.data();
    host->GetLiveSettings().m_arrFolders = {Record("Mail", 3)};
    host->RebuildWatchedFolders();
    host->ResumeCollection();
    EXPECT_EQ((std::vector<std::string>{"Mail", "Deep"}), WatchedNames());
    EXPECT_NE(before, g_pAddin->m_arrWatchedFolders.data()) << "the list is swapped as a whole";

    ASSERT_EQ(S_OK, Disconnect());
    EXPECT_EQ(nullptr, GetOptionsHost());
    EXPECT_TRUE(host->PauseCollection(0)) << "nothing runs, nothing to wait for";
}
