#include "MimeParser.h"

#include "Base64.h"
#include "EncodedWords.h"
#include "GObjectRef.h"
#include "MimeText.h"

#include <strings.h>

#include <string>

namespace {

// Deeper nesting than any mail program writes is an attack on the reader.
constexpr int kMaxDepth = 64;

const char* WarningText(GMimeParserWarning code)
{
    switch (code) {
    case GMIME_WARN_DUPLICATED_HEADER: return "duplicated header";
    case GMIME_WARN_DUPLICATED_PARAMETER: return "duplicated header parameter";
    case GMIME_WARN_UNENCODED_8BIT_HEADER: return "header with unencoded 8-bit text";
    case GMIME_WARN_INVALID_CONTENT_TYPE: return "invalid content type, read as application/octet-stream";
    case GMIME_WARN_INVALID_RFC2047_HEADER_VALUE: return "invalid encoded word in a header";
    case GMIME_WARN_MALFORMED_MULTIPART: return "multipart without parts";
    case GMIME_WARN_TRUNCATED_MESSAGE: return "message is truncated";
    case GMIME_WARN_MALFORMED_MESSAGE: return "message is malformed";
    case GMIME_CRIT_INVALID_HEADER_NAME: return "invalid header name; part of the message may be lost";
    case GMIME_CRIT_CONFLICTING_HEADER: return "conflicting header";
    case GMIME_CRIT_CONFLICTING_PARAMETER: return "conflicting header parameter";
    case GMIME_CRIT_MULTIPART_WITHOUT_BOUNDARY: return "multipart without boundary";
    case GMIME_WARN_INVALID_PARAMETER: return "invalid header parameter";
    case GMIME_WARN_INVALID_ADDRESS_LIST: return "invalid address list";
    case GMIME_CRIT_NESTING_OVERFLOW: return "parts nested too deeply; the inner parts were not read";
    case GMIME_WARN_PART_WITHOUT_CONTENT: return "part without content";
    case GMIME_CRIT_PART_WITHOUT_HEADERS_OR_CONTENT: return "part without headers or content";
    }
    return "irregular message";
}

std::vector<BYTE> BytesOf(GMimeStream* sink)
{
    const GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(sink));
    return std::vector<BYTE>(bytes->data, bytes->data + bytes->len);
}

std::vector<BYTE> DecodedContent(GMimePart* part)
{
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content)
        return {};
    GObjectRef<GMimeStream> sink(g_mime_stream_mem_new());
    // GMime's decoder drops the last group of unpadded base64.
    if (g_mime_data_wrapper_get_encoding(content) == GMIME_CONTENT_ENCODING_BASE64) {
        GMimeStream* encoded = g_mime_data_wrapper_get_stream(content);
        g_mime_stream_reset(encoded);
        g_mime_stream_write_to_stream(encoded, sink.get());
        return DecodeBase64(BytesOf(sink.get()));
    }
    g_mime_data_wrapper_write_to_stream(content, sink.get());
    return BytesOf(sink.get());
}

const char* RawValue(GMimeObject* object, const char* name)
{
    GMimeHeaderList* headers = g_mime_object_get_header_list(object);
    GMimeHeader* header = headers ? g_mime_header_list_get_header(headers, name) : nullptr;
    return header ? g_mime_header_get_raw_value(header) : nullptr;
}

// The parameter `name` of a raw Content-Type or Content-Disposition value.
std::string ParameterOf(GMimeParserOptions* options, const std::string& raw, const char* name)
{
    const std::size_t parameters = raw.find(';');
    if (parameters == std::string::npos)
        return {};
    GObjectRef<GMimeParamList> list(g_mime_param_list_parse(options, raw.c_str() + parameters + 1));
    GMimeParam* param = list ? g_mime_param_list_get_parameter(list.get(), name) : nullptr;
    const char* value = param ? g_mime_param_get_value(param) : nullptr;
    return value ? value : "";
}

std::string Lowered(const char* text)
{
    std::string out = text ? text : "";
    for (char& c : out)
        c = static_cast<char>(g_ascii_tolower(c));
    return out;
}

} // namespace

void MimeParser::OnParserWarning(gint64 offset, GMimeParserWarning code, const gchar* item, gpointer self)
{
    std::string text = WarningText(code);
    if (item && *item)
        text += std::string(" (") + item + ")";
    text += " at byte " + std::to_string(offset);
    static_cast<MimeParser*>(self)->m_out.warnings.push_back(std::move(text));
}

