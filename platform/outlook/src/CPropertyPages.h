#pragma once
// The pages add-ins add to the Options dialog while it opens: each a ProgID
// (or a page object) and a tab title.

#include "OutlookPropertyPages.h"
#include "outlook/OptionsPage.h"

#include "com/ComVariant.h"
#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

#include <string>
#include <vector>

namespace pollenta::outlook {

class CPropertyPages
    : public pollenta::com::CUnknownImpl<CPropertyPages, pollenta::com::CDispatchImpl<CPropertyPages, PropertyPages>> {
public:
    CPropertyPages() = default;

    static std::span<const pollenta::com::DispatchMember<CPropertyPages>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    // E_INVALIDARG for a page that is neither a ProgID nor an object.
    STDMETHODIMP Add(VARIANT page, BSTR title) override;

    const std::vector<OptionsPage>& Pages() const { return m_pages; }

private:
    std::vector<OptionsPage> m_pages;
};

}  // namespace pollenta::outlook
