#pragma once
// Which charset a page's bytes are written in, the way a browser decides
// for a local file: a byte-order mark first, then the page's own META
// (http-equiv Content-Type or charset), and with neither UTF-8 when the bytes
// are valid UTF-8, else windows-1252, the charset old editors wrote in.

#include <cstddef>
#include <string>
#include <string_view>

namespace pollenta::html {

struct DetectedCharset {
    std::string name;       // lower case, known to iconv
    std::size_t bomLength;  // bytes of the byte-order mark to skip
};

DetectedCharset DetectCharset(std::string_view bytes);

// The charset a META tag's attributes name, or "" (exposed for the tests).
std::string CharsetFromMetaPrescan(std::string_view bytes);
bool IsValidUtf8(std::string_view bytes);

}  // namespace pollenta::html
