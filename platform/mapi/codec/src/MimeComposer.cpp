#include "MimeComposer.h"

#include "GObjectRef.h"
#include "QuotedPrintable.h"

#include <array>
#include <string>
#include <string_view>

namespace {

// Headers that the composer writes from the message's own fields.
bool IsWrittenFromFields(const std::string& name)
{
    static constexpr std::array<std::string_view, 7> kNames = {"from", "to", "cc", "bcc", "subject", "date",
                                                               "message-id"};
    for (std::string_view known : kNames) {
        if (g_ascii_strcasecmp(name.c_str(), std::string(known).c_str()) == 0)
            return true;
    }
    return g_ascii_strcasecmp(name.c_str(), "mime-version") == 0 ||
           g_ascii_strncasecmp(name.c_str(), "content-", 8) == 0;
}

// Printable ASCII without the colon; anything else would break the header block.
bool IsValidHeaderName(const std::string& name)
{
    if (name.empty())
        return false;
    for (char c : name) {
        if (c < 33 || c > 126 || c == ':')
            return false;
    }
    return true;
}

void AddMailboxes(GMimeMessage* message, GMimeAddressType type, const std::vector<MimeAddress>& list)
{
    for (const MimeAddress& mailbox : list)
        g_mime_message_add_mailbox(message, type, mailbox.name.empty() ? nullptr : mailbox.name.c_str(),
                                   mailbox.address.c_str());
}

// `bytes` are in `encoding` already; the writer passes them on as they are
// when the part is written in that same encoding.
void SetContent(GMimePart* part, std::string_view bytes, GMimeContentEncoding encoding)
{
    GObjectRef<GMimeStream> stream(g_mime_stream_mem_new());
    g_mime_stream_write(stream.get(), bytes.data(), bytes.size());
    g_mime_stream_reset(stream.get());
    GObjectRef<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), encoding));
    g_mime_part_set_content(part, content.get());
}

std::string QuotedPrintableWithSoftEnd(std::string_view text)
{
    std::string encoded = EncodeQuotedPrintable(text);
    if (!encoded.ends_with('\n'))
        encoded += "=\n";
    return encoded;
}

// Adds `part` to `multipart`, which takes its own reference.
void AddOwned(GMimeMultipart* multipart, GMimeObject* part)
{
    g_mime_multipart_add(multipart, part);
    g_object_unref(part);
}

} // namespace

std::vector<BYTE> MimeComposer::Compose() const
{
    GObjectRef<GMimeMessage> built(Build());
    GMimeFormatOptions* format = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(format, GMIME_NEWLINE_FORMAT_DOS);
    GObjectRef<GMimeStream> sink(g_mime_stream_mem_new());
    g_mime_object_write_to_stream(GMIME_OBJECT(built.get()), format, sink.get());
    g_mime_format_options_free(format);
    const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(sink.get()));
    return std::vector<BYTE>(bytes->data, bytes->data + bytes->len);
}

GMimeMessage* MimeComposer::Build() const
{
    GMimeMessage* message = g_mime_message_new(TRUE);
    AddHeaders(message);
    GMimeObject* body = BuildBody();
    g_mime_message_set_mime_part(message, body);
    g_object_unref(body);
    return message;
}

void MimeComposer::AddHeaders(GMimeMessage* message) const
{
    if (!m_in.from.address.empty() || !m_in.from.name.empty())
        AddMailboxes(message, GMIME_ADDRESS_TYPE_FROM, {m_in.from});
    AddMailboxes(message, GMIME_ADDRESS_TYPE_TO, m_in.to);
    AddMailboxes(message, GMIME_ADDRESS_TYPE_CC, m_in.cc);
    AddMailboxes(message, GMIME_ADDRESS_TYPE_BCC, m_in.bcc);
    g_mime_message_set_subject(message, m_in.subject.c_str(), "utf-8");
    if (m_in.date) {
        GDateTime* date = g_date_time_new_from_unix_utc(*m_in.date);
        if (date) {
            g_mime_message_set_date(message, date);
            g_date_time_unref(date);
        }
    }
    if (!m_in.messageId.empty())
        g_mime_message_set_message_id(message, m_in.messageId.c_str());
    for (const MimeHeader& header : m_in.headers) {
        if (IsValidHeaderName(header.name) && !IsWrittenFromFields(header.name))
            g_mime_object_append_header(GMIME_OBJECT(message), header.name.c_str(), header.value.c_str(), "utf-8");
    }
}

bool MimeComposer::TravelsWithHtml(const MimeAttachment& attachment) const
{
    return attachment.isInline && !attachment.contentId.empty() && !m_in.htmlBody.empty();
}

