#include "wizard/UrlDecodeInPlace.h"

#include "WizardText.h"

#include "zr/HexPairToByte.h"

int UrlDecodeInPlace(std::string& text)
{
    const std::string trimmed = TrimBlanks(text);
    std::string decoded;
    decoded.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size();) {
        const char c = trimmed[i];
        if (c == '+') {
            decoded += ' ';
            ++i;
        } else if (c == '%' && i + 1 < trimmed.size()) {
            const BYTE byte = HexPairToByte(trimmed.c_str() + i + 1);
            if (byte) {
                decoded += static_cast<char>(byte);
                i += 3;
            } else {
                decoded += trimmed[i + 1];
                i += 2;
            }
        } else {
            decoded += c;
            ++i;
        }
    }
    text = std::move(decoded);
    return 1;
}

std::string UrlEncodedPath(const std::string& path)
{
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        if (c == '%')
            encoded += "%25";
        else if (c == '+')
            encoded += "%2B";
        else if (c == '?')
            encoded += "%3F";
        else if (c == '#')
            encoded += "%23";
        else
            encoded += c;
    }
    return encoded;
}
