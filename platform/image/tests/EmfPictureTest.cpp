// Enhanced metafiles as image controls keep them: the bitmap they carry is
// the picture; a metafile without one, or with a record that reaches beyond
// its data, is no picture.

#include "FormPictures.h"

#include "image/PLAnyPicDecoder.h"

#include <gtest/gtest.h>

namespace {

using form_pictures::Bytes;

PLResult Decode(const Bytes& wrapped, PLBmp& bmp)
{
    // The metafile starts behind the 8-byte prefix.
    return PLAnyPicDecoder().MakeBmpFromMemory(wrapped.data() + 8, wrapped.size() - 8, bmp);
}

TEST(EmfPicture, GivesTheBitmapOfItsStretchDIBitsRecord)
{
    PLBmp bmp;
    ASSERT_TRUE(Decode(form_pictures::WrappedEmf(form_pictures::Dib24(7, 5, 0, 0, 255), 7, 5), bmp).Ok());
    EXPECT_EQ(7, bmp.GetWidth());
    EXPECT_EQ(5, bmp.GetHeight());
}

TEST(EmfPicture, RefusesMetafilesWithoutABitmapOrWithDamagedRecords)
{
    Bytes cut = form_pictures::WrappedEmf(form_pictures::Dib24(7, 5, 0, 0, 255), 7, 5);
    cut.resize(cut.size() - 40);
    Bytes oversized = form_pictures::WrappedEmf(form_pictures::Dib24(7, 5, 0, 0, 255), 7, 5);
    oversized[8 + 108 + 5] = 0x10;  // the bitmap record claims more than there is
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"no bitmap record", form_pictures::WrappedEmf({}, 7, 5)},
        {"cut short", cut},
        {"record larger than the data", oversized},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PLBmp bmp;
        EXPECT_FALSE(Decode(c.data, bmp).Ok());
        EXPECT_TRUE(bmp.IsEmpty());
    }
}

}  // namespace
