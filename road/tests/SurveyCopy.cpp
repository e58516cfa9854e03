#include "SurveyCopy.h"

#include "GObjectPtr.h"
#include "RoadFailure.h"

#include <gmime/gmime.h>

#include <fcntl.h>

#include <memory>

namespace {

void ReadContentIds(GMimeMessage* message, SurveyCopy& copy)
{
    g_mime_message_foreach(
        message,
        [](GMimeObject*, GMimeObject* part, gpointer data) {
            const char* id = g_mime_object_get_content_id(part);
            if (!id)
                return;
            auto& copy = *static_cast<SurveyCopy*>(data);
            copy.contentIds.insert(id);
            char* type = g_mime_content_type_get_mime_type(g_mime_object_get_content_type(part));
            copy.typeOfContentId[id] = type ? type : "";
            g_free(type);
            const char* disposition = g_mime_object_get_disposition(part);
            copy.dispositionOfContentId[id] = disposition ? disposition : "";
        },
        &copy);
}

GMimePart* FindHtmlPart(GMimeMessage* message)
{
    GMimePart* found = nullptr;
    g_mime_message_foreach(
        message,
        [](GMimeObject*, GMimeObject* part, gpointer data) {
            auto* result = static_cast<GMimePart**>(data);
            if (!*result && GMIME_IS_PART(part) &&
                g_mime_content_type_is_type(g_mime_object_get_content_type(part), "text", "html"))
                *result = GMIME_PART(part);
        },
        &found);
    return found;
}

std::string DecodedContent(GMimePart* part)
{
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    Require(content != nullptr, "the HTML part has no content");
    GObjectPtr<GMimeStream> memory(g_mime_stream_mem_new());
    g_mime_data_wrapper_write_to_stream(content, memory.get());
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

std::string Recipient(GMimeMessage* message)
{
    InternetAddressList* to = g_mime_message_get_to(message);
    Require(to && internet_address_list_length(to) == 1, "the copy is not addressed to one recipient");
    InternetAddress* address = internet_address_list_get_address(to, 0);
    Require(INTERNET_ADDRESS_IS_MAILBOX(address), "the copy's addressee is a group");
    return internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
}

}  // namespace

SurveyCopy ReadSurveyCopy(const std::filesystem::path& eml)
{
    g_mime_init();
    GError* error = nullptr;
    GObjectPtr<GMimeStream> file(g_mime_stream_fs_open(eml.c_str(), O_RDONLY, 0, &error));
    if (error)
        g_error_free(error);
    Require(file != nullptr, "cannot open " + eml.string());
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(file.get()));
    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
    Require(message != nullptr, eml.string() + " is no message");

    SurveyCopy copy;
    copy.recipient = Recipient(message.get());
    const char* subject = g_mime_message_get_subject(message.get());
    copy.subject = subject ? subject : "";
    ReadContentIds(message.get(), copy);
    GMimePart* html = FindHtmlPart(message.get());
    Require(html != nullptr, eml.string() + " has no HTML part");
    copy.html = DecodedContent(html);
    return copy;
}
