// Feeds arbitrary bytes to the language table as if they were a language
// file beside the component: a damaged file must be refused, never read
// past its end, and its texts converted from a double-byte code page
// without running past a text's end.

#include "lang/CWELanguageTable.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly `size` bytes, so that ASan sees any read past the end.
    std::vector<unsigned char> image(data, data + size);
    CWELanguageTable table;
    // Japanese (932) has lead bytes whose trail byte may be a text's NUL.
    if (!table.Attach(image.data(), image.size(), 932))
        return 0;
    for (std::uint32_t id = 0; id < 64; ++id) {
        std::size_t length = 0;
        if (const char* text = table.FindString(id, &length))
            (void)std::strlen(text);
    }
    return 0;
}
