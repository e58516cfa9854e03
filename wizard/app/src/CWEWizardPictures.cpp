#include "CWEWizardPictures.h"

#include "PlandrelIds.h"

#include "ui/DialogTemplate.h"

#include <cstdint>
#include <string>

namespace {

struct Rgb {
    int red, green, blue;
};

void AppendWord(std::string& bytes, std::uint32_t value, int size)
{
    for (int shift = 0; shift < 8 * size; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFFu);
}

// A 24-bit BMP shading from `top` to `bottom`, so that the pictures need no
// file beside the program.
std::string Shaded(int width, int height, Rgb top, Rgb bottom)
{
    const int stride = (3 * width + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(stride * height);
    std::string bytes = "BM";
    for (const auto& [value, size] : {std::pair<std::uint32_t, int>{54 + imageSize, 4}, {0, 4}, {54, 4}, {40, 4},
                                      {static_cast<std::uint32_t>(width), 4}, {static_cast<std::uint32_t>(height), 4},
                                      {1, 2}, {24, 2}, {0, 4}, {imageSize, 4}, {2835, 4}, {2835, 4}, {0, 4}, {0, 4}})
        AppendWord(bytes, value, size);
    // Rows are stored bottom-up.
    for (int row = height - 1; row >= 0; --row) {
        const auto mix = [&](int from, int to) { return static_cast<char>(from + (to - from) * row / height); };
        for (int x = 0; x < width; ++x)
            bytes += {mix(top.blue, bottom.blue), mix(top.green, bottom.green), mix(top.red, bottom.red)};
        bytes.append(static_cast<std::size_t>(stride - 3 * width), '\0');
    }
    return bytes;
}

void RegisterPictures(HINSTANCE module)
{
    static bool registered = false;
    if (registered)
        return;
    RegisterImageResource(module, IDB_WIZARD_HEADER, Shaded(49, 49, {0x30, 0x70, 0xC0}, {0x10, 0x40, 0x90}));
    RegisterImageResource(module, IDB_WIZARD_WATERMARK, Shaded(164, 314, {0x20, 0x60, 0xB0}, {0xF0, 0xF4, 0xFF}));
    RegisterImageResource(module, IDI_WIZARD, Shaded(32, 32, {0xF0, 0xA0, 0x20}, {0xC0, 0x60, 0x10}));
    registered = true;
}

}  // namespace

CWEWizardPictures::CWEWizardPictures()
{
    const HINSTANCE module = AfxGetResourceHandle();
    RegisterPictures(module);
    m_hbmHeader = LoadBitmap(module, IDB_WIZARD_HEADER);
    m_hbmWatermark = LoadBitmap(module, IDB_WIZARD_WATERMARK);
    m_hIcon = LoadIcon(module, IDI_WIZARD);
}

CWEWizardPictures::~CWEWizardPictures()
{
    DestroyIcon(m_hIcon);
    DeleteObject(m_hbmWatermark);
    DeleteObject(m_hbmHeader);
}
