#include "mapi/CompressedRtf.h"

#include "LzfuFormat.h"

#include <algorithm>

namespace {

RtfDecodeResult Corrupt(std::string text)
{
    RtfDecodeResult result;
    result.hr = MAPI_E_CORRUPT_DATA;
    result.error = std::move(text);
    return result;
}

RtfDecodeResult DecodeTokens(std::span<const BYTE> contents, DWORD rawSize)
{
    lzfu::Ring ring = lzfu::InitialRing();
    std::size_t write = lzfu::kInitialDictionary.size();
    RtfDecodeResult result;
    // Each input byte can stand for at most eight output bytes; a raw size
    // beyond that is a lie and must not reserve memory.
    result.rtf.reserve(std::min<std::size_t>(rawSize, contents.size() * 8 + 16));

    std::size_t in = 0;
    while (in < contents.size()) {
        const BYTE control = contents[in++];
        for (int bit = 0; bit < 8; ++bit) {
            if (in >= contents.size()) {
                // A stream may end without the end marker when the last
                // run happens to fill the raw size exactly.
                if (result.rtf.size() == rawSize)
                    return result;
                return Corrupt("compressed RTF ends inside a run of tokens");
            }
            if (!(control & (1u << bit))) {
                if (result.rtf.size() >= rawSize)
                    return Corrupt("compressed RTF is longer than its header says");
                const BYTE literal = contents[in++];
                result.rtf.push_back(static_cast<char>(literal));
                ring[write] = literal;
                write = (write + 1) % lzfu::kRingSize;
                continue;
            }
            if (in + 2 > contents.size())
                return Corrupt("compressed RTF ends inside a reference");
            const unsigned token = (static_cast<unsigned>(contents[in]) << 8) | contents[in + 1];
            in += 2;
            const std::size_t offset = token >> 4;
            const std::size_t length = (token & 0xF) + lzfu::kMinMatch;
            if (offset == write) {
                if (result.rtf.size() != rawSize)
                    return Corrupt("compressed RTF ends before its raw size is reached");
                return result;
            }
            if (result.rtf.size() + length > rawSize)
                return Corrupt("compressed RTF is longer than its header says");
            // Byte by byte: a reference may overlap the bytes it produces.
            for (std::size_t i = 0; i < length; ++i) {
                const BYTE b = ring[(offset + i) % lzfu::kRingSize];
                result.rtf.push_back(static_cast<char>(b));
                ring[write] = b;
                write = (write + 1) % lzfu::kRingSize;
            }
        }
    }
    if (result.rtf.size() == rawSize)
        return result;
    return Corrupt("compressed RTF has no end marker");
}

} // namespace

RtfDecodeResult DecompressRtf(std::span<const BYTE> data)
{
    if (data.size() < LZFU_HEADER_SIZE)
        return Corrupt("compressed RTF is shorter than its header");
    const DWORD compSize = lzfu::ReadDword(data.data());
    const DWORD rawSize = lzfu::ReadDword(data.data() + 4);
    const DWORD compType = lzfu::ReadDword(data.data() + 8);
    const DWORD crc = lzfu::ReadDword(data.data() + 12);

    // The size counts everything after itself; trailing padding is allowed.
    if (compSize < LZFU_HEADER_SIZE - 4 || compSize > data.size() - 4)
        return Corrupt("compressed RTF size field does not match the data");
    const std::span<const BYTE> contents = data.subspan(LZFU_HEADER_SIZE, compSize - (LZFU_HEADER_SIZE - 4));

    if (compType == LZFU_UNCOMPRESSED) {
        if (rawSize > contents.size())
            return Corrupt("uncompressed RTF is shorter than its header says");
        RtfDecodeResult result;
        result.rtf.assign(reinterpret_cast<const char*>(contents.data()), rawSize);
        return result;
    }
    if (compType != LZFU_COMPRESSED)
        return Corrupt("compressed RTF has an unknown type");
    if (RtfCrc(contents) != crc)
        return Corrupt("compressed RTF fails its CRC check");
    return DecodeTokens(contents, rawSize);
}