GMimeObject* MimeComposer::BuildHtml() const
{
    GMimeObject* html = TextPart("html", m_in.htmlBody);
    GMimeMultipart* related = nullptr;
    for (const MimeAttachment& attachment : m_in.attachments) {
        if (!TravelsWithHtml(attachment))
            continue;
        if (!related) {
            related = g_mime_multipart_new_with_subtype("related");
            g_mime_object_set_content_type_parameter(GMIME_OBJECT(related), "type", "text/html");
            AddOwned(related, html);
        }
        AddOwned(related, AttachmentPart(attachment));
    }
    return related ? GMIME_OBJECT(related) : html;
}

GMimeObject* MimeComposer::BuildBody() const
{
    GMimeObject* body = nullptr;
    if (!m_in.htmlBody.empty() && !m_in.plainBody.empty()) {
        GMimeMultipart* alternative = g_mime_multipart_new_with_subtype("alternative");
        AddOwned(alternative, TextPart("plain", m_in.plainBody));
        AddOwned(alternative, BuildHtml());
        body = GMIME_OBJECT(alternative);
    } else if (!m_in.htmlBody.empty()) {
        body = BuildHtml();
    } else {
        body = TextPart("plain", m_in.plainBody);
    }

    GMimeMultipart* mixed = nullptr;
    for (const MimeAttachment& attachment : m_in.attachments) {
        if (TravelsWithHtml(attachment))
            continue;
        if (!mixed) {
            mixed = g_mime_multipart_new_with_subtype("mixed");
            AddOwned(mixed, body);
        }
        AddOwned(mixed, AttachmentPart(attachment));
    }
    return mixed ? GMIME_OBJECT(mixed) : body;
}

GMimeObject* MimeComposer::TextPart(const char* subtype, const std::string& text)
{
    // The UTF-8 bytes go in as they are: GMime's own text setter converts to
    // the smallest charset that holds the text, which is not what the label says.
    GMimePart* part = GMIME_PART(g_mime_text_part_new_with_subtype(subtype));
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", "utf-8");
    SetContent(part, text, GMIME_CONTENT_ENCODING_DEFAULT);
    GMimeContentEncoding encoding = g_mime_part_get_best_content_encoding(part, GMIME_ENCODING_CONSTRAINT_7BIT);
    // The writer ends a message's only part with a line break when its text
    // has none; a closing soft line break ends the encoded text instead,
    // adding nothing to the decoded text. Base64 marks the end by itself.
    if (!text.empty() && !text.ends_with('\n') && encoding != GMIME_CONTENT_ENCODING_BASE64) {
        encoding = GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE;
        SetContent(part, QuotedPrintableWithSoftEnd(text), encoding);
    }
    g_mime_part_set_content_encoding(part, encoding);
    return GMIME_OBJECT(part);
}

GMimeObject* MimeComposer::AttachmentPart(const MimeAttachment& attachment)
{
    std::string type = attachment.contentType.empty() ? "application/octet-stream" : attachment.contentType;
    GMimeObject* part = nullptr;
    if (type == "message/rfc822")
        part = EmbeddedMessage(attachment.data);
    // Other container types cannot carry opaque bytes; they go as plain data.
    if (!part && (type.starts_with("multipart/") || type.starts_with("message/") ||
                  type.find('/') == std::string::npos))
        type = "application/octet-stream";
    if (!part)
        part = DataPart(type, attachment.data);
    g_mime_object_set_disposition(part, attachment.isInline ? "inline" : "attachment");
    if (!attachment.fileName.empty()) {
        g_mime_object_set_content_disposition_parameter(part, "filename", attachment.fileName.c_str());
        g_mime_object_set_content_type_parameter(part, "name", attachment.fileName.c_str());
    }
    if (!attachment.contentId.empty())
        g_mime_object_set_content_id(part, attachment.contentId.c_str());
    return part;
}

GMimeObject* MimeComposer::DataPart(const std::string& type, const std::vector<BYTE>& data)
{
    const std::size_t slash = type.find('/');
    GMimePart* part = g_mime_part_new_with_type(type.substr(0, slash).c_str(), type.substr(slash + 1).c_str());
    SetContent(part, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
               GMIME_CONTENT_ENCODING_DEFAULT);
    // Base64 keeps every byte, line ends included, whatever the type.
    g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    return GMIME_OBJECT(part);
}

GMimeObject* MimeComposer::EmbeddedMessage(const std::vector<BYTE>& data)
{
    // An attached message travels as a message, never encoded; bytes that do
    // not read as one go as plain data instead.
    GObjectRef<GMimeStream> stream(g_mime_stream_mem_new());
    g_mime_stream_write(stream.get(), reinterpret_cast<const char*>(data.data()), data.size());
    g_mime_stream_reset(stream.get());
    GObjectRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    GObjectRef<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    if (!message)
        return nullptr;
    return GMIME_OBJECT(g_mime_message_part_new_with_message("rfc822", message.get()));
}
