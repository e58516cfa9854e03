#pragma once
// RFC 2047 encoded words that follow one another in one charset, as clients
// write a long header in several words.

#include <string>
#include <string_view>

// The header as it stood, with each run of adjacent encoded words of one
// charset that GMime would read wrongly written as one word of the same
// bytes. GMime joins the text of such words before it decodes it, so a word
// that ends in base64 padding (or in a short group) cuts off or garbles
// every word after it; here each word is decoded on its own and the bytes
// are joined, which keeps a character split across two words whole. Text
// without such a run comes back unchanged, so GMime's own reading of it
// stands.
std::string JoinEncodedWords(std::string_view raw);

// The charset of an encoded word: printable ASCII without spaces or "?".
bool IsCharsetName(std::string_view name);
