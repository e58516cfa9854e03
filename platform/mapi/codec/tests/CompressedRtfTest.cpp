#include "mapi/CompressedRtf.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// The two worked examples that come with the format's description.
const std::vector<BYTE> kHelloWorld = {
    0x2D, 0x00, 0x00, 0x00, 0x2B, 0x00, 0x00, 0x00, 0x4C, 0x5A, 0x46, 0x75, 0xF1, 0xC5, 0xC7, 0xA7, 0x03,
    0x00, 0x0A, 0x00, 0x72, 0x63, 0x70, 0x67, 0x31, 0x32, 0x35, 0x42, 0x32, 0x0A, 0xF3, 0x20, 0x68, 0x65,
    0x6C, 0x09, 0x00, 0x20, 0x62, 0x77, 0x05, 0xB0, 0x6C, 0x64, 0x7D, 0x0A, 0x80, 0x0F, 0xA0};
const std::string kHelloWorldText = "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n";

const std::vector<BYTE> kRunLength = {0x1A, 0x00, 0x00, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x4C, 0x5A,
                                      0x46, 0x75, 0xE2, 0xD4, 0x4B, 0x51, 0x41, 0x00, 0x04, 0x20,
                                      0x57, 0x58, 0x59, 0x5A, 0x0D, 0x6E, 0x7D, 0x01, 0x0E, 0xB0};
const std::string kRunLengthText = "{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}";

void SetDword(std::vector<BYTE>& data, std::size_t at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        data[at + i] = static_cast<BYTE>(value >> (8 * i));
}

void FixCrc(std::vector<BYTE>& data)
{
    SetDword(data, 12, RtfCrc(std::span<const BYTE>(data).subspan(LZFU_HEADER_SIZE)));
}

std::string Decoded(const std::vector<BYTE>& data)
{
    const RtfDecodeResult result = DecompressRtf(data);
    EXPECT_EQ(result.hr, S_OK) << result.error;
    return result.rtf;
}

HRESULT DecodeStatus(const std::vector<BYTE>& data)
{
    const RtfDecodeResult result = DecompressRtf(data);
    if (FAILED(result.hr)) {
        EXPECT_FALSE(result.error.empty());
        EXPECT_TRUE(result.rtf.empty());
    }
    return result.hr;
}

std::string SampleRtf(std::size_t size)
{
    std::mt19937 random(42);
    const char* words[] = {"\\par ", "survey ", "\\b ", "answer ", "{\\i project}", "\\'e9", "\r\n", "Pollenta "};
    std::string text = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}";
    while (text.size() < size)
        text += words[random() % 8];
    return text + "}";
}

TEST(CompressedRtf, PublishedExamplesDecodeAndAreReproducedExactly)
{
    EXPECT_EQ(Decoded(kHelloWorld), kHelloWorldText);
    EXPECT_EQ(Decoded(kRunLength), kRunLengthText);
    EXPECT_EQ(CompressRtf(kHelloWorldText), kHelloWorld);
    EXPECT_EQ(CompressRtf(kRunLengthText), kRunLength);
    EXPECT_EQ(RtfCrc(std::span<const BYTE>(kHelloWorld).subspan(LZFU_HEADER_SIZE)), 0xA7C7C5F1u);
}

TEST(CompressedRtf, UncompressedFormCarriesTheTextAsItIs)
{
    const std::vector<BYTE> stored = StoreUncompressedRtf(kHelloWorldText);
    ASSERT_EQ(stored.size(), 16u + 43u);
    EXPECT_EQ(std::vector<BYTE>(stored.begin(), stored.begin() + 16),
              (std::vector<BYTE>{0x37, 0, 0, 0, 0x2B, 0, 0, 0, 'M', 'E', 'L', 'A', 0, 0, 0, 0}));
    EXPECT_EQ(Decoded(stored), kHelloWorldText);
}

TEST(CompressedRtf, RoundTripsTextsThatWrapTheRingAndArbitraryBytes)
{
    std::string binary;
    for (int i = 0; i < 20000; ++i)
        binary.push_back(static_cast<char>((i * 7919) % 251 == 0 ? 0 : (i * 31) & 0xFF));
    const std::string texts[] = {
        "", "x", "{", SampleRtf(300), SampleRtf(5000), SampleRtf(200000), std::string(10000, 'a'),
        std::string(4096, '\0') + "tail", binary,
    };
    for (const std::string& text : texts) {
        const std::vector<BYTE> packed = CompressRtf(text);
        EXPECT_EQ(Decoded(packed), text) << "size " << text.size();
        EXPECT_EQ(Decoded(StoreUncompressedRtf(text)), text);
    }
    EXPECT_LT(CompressRtf(SampleRtf(200000)).size(), 200000u / 3);
}

TEST(CompressedRtf, EveryTruncationFailsCleanly)
{
    for (std::size_t length = 0; length < kHelloWorld.size(); ++length) {
        std::vector<BYTE> cut(kHelloWorld.begin(), kHelloWorld.begin() + length);
        EXPECT_EQ(DecodeStatus(cut), MAPI_E_CORRUPT_DATA) << length;
        // Even with a header that agrees with the shorter data, the tokens run
        // out; only a stream that lost just its end marker still holds all text.
        if (length >= LZFU_HEADER_SIZE && length != kHelloWorld.size() - 2) {
            SetDword(cut, 0, static_cast<DWORD>(length - 4));
            FixCrc(cut);
            EXPECT_EQ(DecodeStatus(cut), MAPI_E_CORRUPT_DATA) << length;
        }
    }
}

TEST(CompressedRtf, LyingHeadersAreRejected)
{
    std::vector<BYTE> data = kHelloWorld;
    data[20] ^= 0x01;
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "CRC";

    data = kHelloWorld;
    SetDword(data, 4, 0xFFFFFFF0);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "raw size too big";
    SetDword(data, 4, 10);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "raw size too small";

    data = kHelloWorld;
    SetDword(data, 0, 0xFFFFFFFF);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "compressed size beyond the data";
    SetDword(data, 0, 3);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "compressed size below the header";

    data = kHelloWorld;
    data[11] = 'X';
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "unknown type";

    data = StoreUncompressedRtf("abc");
    SetDword(data, 4, 4);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA) << "uncompressed raw size beyond the data";
}

TEST(CompressedRtf, TrailingPaddingAfterTheStreamIsIgnored)
{
    std::vector<BYTE> padded = kHelloWorld;
    padded.insert(padded.end(), {0, 0, 0, 0});
    EXPECT_EQ(Decoded(padded), kHelloWorldText);
}

TEST(CompressedRtf, TokenStreamsThatOverrunTheRawSizeStopThere)
{
    // A control byte of all references, each copying 17 bytes, with a raw size of 20.
    std::vector<BYTE> data(16, 0);
    data.push_back(0xFF);
    for (int i = 0; i < 8; ++i)
        data.insert(data.end(), {0x00, 0x0F});
    SetDword(data, 0, static_cast<DWORD>(data.size() - 4));
    SetDword(data, 4, 20);
    SetDword(data, 8, LZFU_COMPRESSED);
    FixCrc(data);
    EXPECT_EQ(DecodeStatus(data), MAPI_E_CORRUPT_DATA);
}

} // namespace
