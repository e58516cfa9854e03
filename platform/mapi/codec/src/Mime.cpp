#include "mapi/Mime.h"

#include "GMimeLibrary.h"
#include "GObjectRef.h"
#include "LenientParserOptions.h"
#include "MimeComposer.h"
#include "MimeParser.h"
#include "MimeText.h"
#include "PlainMimeWriter.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <optional>

namespace {

// A new message, or null when not even its headers can be read.
GMimeMessage* Construct(std::span<const BYTE> message, MimeParser& reader)
{
    GObjectRef<GMimeStream> stream(message.empty() ? g_mime_stream_mem_new()
                                                   : g_mime_stream_mem_new_with_buffer(
                                                         reinterpret_cast<const char*>(message.data()), message.size()));
    GObjectRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    ParserOptionsPtr options = LenientParserOptions();
    g_mime_parser_options_set_warning_callback(options.get(), &MimeParser::OnParserWarning, &reader);
    return g_mime_parser_construct_message(parser.get(), options.get());
}

// The start of the first line after the first one that reads "Name:", or the
// size of `message` when there is none.
std::size_t NextHeaderLine(std::span<const BYTE> message)
{
    std::size_t line = 0;
    while ((line = std::find(message.begin() + line, message.end(), '\n') - message.begin()) < message.size()) {
        ++line;
        std::size_t i = line;
        while (i < message.size() && message[i] > 32 && message[i] < 127 && message[i] != ':')
            ++i;
        if (i > line && i < message.size() && message[i] == ':')
            return line;
    }
    return message.size();
}

} // namespace

MimeMessageData ParseMime(std::span<const BYTE> message, std::size_t maxSize)
{
    EnsureGMime();
    MimeMessageData out;
    if (message.size() > maxSize) {
        out.warnings.push_back("message of " + std::to_string(message.size()) + " bytes was read only up to " +
                               std::to_string(maxSize) + " bytes");
        message = message.first(maxSize);
    }
    MimeParser reader(out);
    GObjectRef<GMimeMessage> parsed(Construct(message, reader));
    if (!parsed) {
        // Text before the first header, such as an mbox "From " line.
        const std::size_t start = NextHeaderLine(message);
        if (start < message.size()) {
            out.warnings.push_back("skipped " + std::to_string(start) + " bytes before the first header");
            parsed = GObjectRef<GMimeMessage>(Construct(message.subspan(start), reader));
        }
    }
    if (parsed) {
        reader.ReadMessage(parsed.get());
    } else {
        out.warnings.push_back("not a mail message; its bytes were kept as the plain text");
        out.plainBody = TextToUtf8(message, "", out.warnings);
    }
    return out;
}

std::vector<BYTE> ComposeMime(const MimeMessageData& message)
{
    EnsureGMime();
    // Building GMime's objects costs several times what the bytes do; the
    // simple messages that make most of a survey's mail skip them.
    if (std::optional<std::vector<BYTE>> plain = PlainMimeWriter::Compose(message)) return std::move(*plain);
    return MimeComposer(message).Compose();
}
