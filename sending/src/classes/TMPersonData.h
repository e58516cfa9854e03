#pragma once
// TMPersonData: the recipient an EvaluateMacros call is about, read-only.

#include "ITMPersonData.h"
#include "PersonFields.h"

#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

#include <span>

class TMPersonData : public pollenta::com::CUnknownImpl<TMPersonData,
                                                        pollenta::com::CDispatchImpl<TMPersonData, ITMPersonData>,
                                                        ISupportErrorInfo> {
public:
    explicit TMPersonData(PersonFields fields);

    static std::span<const pollenta::com::DispatchMember<TMPersonData>> DispatchMembers();

    STDMETHODIMP get_AddressType(BSTR* pVal) override;
    STDMETHODIMP get_Address(BSTR* pVal) override;
    STDMETHODIMP get_AddressEntryID(BSTR* pVal) override;
    STDMETHODIMP get_SMTPAddress(BSTR* pVal) override;
    STDMETHODIMP get_DisplayName(BSTR* pVal) override;
    STDMETHODIMP get_DistListName(BSTR* pVal) override;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    PersonFields m_fields;
};
