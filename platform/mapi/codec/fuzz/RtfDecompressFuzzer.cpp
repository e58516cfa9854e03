// Any bytes must decode or fail cleanly; whatever decodes must match the size
// the header promised, and our own compressor's output of it must decode back
// to the same text. A second pass patches the CRC so that the token decoder is
// reached by more than one input in four billion.
#include "mapi/CompressedRtf.h"

#include <cstdlib>
#include <vector>

namespace {

void Check(std::span<const BYTE> data)
{
    const RtfDecodeResult decoded = DecompressRtf(data);
    if (FAILED(decoded.hr))
        return;
    const std::vector<BYTE> again = CompressRtf(decoded.rtf);
    const RtfDecodeResult back = DecompressRtf(again);
    if (FAILED(back.hr) || back.rtf != decoded.rtf)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Check({data, size});
    if (size >= LZFU_HEADER_SIZE) {
        std::vector<BYTE> patched(data, data + size);
        const DWORD crc = RtfCrc(std::span<const BYTE>(patched).subspan(LZFU_HEADER_SIZE));
        for (int i = 0; i < 4; ++i)
            patched[12 + i] = static_cast<BYTE>(crc >> (8 * i));
        Check(patched);
    }
    return 0;
}
