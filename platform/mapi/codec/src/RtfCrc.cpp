#include "mapi/CompressedRtf.h"

#include <array>

namespace {

constexpr std::array<DWORD, 256> MakeTable()
{
    std::array<DWORD, 256> table{};
    for (DWORD n = 0; n < 256; ++n) {
        DWORD c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<DWORD, 256> kTable = MakeTable();

} // namespace

DWORD RtfCrc(std::span<const BYTE> contents)
{
    DWORD crc = 0;
    for (BYTE b : contents)
        crc = kTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc;
}
