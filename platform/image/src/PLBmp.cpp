#include "image/PLBmp.h"

#include "BmpData.h"
#include "MagickRuntime.h"

using pollenta::image::BmpData;

// The picture inside needs GraphicsMagick running, whichever call of the
// library comes first.
PLBmp::PLBmp() : m_data((pollenta::image::EnsureMagick(), std::make_unique<BmpData>())) {}
PLBmp::~PLBmp() = default;
PLBmp::PLBmp(PLBmp&&) noexcept = default;
PLBmp& PLBmp::operator=(PLBmp&&) noexcept = default;

bool PLBmp::IsEmpty() const { return !m_data->loaded || GetWidth() < 1 || GetHeight() < 1; }

int PLBmp::GetWidth() const { return m_data->loaded ? static_cast<int>(m_data->image.columns()) : 0; }

int PLBmp::GetHeight() const { return m_data->loaded ? static_cast<int>(m_data->image.rows()) : 0; }

int PLBmp::GetBitsPerPixel() const
{
    if (!m_data->loaded)
        return 0;
    Magick::Image& image = m_data->image;
    if (image.classType() == Magick::PseudoClass) {
        const unsigned colours = image.colorMapSize();
        return colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
    }
    return image.matte() ? 32 : 24;
}

bool PLBmp::HasAlpha() const { return m_data->loaded && m_data->image.matte(); }
