#pragma once
// Picture data as forms carry it, written byte by byte from the formats'
// descriptions: a packed DIB (a button face), an enhanced metafile holding a
// StretchDIBits record behind the 8-byte prefix of an image control, and a
// metafile picture with the prefix of format 3.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace form_pictures {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
inline void Put32(Bytes& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// BITMAPINFOHEADER, 24 bits, bottom-up, rows padded to 4 bytes; every pixel
// the colour given (blue, green, red).
inline Bytes Dib24(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r)
{
    Bytes dib;
    const int stride = (width * 3 + 3) / 4 * 4;
    for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        Put32(dib, v);
    Put16(dib, 1);
    Put16(dib, 24);
    for (std::uint32_t v : {0u, static_cast<std::uint32_t>(stride * height), 2835u, 2835u, 0u, 0u})
        Put32(dib, v);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            dib.push_back(b);
            dib.push_back(g);
            dib.push_back(r);
        }
        dib.resize(dib.size() + (stride - width * 3));
    }
    return dib;
}

// An EMF: header record, one STRETCHDIBITS record with the DIB (when
// given) and the EOF record; behind the prefix "0E 00 00 00 00 00 00 00".
inline Bytes WrappedEmf(const Bytes& dib, int width, int height)
{
    Bytes emf;
    // Header: type 1, size 108, bounds, frame, " EMF", version, bytes,
    // records, handles, reserved, description, palette, device, millimetres.
    Put32(emf, 1);
    Put32(emf, 108);
    for (std::uint32_t v : {0u, 0u, static_cast<std::uint32_t>(width - 1), static_cast<std::uint32_t>(height - 1)})
        Put32(emf, v);
    for (int i = 0; i < 4; ++i)
        Put32(emf, 0);
    Put32(emf, 0x464D4520);
    Put32(emf, 0x10000);
    const std::size_t bytesAt = emf.size();
    Put32(emf, 0);
    Put32(emf, dib.empty() ? 2 : 3);
    while (emf.size() < 108)
        emf.push_back(0);
    if (!dib.empty()) {
        const std::uint32_t bitsSize = static_cast<std::uint32_t>(dib.size() - 40);
        Put32(emf, 81);
        Put32(emf, static_cast<std::uint32_t>(80 + dib.size()));
        for (int i = 0; i < 4; ++i)
            Put32(emf, 0);  // bounds
        for (std::uint32_t v : {0u, 0u, 0u, 0u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
            Put32(emf, v);  // destination and source corners, source size
        for (std::uint32_t v : {80u, 40u, 120u, bitsSize, 0u, 0x00CC0020u})
            Put32(emf, v);  // bitmap info and bits, usage, SRCCOPY
        Put32(emf, static_cast<std::uint32_t>(width));
        Put32(emf, static_cast<std::uint32_t>(height));
        emf.insert(emf.end(), dib.begin(), dib.end());
    }
    for (std::uint32_t v : {14u, 20u, 0u, 16u, 20u})
        Put32(emf, v);
    const auto total = static_cast<std::uint32_t>(emf.size());
    for (int i = 0; i < 4; ++i)
        emf[bytesAt + i] = static_cast<std::uint8_t>(total >> (8 * i));
    Bytes wrapped = {14, 0, 0, 0, 0, 0, 0, 0};
    wrapped.insert(wrapped.end(), emf.begin(), emf.end());
    return wrapped;
}

// A metafile picture as image controls keep one: "03 00 00 00 00 00 00 00",
// the mapping mode and extents, then a WMF header and its EOF record.
inline Bytes WrappedWmf()
{
    Bytes data = {3, 0, 0, 0, 0, 0, 0, 0};
    for (std::uint32_t v : {8u, 1000u, 1000u, 0u})
        Put16(data, v);
    for (std::uint32_t v : {1u, 9u, 0x300u})
        Put16(data, v);
    Put32(data, 12);  // size in words
    Put16(data, 0);
    Put32(data, 3);
    Put16(data, 0);
    Put32(data, 3);  // EOF record: three words, function 0
    Put16(data, 0);
    return data;
}

// A metafile picture that draws a DIB into its window, as the program keeps
// a picture it rendered into a metafile: "03 00 00 00 00 00 00 00", the
// mapping mode (anisotropic) and the extents in hundredths of a millimetre
// (the size at 96 pixels per inch), then the metafile: SetMapMode,
// SetWindowOrg, SetWindowExt, StretchDIB and the EOF record.
inline Bytes WrappedWmfWithBitmap(const Bytes& dib, int width, int height)
{
    Bytes records;
    auto record = [&records](std::uint16_t function, std::initializer_list<std::uint16_t> words, const Bytes& tail = {}) {
        Put32(records, static_cast<std::uint32_t>(3 + words.size() + (tail.size() + 1) / 2));
        Put16(records, function);
        for (std::uint16_t word : words)
            Put16(records, word);
        records.insert(records.end(), tail.begin(), tail.end());
        if (tail.size() % 2)
            records.push_back(0);
    };
    const auto w = static_cast<std::uint16_t>(width), h = static_cast<std::uint16_t>(height);
    record(0x0103, {8});           // SetMapMode(MM_ANISOTROPIC)
    record(0x020B, {0, 0});        // SetWindowOrg(y, x)
    record(0x020C, {h, w});        // SetWindowExt(y, x)
    record(0x0F43, {0x0020, 0x00CC, 0, h, w, 0, 0, h, w, 0, 0}, dib);  // StretchDIB, SRCCOPY, then the DIB
    record(0x0000, {});
    Bytes data = {3, 0, 0, 0, 0, 0, 0, 0};
    for (std::uint32_t v : {8u, static_cast<std::uint32_t>(width * 2540 / 96), static_cast<std::uint32_t>(height * 2540 / 96), 0u})
        Put16(data, v);
    for (std::uint32_t v : {1u, 9u, 0x300u})
        Put16(data, v);
    Put32(data, static_cast<std::uint32_t>(9 + records.size() / 2));  // size in words
    Put16(data, 0);
    Put32(data, static_cast<std::uint32_t>(3 + 11 + (dib.size() + 1) / 2));  // the largest record
    Put16(data, 0);
    data.insert(data.end(), records.begin(), records.end());
    return data;
}

}  // namespace form_pictures
