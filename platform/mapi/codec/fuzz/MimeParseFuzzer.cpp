// Any bytes must read as a message without a crash, every text must come out
// as valid UTF-8, and what was read must compose and read again.
#include "mapi/Mime.h"

#include <glib.h>

#include <cstdlib>

namespace {

void RequireUtf8(const std::string& text)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MimeMessageData message = ParseMime({data, size});
    RequireUtf8(message.subject);
    RequireUtf8(message.plainBody);
    RequireUtf8(message.htmlBody);
    for (const MimeAttachment& attachment : message.attachments)
        RequireUtf8(attachment.fileName);
    const MimeMessageData again = ParseMime(ComposeMime(message));
    if (again.attachments.size() != message.attachments.size())
        std::abort();
    return 0;
}
