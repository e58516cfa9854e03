#pragma once
// Layout shared by the compressor and the decompressor of compressed RTF.

#include "win/Types.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace lzfu {

inline constexpr std::size_t kRingSize = 4096;
inline constexpr std::size_t kMinMatch = 2;
inline constexpr std::size_t kMaxMatch = 17;

// Both sides start with this text at the front of the ring, so the usual RTF
// preamble compresses to a handful of references.
inline constexpr std::string_view kInitialDictionary =
    "{\\rtf1\\ansi\\mac\\deff0\\deftab720{\\fonttbl;}{\\f0\\fnil \\froman \\fswiss \\fmodern \\fscript "
    "\\fdecor MS Sans SerifSymbolArialTimes New RomanCourier{\\colortbl\\red0\\green0\\blue0\r\n"
    "\\par \\pard\\plain\\f0\\fs20\\b\\i\\u\\tab\\tx";
static_assert(kInitialDictionary.size() == 207);

using Ring = std::array<BYTE, kRingSize>;

inline Ring InitialRing()
{
    Ring ring{};
    for (std::size_t i = 0; i < kInitialDictionary.size(); ++i)
        ring[i] = static_cast<BYTE>(kInitialDictionary[i]);
    return ring;
}

inline DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

inline void WriteDword(BYTE* p, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<BYTE>(value >> (8 * i));
}

} // namespace lzfu
