#pragma once
// 64-bit checksum of an 8-bit text, used as the key of a name or an address.

#include <cstdint>

// Reflected CRC-64 with the ISO 3309 polynomial, initial value 0 and no final
// XOR, over the bytes of a NUL-terminated text. A null text counts as empty.
std::uint64_t CalcStringCRC64(const char* text);
