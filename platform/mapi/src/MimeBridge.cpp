#include "MimeBridge.h"

#include "EntryId.h"
#include "FileTime.h"
#include "MediaTypes.h"
#include "mapi/MapiFlags.h"
#include "win/CodePage.h"

#include <algorithm>
#include <cctype>
#include <strings.h>
#include <utility>

namespace pollenta::mapi {

namespace {

// MIME text is UTF-8; string properties hold the ANSI code page. Binary
// values are taken as they are.
std::string Text(const CPropMap& props, ULONG tag)
{
    auto it = props.find(PROP_ID(tag));
    if (it == props.end()) return {};
    ULONG type = it->second.Type();
    if (type == PT_STRING8 || type == PT_UNICODE) return Recode(it->second.Text(), CP_ACP, CP_UTF8);
    if (type == PT_BINARY) return it->second.Bytes();
    return {};
}

// PR_HTML holds bytes in the message's Internet code page, or in the ANSI
// code page when it names none; they go out as the UTF-8 their part declares,
// bytes that are not text in that code page as U+FFFD.
std::string Html(const CPropMap& props)
{
    auto html = props.find(PROP_ID(PR_HTML));
    if (html == props.end() || html->second.Type() != PT_BINARY) return Text(props, PR_BODY_HTML_A);
    auto cpid = props.find(PROP_ID(PR_INTERNET_CPID));
    UINT codePage = cpid == props.end() ? CP_ACP : static_cast<UINT>(cpid->second.Int());
    if (!IsValidCodePage(codePage)) codePage = CP_ACP;
    return ToNarrow(ToWide(html->second.Bytes(), codePage), CP_UTF8);
}

void Put(CPropMap& props, const CPropValue& value) { props[PROP_ID(value.Tag())] = value; }

void PutText(CPropMap& props, ULONG tag, const std::string& utf8)
{
    if (!utf8.empty()) Put(props, CPropValue::String(tag, Recode(utf8, CP_UTF8, CP_ACP)));
}

// A store names a mailbox that came without a name by its address; on the
// way out it goes as the bare address again.
MimeAddress Mailbox(std::string name, std::string address)
{
    if (name == address) name.clear();
    return {std::move(name), std::move(address)};
}

MimeAddress AddressOf(const CPropMap& recipient)
{
    std::string address = Text(recipient, PR_SMTP_ADDRESS_A);
    if (address.empty()) address = Text(recipient, PR_EMAIL_ADDRESS_A);
    return Mailbox(Text(recipient, PR_DISPLAY_NAME_A), address);
}

MimeAddress SenderOf(const CPropMap& props)
{
    if (std::string address = Text(props, PR_SENDER_EMAIL_ADDRESS_A); !address.empty())
        return Mailbox(Text(props, PR_SENDER_NAME_A), address);
    return Mailbox(Text(props, PR_SENT_REPRESENTING_NAME_A), Text(props, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A));
}

CPropMap RecipientOf(const MimeAddress& address, ULONG type)
{
    CPropMap recipient;
    std::string name = address.name.empty() ? address.address : address.name;
    PutText(recipient, PR_DISPLAY_NAME_A, name);
    PutText(recipient, PR_EMAIL_ADDRESS_A, address.address);
    PutText(recipient, PR_SMTP_ADDRESS_A, address.address);
    Put(recipient, CPropValue::String(PR_ADDRTYPE_A, "SMTP"));
    Put(recipient, CPropValue::Long(PR_RECIPIENT_TYPE, static_cast<LONG>(type)));
    Put(recipient, CPropValue::Long(PR_OBJECT_TYPE, MAPI_MAILUSER));
    Put(recipient, CPropValue::Long(PR_DISPLAY_TYPE, DT_MAILUSER));
    Put(recipient, CPropValue::Binary(PR_ENTRYID, CEntryId::ForOneOff(Recode(name, CP_UTF8, CP_ACP), "SMTP", address.address)));
    Put(recipient, CPropValue::Binary(PR_SEARCH_KEY, SmtpSearchKey(address.address)));
    return recipient;
}

// A message without a Subject header has no subject property, as the real
// client stores it; an empty header gives an empty one.
bool HasSubjectHeader(const std::vector<MimeHeader>& headers)
{
    return std::any_of(headers.begin(), headers.end(),
                       [](const MimeHeader& header) { return strcasecmp(header.name.c_str(), "Subject") == 0; });
}

std::string Extension(const std::string& fileName)
{
    std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

}  // namespace

MimeMessageData CMimeBridge::ToMime(const CMessageContent& content)
{
    const CPropMap& props = content.m_props;
    MimeMessageData mime;
    mime.subject = Text(props, PR_SUBJECT_A);
    mime.from = SenderOf(props);
    for (const CPropMap& recipient : content.m_recipients) {
        auto type = recipient.find(PROP_ID(PR_RECIPIENT_TYPE));
        LONGLONG kind = type == recipient.end() ? MAPI_TO : type->second.Int();
        MimeAddress address = AddressOf(recipient);
        if (kind == MAPI_CC) mime.cc.push_back(address);
        else if (kind == MAPI_BCC) mime.bcc.push_back(address);
        else mime.to.push_back(address);
    }
    auto submitted = props.find(PROP_ID(PR_CLIENT_SUBMIT_TIME));
    mime.date = UnixFromFileTime(submitted != props.end() ? submitted->second.Int() : NowFileTime());
    mime.messageId = Text(props, PR_INTERNET_MESSAGE_ID_A);
    mime.plainBody = Text(props, PR_BODY_A);
    mime.htmlBody = Html(props);
    for (const auto& [num, attachment] : content.m_attachments) {
        MimeAttachment part;
        part.fileName = Text(attachment, PR_ATTACH_LONG_FILENAME_A);
        if (part.fileName.empty()) part.fileName = Text(attachment, PR_ATTACH_FILENAME_A);
        part.contentType = Text(attachment, PR_ATTACH_MIME_TAG_A);
        if (part.contentType.empty()) part.contentType = MediaTypeOfFileName(part.fileName);
        if (part.contentType.empty()) part.contentType = "application/octet-stream";
        part.contentId = Text(attachment, PR_ATTACH_CONTENT_ID_A);
        part.isInline = !part.contentId.empty();
        std::string data = Text(attachment, PR_ATTACH_DATA_BIN);
        part.data.assign(data.begin(), data.end());
        mime.attachments.push_back(std::move(part));
    }
    return mime;
}

CMessageContent CMimeBridge::FromMime(const MimeMessageData& mime, LONGLONG deliveryTime)
{
    CMessageContent content;
    CPropMap& props = content.m_props;
    Put(props, CPropValue::String(PR_MESSAGE_CLASS_A, "IPM.Note"));
    if (HasSubjectHeader(mime.headers)) Put(props, CPropValue::String(PR_SUBJECT_A, Recode(mime.subject, CP_UTF8, CP_ACP)));
    std::string senderName = mime.from.name.empty() ? mime.from.address : mime.from.name;
    if (!mime.from.address.empty()) {
        std::string senderId = CEntryId::ForOneOff(Recode(senderName, CP_UTF8, CP_ACP), "SMTP", mime.from.address);
        for (ULONG tag : {PR_SENDER_NAME_A, PR_SENT_REPRESENTING_NAME_A}) PutText(props, tag, senderName);
        for (ULONG tag : {PR_SENDER_EMAIL_ADDRESS_A, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A})
            PutText(props, tag, mime.from.address);
        for (ULONG tag : {PR_SENDER_ADDRTYPE_A, PR_SENT_REPRESENTING_ADDRTYPE_A}) PutText(props, tag, "SMTP");
        for (ULONG tag : {PR_SENDER_ENTRYID, PR_SENT_REPRESENTING_ENTRYID}) Put(props, CPropValue::Binary(tag, senderId));
        for (ULONG tag : {PR_SENDER_SEARCH_KEY, PR_SENT_REPRESENTING_SEARCH_KEY})
            Put(props, CPropValue::Binary(tag, SmtpSearchKey(mime.from.address)));
    }
    LONGLONG submitted = mime.date ? FileTimeFromUnix(static_cast<std::time_t>(*mime.date)) : deliveryTime;
    Put(props, CPropValue::Time(PR_CLIENT_SUBMIT_TIME, submitted));
    Put(props, CPropValue::Time(PR_MESSAGE_DELIVERY_TIME, deliveryTime));
    Put(props, CPropValue::Long(PR_MESSAGE_FLAGS, 0));
    Put(props, CPropValue::Long(PR_INTERNET_CPID, 65001));
    PutText(props, PR_INTERNET_MESSAGE_ID_A, mime.messageId);
    PutText(props, PR_BODY_A, mime.plainBody);
    if (!mime.htmlBody.empty()) Put(props, CPropValue::Binary(PR_HTML, mime.htmlBody));
    std::string headers;
    for (const MimeHeader& header : mime.headers) headers += header.name + ": " + header.value + "\r\n";
    PutText(props, PR_TRANSPORT_MESSAGE_HEADERS_A, headers);

    for (const MimeAddress& address : mime.to) content.m_recipients.push_back(RecipientOf(address, MAPI_TO));
    for (const MimeAddress& address : mime.cc) content.m_recipients.push_back(RecipientOf(address, MAPI_CC));
    for (const MimeAddress& address : mime.bcc) content.m_recipients.push_back(RecipientOf(address, MAPI_BCC));
    for (std::size_t i = 0; i < content.m_recipients.size(); ++i)
        Put(content.m_recipients[i], CPropValue::Long(PR_ROWID, static_cast<LONG>(i)));

    ULONG num = 0;
    for (const MimeAttachment& part : mime.attachments) {
        CPropMap attachment;
        Put(attachment, CPropValue::Long(PR_ATTACH_METHOD, ATTACH_BY_VALUE));
        PutText(attachment, PR_ATTACH_LONG_FILENAME_A, part.fileName);
        PutText(attachment, PR_ATTACH_FILENAME_A, part.fileName);
        PutText(attachment, PR_DISPLAY_NAME_A, part.fileName);
        PutText(attachment, PR_ATTACH_EXTENSION_A, Extension(part.fileName));
        PutText(attachment, PR_ATTACH_MIME_TAG_A, part.contentType);
        PutText(attachment, PR_TEXT_ATTACHMENT_CHARSET_A, part.charset);
        PutText(attachment, PR_ATTACH_CONTENT_ID_A, part.contentId);
        Put(attachment, CPropValue::Long(PR_RENDERING_POSITION, -1));
        Put(attachment, CPropValue::Binary(PR_ATTACH_DATA_BIN, std::string(part.data.begin(), part.data.end())));
        content.m_attachments[num++] = std::move(attachment);
    }
    content.UpdateDerived();
    return content;
}

}  // namespace pollenta::mapi
