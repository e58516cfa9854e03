#include "form/DecodeFormText.h"

#include "form/CharacterReferences.h"
#include "form/FormText.h"

#include "zr/HexPairToByte.h"

#include "win/CodePage.h"

namespace {

std::string UrlDecode(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c == '%' && i + 1 < text.size()) {
            // A "%" with only one character after it sees the end as no digit.
            const char pair[3] = {text[i + 1], i + 2 < text.size() ? text[i + 2] : '\0', '\0'};
            const BYTE byte = HexPairToByte(pair);
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

bool ToUnicode(const std::string& bytes, UINT codePage, std::u16string& wide)
{
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(length));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length) == length;
}

// False when a character would become the code page's default character.
bool ToAnsi(const std::u16string& wide, std::string& text)
{
    const bool utf8 = GetACP() == CP_UTF8;
    BOOL lossy = FALSE;
    BOOL* usedDefault = utf8 ? nullptr : &lossy;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
    if (length <= 0 || lossy)
        return false;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide.data(), size, ansi.data(), length, nullptr, usedDefault) != length ||
        lossy)
        return false;
    text = std::move(ansi);
    return true;
}

}  // namespace

FormTextDecoding DecodeFormText(std::string& text, UINT codePage)
{
    text = TrimBlanks(text);
    if (text.empty())
        return FormTextDecoding::Decoded;
    std::u16string wide;
    if (!ToUnicode(UrlDecode(text), codePage, wide))
        return FormTextDecoding::NotText;
    return ToAnsi(DecodeCharacterReferences(wide), text) ? FormTextDecoding::Decoded : FormTextDecoding::NotAnsi;
}

UINT AnswerCodePage(std::string_view formData, UINT declaredCodePage)
{
    std::u16string wide;
    const std::string bytes = UrlDecode(formData);
    if (declaredCodePage == 0 || bytes.empty() || ToUnicode(bytes, CP_UTF8, wide))
        return CP_UTF8;
    return declaredCodePage;
}
