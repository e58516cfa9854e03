#pragma once
// Settings windows on a real MAPI profile, offscreen: message boxes and
// choosers are answered by the test, and pictures of the windows go to the
// build folder.

#include "AnsweredWindows.h"
#include "MapiTestSupport.h"

#include "zr/CZrEntryID.h"

#include "mapi/MapiFlags.h"

class SettingsWindowTest : public CMapiTest, public AnsweredWindows {
public:
    void SetUp() override
    {
        StartAnswering();
        CMapiTest::SetUp();
    }

    void TearDown() override
    {
        StopAnswering();
        CMapiTest::TearDown();
    }

    static CZrEntryID Id(const std::string& bytes)
    {
        CZrEntryID id;
        id.Set(static_cast<ULONG>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
        return id;
    }

    // A new folder under `parent`, with a container class unless empty; its
    // entry id.
    std::string AddFolder(IMAPIFolder* parent, const std::string& name, const std::string& containerClass = "IPF.Note")
    {
        CComPtr<IMAPIFolder> folder;
        EXPECT_EQ(S_OK, parent->CreateFolder(FOLDER_GENERIC, const_cast<char*>(name.c_str()), nullptr, nullptr, 0,
                                             &folder));
        if (!folder)
            return {};
        if (!containerClass.empty()) {
            SetString(folder, PR_CONTAINER_CLASS_A, containerClass);
            EXPECT_EQ(S_OK, folder->SaveChanges(KEEP_OPEN_READWRITE));
        }
        return EntryIdProp(folder);
    }

    CComPtr<IMAPIFolder> Subtree(IMsgStore* store) { return SpecialFolder(store, PR_IPM_SUBTREE_ENTRYID); }

    // A new folder of the main store under the folder `parentId`, or at the
    // top of its message tree when that is empty; its entry id.
    std::string AddFolderIn(const std::string& parentId, const std::string& name,
                            const std::string& containerClass = "IPF.Note")
    {
        CComPtr<IMAPIFolder> parent = parentId.empty() ? Subtree(m_store) : OpenFolder(m_store, parentId);
        return AddFolder(parent, name, containerClass);
    }
};
