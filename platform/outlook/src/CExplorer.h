#pragma once
// A window on a folder, with its own command bars. Activate and Close tell
// the ExplorerEvents sinks; Close also leaves the collection.

#include "CCommandBars.h"
#include "OutlookContext.h"
#include "OutlookExplorers.h"
#include "OutlookNameSpace.h"

#include "com/ConnectionPointImpl.h"

namespace pollenta::outlook {

class CExplorers;

class CExplorer : public pollenta::com::CUnknownImpl<CExplorer, pollenta::com::CDispatchImpl<CExplorer, _Explorer>,
                                                     pollenta::com::CConnectionPointContainerImpl> {
public:
    CExplorer(CExplorers* owner, MAPIFolder* folder);

    static std::span<const pollenta::com::DispatchMember<CExplorer>> DispatchMembers();

    STDMETHODIMP get_CommandBars(_CommandBars** bars) override;
    STDMETHODIMP get_CurrentFolder(MAPIFolder** folder) override;
    STDMETHODIMP put_CurrentFolder(MAPIFolder* folder) override;
    STDMETHODIMP get_Caption(BSTR* caption) override;
    STDMETHODIMP Activate() override;
    STDMETHODIMP Close() override;

    CCommandBars* Bars() const { return m_bars; }
    // Tells the sinks that it closed; the collection has let it go.
    void NotifyClosed();
    void Disown() { m_owner = nullptr; }

private:
    CExplorers* m_owner;
    CComPtr<MAPIFolder> m_folder;
    CComPtr<CCommandBars> m_bars;
    pollenta::com::CConnectionPointImpl m_events;
    bool m_closed = false;
};

}  // namespace pollenta::outlook
