#include "mapi/CompressedRtf.h"

#include "LzfuEncoder.h"

#include <algorithm>

namespace {

std::vector<BYTE> WithHeader(const std::vector<BYTE>& contents, std::size_t rawSize, DWORD type, DWORD crc)
{
    std::vector<BYTE> out(LZFU_HEADER_SIZE + contents.size());
    lzfu::WriteDword(out.data(), static_cast<DWORD>(contents.size() + LZFU_HEADER_SIZE - 4));
    lzfu::WriteDword(out.data() + 4, static_cast<DWORD>(rawSize));
    lzfu::WriteDword(out.data() + 8, type);
    lzfu::WriteDword(out.data() + 12, crc);
    std::copy(contents.begin(), contents.end(), out.begin() + LZFU_HEADER_SIZE);
    return out;
}

} // namespace

std::vector<BYTE> CompressRtf(std::string_view rtf)
{
    const std::span<const BYTE> input(reinterpret_cast<const BYTE*>(rtf.data()), rtf.size());
    LzfuEncoder encoder;
    std::vector<BYTE> contents;
    std::size_t controlAt = 0;
    int bit = 8;
    auto startToken = [&](bool reference) {
        if (bit == 8) {
            controlAt = contents.size();
            contents.push_back(0);
            bit = 0;
        }
        if (reference)
            contents[controlAt] |= static_cast<BYTE>(1u << bit);
        ++bit;
    };
    auto putReference = [&](std::size_t offset, std::size_t length) {
        startToken(true);
        const unsigned token = static_cast<unsigned>((offset << 4) | (length - lzfu::kMinMatch));
        contents.push_back(static_cast<BYTE>(token >> 8));
        contents.push_back(static_cast<BYTE>(token & 0xFF));
    };

    std::size_t pos = 0;
    while (pos < input.size()) {
        const LzfuEncoder::Match match = encoder.FindLongestMatch(input, pos);
        if (match.length == 0) {
            startToken(false);
            contents.push_back(input[pos]);
            encoder.Put(input[pos]);
            ++pos;
            continue;
        }
        putReference(match.offset, match.length);
        for (std::size_t i = 0; i < match.length; ++i)
            encoder.Put(input[pos + i]);
        pos += match.length;
    }
    // A reference to the write position marks the end; its length is unused.
    putReference(encoder.WritePosition(), lzfu::kMinMatch);

    const DWORD crc = RtfCrc(contents);
    return WithHeader(contents, rtf.size(), LZFU_COMPRESSED, crc);
}

std::vector<BYTE> StoreUncompressedRtf(std::string_view rtf)
{
    return WithHeader(std::vector<BYTE>(rtf.begin(), rtf.end()), rtf.size(), LZFU_UNCOMPRESSED, 0);
}
