#include "Base64.h"

#include <cstdint>

namespace {

int SextetOf(BYTE c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// The bytes of a group of `count` characters whose bits were collected in `bits`.
void AppendGroup(std::uint32_t bits, int count, std::vector<BYTE>& out)
{
    bits <<= 6 * (4 - count);
    for (int i = 0; i < count - 1; ++i)
        out.push_back(static_cast<BYTE>(bits >> (16 - 8 * i)));
}

} // namespace

std::vector<BYTE> DecodeBase64(std::span<const BYTE> text)
{
    std::vector<BYTE> out;
    out.reserve(text.size() / 4 * 3 + 2);
    std::uint32_t bits = 0;
    int count = 0;
    for (BYTE c : text) {
        const int sextet = SextetOf(c);
        if (sextet < 0 && c != '=')
            continue;
        if (sextet >= 0) {
            bits = (bits << 6) | static_cast<std::uint32_t>(sextet);
            ++count;
        }
        if (count == 4 || (c == '=' && count > 0)) {
            AppendGroup(bits, count, out);
            bits = 0;
            count = 0;
        }
    }
    AppendGroup(bits, count, out);
    return out;
}
