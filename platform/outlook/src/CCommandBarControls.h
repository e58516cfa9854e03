#pragma once
// The controls of a command bar or of a popup, in their order. Each control
// knows the collection it sits in, so that Index, Delete and Move work on it.

#include "OfficeCommandBars.h"

#include "com/ComPtr.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <string>
#include <vector>

namespace pollenta::outlook {

class CCommandBarControls;

// Hears of every change to the controls of a window's bars.
class CControlsWatcher {
public:
    virtual void ControlsChanged() = 0;

protected:
    ~CControlsWatcher() = default;
};

// The part of a control that its collection works with.
class CControlNode {
public:
    virtual ~CControlNode() = default;
    virtual CommandBarControl* AsControl() = 0;
    // The popup's own controls; null for a button.
    virtual CCommandBarControls* ChildControls() { return nullptr; }
    // What the control shows changed.
    void Changed();

    LONG m_type = msoControlButton;
    LONG m_id = 1;
    std::string m_caption;
    std::string m_tag;
    std::string m_tooltip;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_beginGroup = false;
    CCommandBarControls* m_parent = nullptr;
};

class CCommandBarControls
    : public pollenta::com::CUnknownImpl<CCommandBarControls,
                                         pollenta::com::CDispatchImpl<CCommandBarControls, CommandBarControls>> {
public:
    CCommandBarControls() = default;
    ~CCommandBarControls() override;

    static std::span<const pollenta::com::DispatchMember<CCommandBarControls>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, CommandBarControl** control) override;
    STDMETHODIMP Add(VARIANT type, VARIANT id, VARIANT parameter, VARIANT before, VARIANT temporary,
                     CommandBarControl** control) override;

    // Puts a made control at 0-based `position` (clamped to the end).
    void Insert(CControlNode* node, std::size_t position);
    // Takes the control out; false when it is not here.
    bool Remove(CControlNode* node);
    // 1-based position; 0 when not here.
    LONG IndexOf(const CControlNode* node) const;
    const std::vector<CControlNode*>& Nodes() const { return m_nodes; }

    // A bar's own controls tell `watcher`; a popup's tell through the
    // collection the popup sits in, wherever it is moved to.
    void WatchedBy(CControlsWatcher* watcher) { m_watcher = watcher; }
    void OwnedBy(CControlNode* popup) { m_owner = popup; }
    // A control here, or one of its own, was added, moved, deleted or changed.
    void Changed();

private:
    std::vector<CControlNode*> m_nodes;
    CControlsWatcher* m_watcher = nullptr;
    CControlNode* m_owner = nullptr;
};

inline void CControlNode::Changed()
{
    if (m_parent)
        m_parent->Changed();
}

// A new control of `type` with a built-in `id` and `caption`, put at the end
// of `controls`; null for a type other than button or popup.
CControlNode* AddControl(CCommandBarControls* controls, LONG type, LONG id, const std::string& caption);

}  // namespace pollenta::outlook
