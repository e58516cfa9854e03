#pragma once
// 32-bit little-endian words of the saved tree form, independent of the
// host's byte order.

#include <cstdint>

namespace keytree {

inline void PutWord(char* out, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((word >> (8 * i)) & 0xFF);
}

inline std::uint32_t GetWord(const char* in)
{
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[i])) << (8 * i);
    return word;
}

}  // namespace keytree
