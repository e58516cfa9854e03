// Entry ids come from callers and from stored data: parsing any bytes must
// stay inside them, and a one-off that parses must come out the same when
// written again.

#include "../src/EntryId.h"
#include "mapi/MapiUtil.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    using pollenta::mapi::CEntryId;
    CEntryId parsed = CEntryId::Parse(bytes);
    if (parsed.m_kind == CEntryId::Kind::OneOff && (static_cast<BYTE>(bytes[23]) & 0x80) == 0) {
        std::string again = CEntryId::ForOneOff(parsed.m_name, parsed.m_addrType, parsed.m_address);
        if (CEntryId::Parse(again).m_address != parsed.m_address) std::abort();
    }
    std::string hex = bytes.substr(0, bytes.find('\0'));
    std::vector<BYTE> out(hex.size() / 2 + 1);
    FBinFromHex(hex.data(), out.data());
    return 0;
}
