#include "keytree/CalcStringCRC64.h"

#include <array>

namespace {

constexpr std::uint64_t ReflectedPolynomial = 0xD800000000000000ULL;

constexpr std::array<std::uint64_t, 256> MakeTable()
{
    std::array<std::uint64_t, 256> table{};
    for (std::uint64_t i = 0; i < table.size(); ++i) {
        std::uint64_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ ReflectedPolynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint64_t, 256> Table = MakeTable();

}  // namespace

std::uint64_t CalcStringCRC64(const char* text)
{
    std::uint64_t crc = 0;
    if (!text)
        return crc;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        crc = Table[(crc ^ *p) & 0xFF] ^ (crc >> 8);
    return crc;
}
