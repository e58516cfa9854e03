#include "AnswerMail.h"

#include "GObjectPtr.h"
#include "RoadFailure.h"

#include <gmime/gmime.h>

#include <memory>

namespace {

GMimeObject* TextPart()
{
    GMimeTextPart* text = g_mime_text_part_new_with_subtype("plain");
    g_mime_text_part_set_text(text, "The form is attached.\r\n");
    return GMIME_OBJECT(text);
}

GMimeObject* FormDataPart(const AnswerMail& answer, AnswerStyle style)
{
    const bool asText = style == AnswerStyle::TextAttachment;
    GMimePart* part =
        asText ? g_mime_part_new_with_type("text", "plain") : g_mime_part_new_with_type("application", "octet-stream");
    if (asText)
        g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", answer.charset.c_str());
    g_mime_part_set_filename(part, "POSTDATA.ATT");
    const std::string bytes = answer.formData + (style == AnswerStyle::SevenBitAttachment ? "\r\n" : "");
    GObjectPtr<GMimeStream> data(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    GObjectPtr<GMimeDataWrapper> content(
        g_mime_data_wrapper_new_with_stream(data.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, content.get());
    g_mime_part_set_content_encoding(part, style == AnswerStyle::Base64Attachment ? GMIME_CONTENT_ENCODING_BASE64
                                           : style == AnswerStyle::SevenBitAttachment
                                               ? GMIME_CONTENT_ENCODING_7BIT
                                               : GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    return GMIME_OBJECT(part);
}

}  // namespace

std::string BuildAnswerMail(const AnswerMail& answer, AnswerStyle style)
{
    g_mime_init();
    GObjectPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, answer.fromName.c_str(),
                               answer.fromAddress.c_str());
    g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_TO, nullptr, answer.to.c_str());
    g_mime_message_set_subject(message.get(), answer.subject.c_str(), "utf-8");
    GDateTime* now = g_date_time_new_now_utc();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    g_mime_object_set_header(GMIME_OBJECT(message.get()), "X-Mailer", "Microsoft Outlook Express 6.00.2900.2180",
                             nullptr);

    GObjectPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    GObjectPtr<GMimeObject> text(TextPart());
    GObjectPtr<GMimeObject> data(FormDataPart(answer, style));
    g_mime_multipart_add(mixed.get(), text.get());
    g_mime_multipart_add(mixed.get(), data.get());
    g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));

    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    char* bytes = g_mime_object_to_string(GMIME_OBJECT(message.get()), options);
    g_mime_format_options_free(options);
    Require(bytes != nullptr, "GMime wrote no answer");
    std::string result(bytes);
    g_free(bytes);
    return result;
}
