#include "Utf8.h"

#include "win/CodePage.h"

namespace pollenta::ado {

std::string Utf8FromBstr(BSTR text)
{
    return text ? ToNarrow(std::u16string_view(text, SysStringLen(text)), CP_UTF8) : std::string();
}

BSTR BstrFromUtf8(const char* text, std::size_t length)
{
    const std::u16string wide = ToWide(std::string_view(text, length), CP_UTF8);
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

BSTR BstrFromUtf8(const std::string& text) { return BstrFromUtf8(text.data(), text.size()); }

}  // namespace pollenta::ado
