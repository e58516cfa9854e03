#include "SenderStamp.h"

#include "EntryId.h"
#include "FileTime.h"
#include "MapiError.h"
#include "mapi/MapiCodes.h"

#include <sys/random.h>

#include <cstdio>

namespace pollenta::mapi {

namespace {

std::string Text(const CPropMap& props, ULONG tag)
{
    auto it = props.find(PROP_ID(tag));
    return it == props.end() || (it->second.Type() != PT_STRING8 && it->second.Type() != PT_UNICODE)
               ? std::string()
               : it->second.Text();
}

bool Has(const CPropMap& props, ULONG tag) { return props.count(PROP_ID(tag)) != 0; }

std::string Domain(const std::string& address)
{
    std::size_t at = address.rfind('@');
    std::string domain = at == std::string::npos ? std::string() : address.substr(at + 1);
    return domain.empty() ? "localhost" : domain;
}

void RefuseRecipientsWithoutAddress(const CMessageContent& content)
{
    for (const CPropMap& recipient : content.m_recipients) {
        if (!Text(recipient, PR_SMTP_ADDRESS_A).empty() || !Text(recipient, PR_EMAIL_ADDRESS_A).empty()) continue;
        std::string name = Text(recipient, PR_DISPLAY_NAME_A);
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "The recipient \"" + name + "\" of \"" +
                                                       Text(content.m_props, PR_SUBJECT_A) +
                                                       "\" has no address; the message stays in the Outbox");
    }
}

}  // namespace

std::string NewMessageId(const std::string& senderAddress)
{
    unsigned char random[16] = {};
    if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random))
        throw CMapiError(MAPI_E_CALL_FAILED, "No random bytes for a message id");
    char text[2 * sizeof random + 1] = {};
    for (std::size_t i = 0; i < sizeof random; ++i) std::snprintf(text + 2 * i, 3, "%02x", random[i]);
    return std::string(text) + "@" + Domain(senderAddress);
}

std::vector<CPropValue> CSenderStamp::SenderProps(ULONG nameTag, ULONG addressTag, ULONG typeTag, ULONG entryIdTag,
                                                  ULONG searchKeyTag) const
{
    const std::string& address = m_identity.address;
    std::string name = m_identity.name.empty() ? address : m_identity.name;
    return {CPropValue::String(nameTag, name), CPropValue::String(addressTag, address),
            CPropValue::String(typeTag, "SMTP"),
            CPropValue::Binary(entryIdTag, CEntryId::ForOneOff(name, "SMTP", address)),
            CPropValue::Binary(searchKeyTag, SmtpSearchKey(address))};
}

std::vector<CPropValue> CSenderStamp::Apply(CMessageContent& content) const
{
    RefuseRecipientsWithoutAddress(content);
    CPropMap& props = content.m_props;
    std::vector<CPropValue> added;
    bool hasSender = !Text(props, PR_SENDER_EMAIL_ADDRESS_A).empty();
    bool hasRepresenting = !Text(props, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A).empty();
    if ((!hasSender || !hasRepresenting) && m_identity.address.empty()) {
        if (!hasSender && !hasRepresenting)
            throw CMapiError(MAPI_E_CALL_FAILED,
                             "The profile \"" + m_profile + "\" has no sender address, so \"" +
                                 Text(props, PR_SUBJECT_A) +
                                 "\" stays in the Outbox; give the profile one with create-profile --address");
    } else {
        if (!hasSender)
            for (CPropValue& value : SenderProps(PR_SENDER_NAME_A, PR_SENDER_EMAIL_ADDRESS_A, PR_SENDER_ADDRTYPE_A,
                                                 PR_SENDER_ENTRYID, PR_SENDER_SEARCH_KEY))
                added.push_back(std::move(value));
        if (!hasRepresenting)
            for (CPropValue& value : SenderProps(PR_SENT_REPRESENTING_NAME_A, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A,
                                                 PR_SENT_REPRESENTING_ADDRTYPE_A, PR_SENT_REPRESENTING_ENTRYID,
                                                 PR_SENT_REPRESENTING_SEARCH_KEY))
                added.push_back(std::move(value));
    }
    if (!Has(props, PR_CLIENT_SUBMIT_TIME)) added.push_back(CPropValue::Time(PR_CLIENT_SUBMIT_TIME, NowFileTime()));
    if (Text(props, PR_INTERNET_MESSAGE_ID_A).empty()) {
        std::string sender = hasSender ? Text(props, PR_SENDER_EMAIL_ADDRESS_A)
                             : hasRepresenting ? Text(props, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A)
                                               : m_identity.address;
        added.push_back(CPropValue::String(PR_INTERNET_MESSAGE_ID_A, NewMessageId(sender)));
    }
    for (const CPropValue& value : added) props[PROP_ID(value.Tag())] = value;
    return added;
}

}  // namespace pollenta::mapi
