#pragma once
// The picker's list of completed survey projects, sorted by name as the
// user's locale orders words (case aside), each row carrying its project's
// id. Read from the project library once. A click on the empty area below
// the rows does nothing, so the chosen project stays chosen.

#include "log/CWELog.h"

#include "ui/ImageList.h"
#include "ui/ListCtrl.h"

#include <string>
#include <vector>

class CWEProjListCtrl : public CListCtrl {
public:
    struct ProjectItem {
        LONG id = 0;
        std::string name;
    };

    // The column, then the projects; TRUE.
    BOOL Init(CWELog& log);
    // FALSE (with a log entry when the library cannot be reached) when the
    // projects could not be read.
    BOOL LoadProjects(CWELog& log);
    // The project id of a row; 0 for no row.
    LONG GetProjectId(int row) const;
    // The selected row, or -1.
    int GetSelectedRow() const { return GetNextItem(-1, LVNI_SELECTED); }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void InsertSorted(LONG id, const std::string& name);

    std::vector<ProjectItem> m_items;
    CImageList m_images; // bitmap 209: the picture beside every project
};
