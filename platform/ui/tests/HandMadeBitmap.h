#pragma once
// A 24-bit BMP file as a paint program writes it: file header, info
// header, rows bottom-up, each padded to four bytes.

#include <cstdint>
#include <string>

inline void PutLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline std::string HandMadeBitmap(int width, int height, uint8_t red, uint8_t green, uint8_t blue)
{
    int rowBytes = (width * 3 + 3) & ~3;
    uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * height);
    std::string bmp = "BM";
    PutLittleEndian(bmp, 54 + pixelBytes, 4);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, 54, 4);
    PutLittleEndian(bmp, 40, 4);
    PutLittleEndian(bmp, static_cast<uint32_t>(width), 4);
    PutLittleEndian(bmp, static_cast<uint32_t>(height), 4);
    PutLittleEndian(bmp, 1, 2);
    PutLittleEndian(bmp, 24, 2);
    PutLittleEndian(bmp, 0, 4); // BI_RGB
    PutLittleEndian(bmp, pixelBytes, 4);
    PutLittleEndian(bmp, 2835, 4);
    PutLittleEndian(bmp, 2835, 4);
    PutLittleEndian(bmp, 0, 4);
    PutLittleEndian(bmp, 0, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bmp.push_back(static_cast<char>(blue));
            bmp.push_back(static_cast<char>(green));
            bmp.push_back(static_cast<char>(red));
        }
        bmp.append(static_cast<size_t>(rowBytes - width * 3), '\0');
    }
    return bmp;
}
