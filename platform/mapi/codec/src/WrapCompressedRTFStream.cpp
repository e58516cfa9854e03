#include "mapi/WrapCompressedRTFStream.h"

#include "CompressedRtfStream.h"
#include "mapi/CompressedRtf.h"
#include "mapi/MapiCodes.h"

#include <new>
#include <vector>

namespace {

HRESULT ReadAll(IStream* stream, std::vector<BYTE>& out)
{
    LARGE_INTEGER start{};
    HRESULT hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr))
        return hr;
    BYTE chunk[65536];
    for (;;) {
        ULONG got = 0;
        hr = stream->Read(chunk, sizeof chunk, &got);
        if (FAILED(hr))
            return hr;
        out.insert(out.end(), chunk, chunk + got);
        if (got == 0 || hr == S_FALSE)
            return S_OK;
    }
}

} // namespace

extern "C" HRESULT WrapCompressedRTFStream(IStream* compressed, ULONG flags, IStream** uncompressed)
{
    if (!compressed || !uncompressed)
        return MAPI_E_INVALID_PARAMETER;
    *uncompressed = nullptr;
    if (flags & ~(MAPI_MODIFY | STORE_UNCOMPRESSED_RTF))
        return MAPI_E_UNKNOWN_FLAGS;

    std::string text;
    if (!(flags & MAPI_MODIFY)) {
        std::vector<BYTE> stored;
        const HRESULT hr = ReadAll(compressed, stored);
        if (FAILED(hr))
            return hr;
        // A property that was created but never written holds no RTF yet.
        if (!stored.empty()) {
            RtfDecodeResult decoded = DecompressRtf(stored);
            if (FAILED(decoded.hr))
                return decoded.hr;
            text = std::move(decoded.rtf);
        }
    }
    IStream* stream = new (std::nothrow) CompressedRtfStream(compressed, flags, std::move(text));
    if (!stream)
        return MAPI_E_NOT_ENOUGH_MEMORY;
    *uncompressed = stream;
    return S_OK;
}