void MimeParser::ReadMessage(GMimeMessage* message)
{
    m_out.subject = SubjectOf(message);
    GMimeObject* object = GMIME_OBJECT(message);
    std::vector<MimeAddress> from;
    ReadAddressHeaders(object, "From", from, "the sender");
    if (!from.empty())
        m_out.from = from.front();
    ReadAddressHeaders(object, "To", m_out.to, "a recipient");
    ReadAddressHeaders(object, "Cc", m_out.cc, "a recipient");
    ReadAddressHeaders(object, "Bcc", m_out.bcc, "a recipient");
    if (GDateTime* date = g_mime_message_get_date(message))
        m_out.date = g_date_time_to_unix(date);
    m_out.messageId = ValidUtf8(g_mime_message_get_message_id(message), "the message id", m_out.warnings);
    ReadHeaders(GMIME_OBJECT(message), m_out.headers);
    if (GMimeObject* body = g_mime_message_get_mime_part(message))
        Walk(body, false, 0);
}

// GMime reads a name with raw 8-bit bytes as windows-1252 before it decodes
// the encoded words in it, so that bytes inside an encoded word were decoded
// twice; the raw header, those bytes escaped, reads as the subject does.
void MimeParser::ReadAddressHeaders(GMimeObject* object, const char* name, std::vector<MimeAddress>& to,
                                    const char* what)
{
    GMimeHeaderList* list = g_mime_object_get_header_list(object);
    for (int i = 0; list && i < g_mime_header_list_get_count(list); ++i) {
        GMimeHeader* header = g_mime_header_list_get_header_at(list, i);
        if (g_ascii_strcasecmp(g_mime_header_get_name(header), name) != 0)
            continue;
        const std::string raw = JoinEncodedWords(EscapeRawBytesInEncodedWords(g_mime_header_get_raw_value(header)));
        GObjectRef<InternetAddressList> addresses(internet_address_list_parse(m_options.get(), raw.c_str()));
        ReadAddresses(addresses.get(), to, what);
    }
}

void MimeParser::ReadAddresses(InternetAddressList* list, std::vector<MimeAddress>& to, const char* what)
{
    if (!list)
        return;
    for (int i = 0; i < internet_address_list_length(list); ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_GROUP(address)) {
            ReadAddresses(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address)), to, what);
            continue;
        }
        MimeAddress mailbox;
        mailbox.name = ValidUtf8(internet_address_get_name(address), what, m_out.warnings);
        mailbox.address = ValidUtf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address)), what,
                                    m_out.warnings);
        to.push_back(std::move(mailbox));
    }
}

void MimeParser::ReadHeaders(GMimeObject* object, std::vector<MimeHeader>& headers)
{
    GMimeHeaderList* list = g_mime_object_get_header_list(object);
    for (int i = 0; list && i < g_mime_header_list_get_count(list); ++i) {
        GMimeHeader* header = g_mime_header_list_get_header_at(list, i);
        headers.push_back({ValidUtf8(g_mime_header_get_name(header), "a header name", m_out.warnings),
                           HeaderValue(header)});
    }
}

// Decoded again when the header holds encoded words that GMime misreads;
// null when GMime's reading stands.
std::optional<std::string> MimeParser::RejoinedValue(GMimeHeader* header) const
{
    const char* raw = g_mime_header_get_raw_value(header);
    if (!raw)
        return std::nullopt;
    const std::string joined = JoinEncodedWords(raw);
    if (joined == raw)
        return std::nullopt;
    char* unfolded = g_mime_utils_header_unfold(joined.c_str());
    char* decoded = g_mime_utils_header_decode_text(m_options.get(), unfolded);
    std::string value = decoded ? decoded : "";
    g_free(decoded);
    g_free(unfolded);
    return value;
}

std::string MimeParser::HeaderValue(GMimeHeader* header)
{
    std::optional<std::string> rejoined = RejoinedValue(header);
    return ValidUtf8(rejoined ? rejoined->c_str() : g_mime_header_get_value(header), "a header", m_out.warnings);
}

// The last Subject header is the one GMime takes.
std::string MimeParser::SubjectOf(GMimeMessage* message)
{
    GMimeHeaderList* list = g_mime_object_get_header_list(GMIME_OBJECT(message));
    GMimeHeader* subject = nullptr;
    for (int i = 0; list && i < g_mime_header_list_get_count(list); ++i) {
        GMimeHeader* header = g_mime_header_list_get_header_at(list, i);
        if (g_ascii_strcasecmp(g_mime_header_get_name(header), "Subject") == 0)
            subject = header;
    }
    std::optional<std::string> rejoined = subject ? RejoinedValue(subject) : std::nullopt;
    return ValidUtf8(rejoined ? rejoined->c_str() : g_mime_message_get_subject(message), "the subject",
                     m_out.warnings);
}

void MimeParser::Walk(GMimeObject* object, bool inRelated, int depth)
{
    if (depth > kMaxDepth) {
        m_out.warnings.push_back("parts nested too deeply; the inner parts were not read");
        return;
    }
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const bool related =
            g_mime_content_type_is_type(g_mime_object_get_content_type(object), "multipart", "related");
        for (int i = 0; i < g_mime_multipart_get_count(multipart); ++i)
            Walk(g_mime_multipart_get_part(multipart, i), related || inRelated, depth + 1);
    } else if (GMIME_IS_MESSAGE_PART(object)) {
        ReadEmbeddedMessage(GMIME_MESSAGE_PART(object), inRelated);
    } else if (GMIME_IS_PART(object)) {
        ReadLeaf(GMIME_PART(object), inRelated);
    }
}

