#pragma once
// A decoded picture. Empty until a decoder fills it.

#include <memory>

namespace pollenta::image {
struct BmpData;
}

class PLBmp {
public:
    PLBmp();
    ~PLBmp();
    PLBmp(PLBmp&&) noexcept;
    PLBmp& operator=(PLBmp&&) noexcept;
    PLBmp(const PLBmp&) = delete;
    PLBmp& operator=(const PLBmp&) = delete;

    bool IsEmpty() const;
    int GetWidth() const;
    int GetHeight() const;
    // 1, 4 or 8 for palette pictures, 24 or 32 (with alpha) for true colour.
    int GetBitsPerPixel() const;
    bool HasAlpha() const;

    // For the decoders, filters and encoders of this library.
    pollenta::image::BmpData& Data() const { return *m_data; }

private:
    std::unique_ptr<pollenta::image::BmpData> m_data;
};
