// RTF bodies come from other programs' messages: reading any bytes as RTF
// must stay inside them, and the text can never be longer than its source
// (every character shown stands for at least one byte of it).

#include "../src/RtfPlainText.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view rtf(reinterpret_cast<const char*>(data), size);
    if (RtfPlainText(rtf).size() > size) std::abort();
    return 0;
}