bool MimeParser::TakeAsBody(GMimePart* part, const char* disposition, const char* fileName)
{
    if (fileName || (disposition && g_ascii_strcasecmp(disposition, "attachment") == 0))
        return false;
    GMimeContentType* type = g_mime_object_get_content_type(GMIME_OBJECT(part));
    std::string* body = nullptr;
    if (g_mime_content_type_is_type(type, "text", "plain"))
        body = &m_out.plainBody;
    else if (g_mime_content_type_is_type(type, "text", "html"))
        body = &m_out.htmlBody;
    if (!body || !body->empty())
        return false;
    const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    const std::vector<BYTE> bytes = DecodedContent(part);
    *body = TextToUtf8(bytes, charset ? charset : "", m_out.warnings);
    if (m_out.charset.empty() && charset)
        m_out.charset = Lowered(charset);
    return true;
}

void MimeParser::ReadAttachmentFields(GMimeObject* object, bool inRelated, MimeAttachment& attachment)
{
    char* type = g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object));
    attachment.contentType = Lowered(type);
    g_free(type);
    attachment.charset = Lowered(g_mime_object_get_content_type_parameter(object, "charset"));
    attachment.contentId = ValidUtf8(g_mime_object_get_content_id(object), "a content id", m_out.warnings);
    const char* disposition = g_mime_object_get_disposition(object);
    attachment.isInline = disposition ? g_ascii_strcasecmp(disposition, "inline") == 0 : inRelated;
    ReadHeaders(object, attachment.headers);
}

// The file name read again from the raw headers when one of them holds
// encoded words that GMime misreads; null when GMime's reading stands.
std::optional<std::string> MimeParser::RejoinedFileName(GMimeObject* object, bool typeNameToo) const
{
    const char* disposition = RawValue(object, "Content-Disposition");
    const char* type = typeNameToo ? RawValue(object, "Content-Type") : nullptr;
    const std::string joinedDisposition = disposition ? JoinEncodedWords(disposition) : "";
    const std::string joinedType = type ? JoinEncodedWords(type) : "";
    if ((!disposition || joinedDisposition == disposition) && (!type || joinedType == type))
        return std::nullopt;
    std::string name = ParameterOf(m_options.get(), joinedDisposition, "filename");
    return name.empty() && typeNameToo ? ParameterOf(m_options.get(), joinedType, "name") : name;
}

std::string MimeParser::FileNameOf(GMimePart* part) const
{
    if (std::optional<std::string> rejoined = RejoinedFileName(GMIME_OBJECT(part), true))
        return *rejoined;
    if (const char* name = g_mime_part_get_filename(part))
        return name;
    // GMime drops the parameters of a type it cannot read, such as
    // "application-x-gzip; name=x.gz"; the name is still worth keeping.
    const char* raw = RawValue(GMIME_OBJECT(part), "Content-Type");
    return raw ? ParameterOf(m_options.get(), raw, "name") : "";
}

void MimeParser::ReadLeaf(GMimePart* part, bool inRelated)
{
    const char* disposition = g_mime_object_get_disposition(GMIME_OBJECT(part));
    const std::string fileName = FileNameOf(part);
    if (TakeAsBody(part, disposition, fileName.empty() ? nullptr : fileName.c_str()))
        return;
    MimeAttachment attachment;
    attachment.fileName = ValidUtf8(fileName.c_str(), "a file name", m_out.warnings);
    ReadAttachmentFields(GMIME_OBJECT(part), inRelated, attachment);
    attachment.data = DecodedContent(part);
    m_out.attachments.push_back(std::move(attachment));
}

void MimeParser::ReadEmbeddedMessage(GMimeMessagePart* part, bool inRelated)
{
    MimeAttachment attachment;
    GMimeObject* object = GMIME_OBJECT(part);
    std::optional<std::string> rejoined = RejoinedFileName(object, false);
    attachment.fileName =
        ValidUtf8(rejoined ? rejoined->c_str() : g_mime_object_get_content_disposition_parameter(object, "filename"),
                  "a file name", m_out.warnings);
    ReadAttachmentFields(object, inRelated, attachment);
    if (GMimeMessage* inner = g_mime_message_part_get_message(part)) {
        // Kept the way a saved message file holds it, with CRLF lines.
        GMimeFormatOptions* format = g_mime_format_options_new();
        g_mime_format_options_set_newline_format(format, GMIME_NEWLINE_FORMAT_DOS);
        GObjectRef<GMimeStream> sink(g_mime_stream_mem_new());
        g_mime_object_write_to_stream(GMIME_OBJECT(inner), format, sink.get());
        g_mime_format_options_free(format);
        attachment.data = BytesOf(sink.get());
    }
    m_out.attachments.push_back(std::move(attachment));
}
