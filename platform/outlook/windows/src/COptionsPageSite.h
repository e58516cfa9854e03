#pragma once
// The Options dialog's side of an add-in's page: the page says its state
// changed, and the dialog asks every page again whether Apply has work.

#include "OutlookPropertyPage.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <functional>

namespace pollenta::outlook {

class COptionsPageSite
    : public pollenta::com::CUnknownImpl<COptionsPageSite, pollenta::com::CDispatchImpl<COptionsPageSite, PropertyPageSite>> {
public:
    // Nothing is reached late-bound.
    static std::span<const pollenta::com::DispatchMember<COptionsPageSite>> DispatchMembers() { return {}; }

    void SetStatusChangeSink(std::function<void()> sink) { m_sink = std::move(sink); }

    STDMETHODIMP OnStatusChange() override
    {
        if (m_sink)
            m_sink();
        return S_OK;
    }

private:
    std::function<void()> m_sink;
};

}  // namespace pollenta::outlook
