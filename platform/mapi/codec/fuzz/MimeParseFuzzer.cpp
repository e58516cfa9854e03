// Any bytes must read as a message without a crash, and every text must come
// out as valid UTF-8.
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
    // Parsing is costly under the sanitizers; structure faults show in short
    // messages, and the run must fit its time budget.
    if (size > 2048)
        return 0;
    const MimeMessageData message = ParseMime({data, size});
    RequireUtf8(message.subject);
    RequireUtf8(message.plainBody);
    RequireUtf8(message.htmlBody);
    for (const MimeAttachment& attachment : message.attachments)
        RequireUtf8(attachment.fileName);
    return 0;
}
