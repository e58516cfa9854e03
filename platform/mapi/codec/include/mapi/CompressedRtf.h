#pragma once
// Compressed RTF as message stores keep it in PR_RTF_COMPRESSED: a 16-byte
// header (compressed size, raw size, "LZFu" or "MELA", CRC) followed by either
// an LZ77 token stream over a 4096-byte ring buffer that starts out holding a
// fixed RTF preamble ("LZFu"), or the raw text itself ("MELA").

#include "win/Errors.h"
#include "win/Types.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The stream is damaged: bad header, bad CRC, a size that does not match the
// data, or tokens that run past the end.
inline constexpr HRESULT MAPI_E_CORRUPT_DATA = POLLENTA_HR(0x8004011B);

inline constexpr DWORD LZFU_COMPRESSED = 0x75465A4C;   // "LZFu"
inline constexpr DWORD LZFU_UNCOMPRESSED = 0x414C454D; // "MELA"
inline constexpr std::size_t LZFU_HEADER_SIZE = 16;

struct RtfDecodeResult {
    HRESULT hr = S_OK;
    std::string error; // what was wrong with the stream; empty on success
    std::string rtf;
};

// Decodes either form; never reads outside `data` and never produces more than
// the header's raw size.
RtfDecodeResult DecompressRtf(std::span<const BYTE> data);

// The compressed form, greedy longest match as the format defines it.
std::vector<BYTE> CompressRtf(std::string_view rtf);

// The "MELA" form: header plus the text as it is.
std::vector<BYTE> StoreUncompressedRtf(std::string_view rtf);

// CRC-32 over the compressed contents: the reflected table of the usual
// polynomial, but starting from 0 and without the final inversion.
DWORD RtfCrc(std::span<const BYTE> contents);
