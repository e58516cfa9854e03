#include "form/DecodeFormText.h"

#include "form/FormText.h"

#include "zr/HexPairToByte.h"

#include "win/CodePage.h"

namespace {

std::string UrlDecode(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%' && i + 1 < text.size()) {
            // The text's NUL ends a "%" that has only one digit after it.
            const BYTE byte = HexPairToByte(text.c_str() + i + 1);
            if (byte != 0) {
                bytes += static_cast<char>(byte);
                i += 2;
            } else {
                // The "%" goes; the character after it stays.
                bytes += text[++i];
            }
        } else {
            bytes += c;
        }
    }
    return bytes;
}

}  // namespace

bool DecodeFormText(std::string& text)
{
    text = TrimBlanks(text);
    if (text.empty())
        return true;
    const std::string bytes = UrlDecode(text);
    const std::u16string wide = ToWide(bytes, CP_UTF8);
    if (wide.empty())
        return true;
    text = ToNarrow(wide, CP_ACP);
    return true;
}
