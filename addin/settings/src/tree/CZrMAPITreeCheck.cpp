// The folder tree's check states: ticking, unticking, whole subtrees, and
// the parents that follow what happened below them.

#include "tree/CZrMAPITreeCtrl.h"

DWORD CZrMAPITreeCtrl::CheckBitsOf(int state)
{
    switch (state) {
    case kTicked:
    case kContainerTicked:
        return 0x1;
    case kTickedSubtree:
    case kContainerSubtree:
        return 0x3;
    default:
        return 0;
    }
}

UINT CZrMAPITreeCtrl::StateImageOf(int state)
{
    // The tree shows three boxes, and the box tells how much of the
    // subtree is watched: a folder ticked without all of its subtree, or
    // not ticked over ticked folders, is partly ticked, so that a store
    // with some folders ticked never looks wholly ticked.
    switch (state) {
    case kUnticked:
        return kImageEmpty;
    case kTickedSubtree:
    case kContainerSubtree:
        return kImageTicked;
    default:
        return kImagePartly;
    }
}

bool CZrMAPITreeCtrl::TakesCheck(const CZrFolderItem& data) const
{
    return IsWatchable(data.m_nFolderType) || data.m_bMayHaveSubfolders;
}

void CZrMAPITreeCtrl::SetState(CZrFolderItem& data, int state)
{
    data.m_nCheckState = state;
    // A tree without check boxes (the folder picker) shows no state.
    if (!(GetWindowLong(m_hWnd, GWL_STYLE) & static_cast<LONG>(TVS_CHECKBOXES)))
        return;
    SetItemState(data.m_hItem, INDEXTOSTATEIMAGEMASK(StateImageOf(state)), TVIS_STATEIMAGEMASK);
}

CZrMAPITreeCtrl::ChildCounts CZrMAPITreeCtrl::CountChildren(HTREEITEM item) const
{
    ChildCounts counts;
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        const CZrFolderItem* data = DataOf(child);
        if (!data)
            continue;
        ++counts.all;
        if (TakesCheck(*data))
            ++counts.relevant;
        int state = data->m_nCheckState;
        if (state == kTickedSubtree || state == kContainerSubtree)
            ++counts.full;
        if (state >= kTicked && state <= kContainerSubtree)
            ++counts.any;
    }
    return counts;
}

void CZrMAPITreeCtrl::TickSubtree(HTREEITEM item)
{
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        CZrFolderItem* data = DataOf(child);
        if (!data)
            continue;
        if (IsWatchable(data->m_nFolderType))
            SetState(*data, kTickedSubtree);
        else if (data->m_bMayHaveSubfolders || GetChildItem(child))
            SetState(*data, kContainerSubtree);
        TickSubtree(child);
    }
}

void CZrMAPITreeCtrl::UntickSubtree(HTREEITEM item)
{
    for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child)) {
        if (CZrFolderItem* data = DataOf(child))
            SetState(*data, kUnticked);
        UntickSubtree(child);
    }
}

int CZrMAPITreeCtrl::Reevaluated(const CZrFolderItem& data) const
{
    ChildCounts c = CountChildren(data.m_hItem);
    bool whole = c.full >= c.relevant;
    int state = data.m_nCheckState;
    // States 5 and 6 follow the same rules for every folder.
    if (state == kContainerTicked)
        return whole ? kContainerSubtree : state;
    if (state == kContainerSubtree)
        return whole ? state : c.any > 0 ? kUntickedBelow : kUnticked;
    if (!IsWatchable(data.m_nFolderType)) {
        if (state != kUnticked && state != kUntickedBelow)
            return state;
        if (whole)
            return kContainerSubtree;
        return state == kUnticked ? (c.any > 0 ? kUntickedBelow : state) : (c.any == 0 ? kUnticked : state);
    }
    switch (state) {
    case kUnticked:
        return c.any > 0 && c.relevant > 0 ? kUntickedBelow : state;
    case kTicked:
        return whole ? kTickedSubtree : state;
    case kTickedSubtree:
        return whole ? state : kTicked;
    case kUntickedBelow:
        return c.any == 0 ? kUnticked : state;
    default:
        return state;
    }
}

void CZrMAPITreeCtrl::ReevaluateUpward(HTREEITEM item)
{
    for (HTREEITEM parent = GetParentItem(item); parent; parent = GetParentItem(parent)) {
        CZrFolderItem* data = DataOf(parent);
        if (!data)
            return;
        SetState(*data, Reevaluated(*data));
    }
}

void CZrMAPITreeCtrl::UpdateCheckState(HTREEITEM item, CheckOp op)
{
    CZrFolderItem* data = DataOf(item);
    if (!data || !TakesCheck(*data))
        return;
    bool watchable = IsWatchable(data->m_nFolderType);
    bool unloaded = !GetChildItem(item) && data->m_bMayHaveSubfolders;
    ChildCounts c = CountChildren(item);
    switch (op) {
    case CheckOp::Tick:
        if (!watchable)
            return UpdateCheckState(item, CheckOp::TickSubtree);
        SetState(*data, unloaded || c.full < c.relevant ? kTicked : kTickedSubtree);
        break;
    case CheckOp::Untick:
        if (!watchable)
            return UpdateCheckState(item, CheckOp::UntickAll);
        SetState(*data, unloaded || c.full == 0 ? kUnticked : kUntickedBelow);
        break;
    case CheckOp::TickSubtree:
        TickSubtree(item);
        SetState(*data, watchable ? kTickedSubtree : kContainerSubtree);
        break;
    case CheckOp::UntickAll:
        UntickSubtree(item);
        SetState(*data, kUnticked);
        break;
    case CheckOp::Toggle:
        switch (data->m_nCheckState) {
        case kUnticked:
        case kUntickedBelow:
            return UpdateCheckState(item, CheckOp::Tick);
        case kTicked:
        case kContainerTicked:
            return UpdateCheckState(item, CheckOp::TickSubtree);
        default:
            return UpdateCheckState(item, CheckOp::UntickAll);
        }
    case CheckOp::Reevaluate:
        SetState(*data, Reevaluated(*data));
        break;
    }
    ReevaluateUpward(item);
}

void CZrMAPITreeCtrl::OnUserCheck(HTREEITEM item, CheckOp op)
{
    UpdateCheckState(item, op);
    if (m_checkChanged)
        m_checkChanged();
}
