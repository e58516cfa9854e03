#include "QuotedPrintable.h"

#include <gmime/gmime.h>

std::string EncodeQuotedPrintable(std::string_view text)
{
    GMimeEncoding state;
    g_mime_encoding_init_encode(&state, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    std::string encoded(g_mime_encoding_outlen(&state, text.size()), '\0');
    encoded.resize(g_mime_encoding_flush(&state, text.data(), text.size(), encoded.data()));
    return encoded;
}
