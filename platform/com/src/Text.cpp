#include "com/Text.h"

#include "win/CodePage.h"

namespace pollenta::com {

std::u16string Utf16FromAnsi(const std::string& text) { return ToWide(text, CP_ACP); }

std::string AnsiFromUtf16(const OLECHAR* text, size_t length)
{
    return length == 0 ? std::string() : ToNarrow(std::u16string_view(text, length), CP_ACP);
}

std::string AnsiFromUtf16(const std::u16string& text) { return ToNarrow(text, CP_ACP); }

std::string AnsiFromOleString(LPCOLESTR text) { return text ? ToNarrow(std::u16string_view(text), CP_ACP) : std::string(); }

BSTR BstrFromAnsi(const std::string& text)
{
    const std::u16string wide = Utf16FromAnsi(text);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string AnsiFromBstr(BSTR text) { return AnsiFromUtf16(text, SysStringLen(text)); }

}  // namespace pollenta::com
