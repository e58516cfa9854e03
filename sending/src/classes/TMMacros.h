#pragma once
// TMMacros: a macro handed to the client's EvaluateMacros handler; the
// handler puts the macro's value for the current recipient into Value.

#include "ITMMacros.h"

#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/UnknownImpl.h"

#include <span>
#include <string>

class TMMacros
    : public pollenta::com::CUnknownImpl<TMMacros, pollenta::com::CDispatchImpl<TMMacros, ITMMacros>, ISupportErrorInfo> {
public:
    TMMacros(std::string name, std::string value);

    static std::span<const pollenta::com::DispatchMember<TMMacros>> DispatchMembers();

    STDMETHODIMP get_Name(BSTR* pVal) override;
    // Always VT_BSTR.
    STDMETHODIMP get_Value(VARIANT* pVal) override;
    // Converts to text; a value that cannot be converted leaves the text as
    // it was and gives the conversion's failure.
    STDMETHODIMP put_Value(VARIANT newVal) override;
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override;

    const std::string& Value() const { return m_strValue; }

private:
    std::string m_strName;
    std::string m_strValue;
};
