// The macro values of one copy: what each registered macro stands for with
// this recipient, put into the copy's subject and bodies.

#include "CWEPersonalSender.h"
#include "MacroMerge.h"
#include "OwnerMacro.h"
#include "RecipientIdentity.h"

#include "classes/TMMacros.h"
#include "classes/TMMailItem.h"
#include "classes/TMPersonData.h"
#include "lang/CWELanguages.h"
#include "mapisender/HexText.h"

#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/Text.h"
#include "mapi/IDistList.h"
#include "mapi/MapiUtil.h"


namespace {

constexpr DWORD MSG_MACRO_FATAL = 0xC00022BD;
constexpr DWORD MSG_MACRO_ADDRESS = 0xC00022BE;
constexpr DWORD MSG_MACRO_NAME = 0xC00022BF;
constexpr DWORD MSG_MACRO_SUBJECT = 0xC00022C0;
constexpr std::uint32_t kTextNoListName = 1011;

// What one recipient's dynamic macros stand for, each worked out once.
struct RecipientValues {
    IMailUser* user;
    IDistList* parentList;
    std::string email;
    std::string name;
    std::string listName;

    HRESULT Email()
    {
        return email.empty() ? GetRecipientSmtpAddress(user, email) : S_OK;
    }
    HRESULT Name()
    {
        return name.empty() ? GetRecipientName(user, name) : S_OK;
    }
    const std::string& ListName()
    {
        if (listName.empty() && parentList)
            listName = StringProp(parentList, PR_DISPLAY_NAME_A);
        if (listName.empty())
            listName = Languages().LoadLangString(kTextNoListName);
        return listName;
    }
};

PersonFields PersonFieldsOf(RecipientValues& recipient)
{
    PersonFields fields;
    fields.addressType = StringProp(recipient.user, PR_ADDRTYPE_A);
    fields.address = StringProp(recipient.user, PR_EMAIL_ADDRESS_A);
    LPSPropValue entryId = nullptr;
    if (SUCCEEDED(HrGetOneProp(recipient.user, PR_ENTRYID, &entryId)) && entryId &&
        PROP_TYPE(entryId->ulPropTag) == PT_BINARY)
        fields.addressEntryId = HexTextOfBytes(entryId->Value.bin.cb, entryId->Value.bin.lpb);
    MAPIFreeBuffer(entryId);
    fields.smtpAddress = recipient.email;
    fields.displayName = recipient.name;
    fields.distListName = recipient.ListName();
    return fields;
}

}  // namespace

HRESULT CWEPersonalSender::ComputeMacroValues(IMessage* copy, IDistList* parentList, IMailUser* user)
{
    if (!m_pOwner) {
        FormatSendError(MSG_MACRO_FATAL, {"Code 028", "Code 028"});
        return E_FAIL;
    }
    std::vector<MacroRecord>& records = m_pOwner->Macros();
    if (records.empty())
        return S_OK;
    RecipientValues recipient{user, parentList, {}, {}, {}};
    MacroValueList values;
    for (MacroRecord& record : records) {
        if (!record.dynamic) {
            values.push_back({record.key, record.value});
            continue;
        }
        switch (record.dynamicCode) {
        case dfRecipientEmail:
            if (FAILED(recipient.Email())) {
                FormatSendError(MSG_MACRO_ADDRESS, {"Code 030"});
                return E_FAIL;
            }
            values.push_back({record.key, recipient.email});
            break;
        case dfRecipientName:
            if (FAILED(recipient.Name())) {
                FormatSendError(MSG_MACRO_NAME, {"Code 031"});
                return E_FAIL;
            }
            values.push_back({record.key, recipient.name});
            break;
        case dfDistListName:
            values.push_back({record.key, recipient.ListName()});
            break;
        case dfRecipientFirstName:
            recipient.Name();
            values.push_back({record.key, FirstNameOf(recipient.name)});
            break;
        case dfRecipientLastName:
            recipient.Name();
            values.push_back({record.key, LastNameOf(recipient.name)});
            break;
        case dfOwnerEvaluate:
            recipient.Email();
            recipient.Name();
            if (FAILED(EvaluateOwnerMacro(*m_pOwner, record.name, PersonFieldsOf(recipient), record.value))) {
                FormatSendError(MSG_MACRO_FATAL, {"Code 028", "Code 028"});
                return E_FAIL;
            }
            values.push_back({record.key, record.value});
            break;
        default:
            break;
        }
    }
    if (FAILED(MergeSubjectMacros(copy, values))) {
        FormatSendError(MSG_MACRO_SUBJECT, {"Code 032"});
        return E_FAIL;
    }
    MergeMacros(copy, values);
    return S_OK;
}
