// The answer detector and form-data parser over arbitrary bytes, as a
// respondent or a broken mail client may send them.

#include "form/DecodeFormText.h"
#include "form/ParseFormData.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    HasProjectIdKey(text);
    CWEFormFieldList fields;
    // Bytes that are not UTF-8 are read as the double-byte code page a
    // Japanese page declares, the hardest to read.
    ParseFormData(text, fields, AnswerCodePage(text, 932));
    for (const CWEFormField& field : fields)
        if (field.m_strName.empty())
            __builtin_trap();
    return 0;
}
