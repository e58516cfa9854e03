#include "TMPersonData.h"

#include "BstrProperty.h"

using pollenta::com::DispatchMember;

namespace {

constexpr DispatchMember<TMPersonData> Members[] = {
    {"AddressType", DISPID_TMPERSONDATA_ADDRESSTYPE, InvokeBstrProperty<TMPersonData, &TMPersonData::get_AddressType>},
    {"Address", DISPID_TMPERSONDATA_ADDRESS, InvokeBstrProperty<TMPersonData, &TMPersonData::get_Address>},
    {"AddressEntryID", DISPID_TMPERSONDATA_ADDRESSENTRYID,
     InvokeBstrProperty<TMPersonData, &TMPersonData::get_AddressEntryID>},
    {"SMTPAddress", DISPID_TMPERSONDATA_SMTPADDRESS, InvokeBstrProperty<TMPersonData, &TMPersonData::get_SMTPAddress>},
    {"DisplayName", DISPID_TMPERSONDATA_DISPLAYNAME, InvokeBstrProperty<TMPersonData, &TMPersonData::get_DisplayName>},
    {"DistListName", DISPID_TMPERSONDATA_DISTLISTNAME,
     InvokeBstrProperty<TMPersonData, &TMPersonData::get_DistListName>},
};

}  // namespace

TMPersonData::TMPersonData(PersonFields fields) : m_fields(std::move(fields)) {}

std::span<const DispatchMember<TMPersonData>> TMPersonData::DispatchMembers()
{
    return Members;
}

STDMETHODIMP TMPersonData::get_AddressType(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.addressType, pVal);
}

STDMETHODIMP TMPersonData::get_Address(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.address, pVal);
}

STDMETHODIMP TMPersonData::get_AddressEntryID(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.addressEntryId, pVal);
}

STDMETHODIMP TMPersonData::get_SMTPAddress(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.smtpAddress, pVal);
}

STDMETHODIMP TMPersonData::get_DisplayName(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.displayName, pVal);
}

STDMETHODIMP TMPersonData::get_DistListName(BSTR* pVal)
{
    return CopyTextToBstr(m_fields.distListName, pVal);
}

STDMETHODIMP TMPersonData::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID_ITMPersonData ? S_OK : S_FALSE;
}
