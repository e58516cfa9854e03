// Registry file text from anywhere: parsing must never crash, and whatever
// parses must write back to text that parses to the same tree.

#include "RegistryText.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = RegistryText::Parse(text, "HKEY_CURRENT_USER");
    if (!parsed.root)
        return 0;
    const std::string written = RegistryText::Write(*parsed.root, "HKEY_CURRENT_USER");
    // Deep keys repeat their whole path on every section line; reading such
    // text back only costs time and finds nothing new.
    if (written.size() > 65536)
        return 0;
    const auto again = RegistryText::Parse(written, "HKEY_CURRENT_USER");
    if (!again.root || RegistryText::Write(*again.root, "HKEY_CURRENT_USER") != written)
        std::abort();
    return 0;
}
