#include "mapi/CompressedRtf.h"
#include "mapi/MapiCodes.h"
#include "mapi/WrapCompressedRTFStream.h"

#include "com/ComPtr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kRtf = "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n";

CComPtr<IStream> MemoryStream(const std::vector<BYTE>& bytes)
{
    CComPtr<IStream> stream;
    EXPECT_EQ(pollenta::com::CreateMemoryStream(bytes.data(), static_cast<ULONG>(bytes.size()), &stream), S_OK);
    return stream;
}

std::vector<BYTE> Contents(IStream* stream)
{
    LARGE_INTEGER start{};
    EXPECT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    std::vector<BYTE> out;
    BYTE chunk[1000];
    ULONG got = 0;
    while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &got)) && got > 0)
        out.insert(out.end(), chunk, chunk + got);
    return out;
}

std::string ReadText(IStream* stream)
{
    const std::vector<BYTE> bytes = Contents(stream);
    return std::string(bytes.begin(), bytes.end());
}

HRESULT WriteText(IStream* stream, const std::string& text)
{
    ULONG written = 0;
    const HRESULT hr = stream->Write(text.data(), static_cast<ULONG>(text.size()), &written);
    EXPECT_EQ(written, SUCCEEDED(hr) ? text.size() : 0u);
    return hr;
}

TEST(WrapCompressedRTFStream, ReadsTheDecompressedText)
{
    CComPtr<IStream> compressed = MemoryStream(CompressRtf(kRtf));
    CComPtr<IStream> rtf;
    ASSERT_EQ(WrapCompressedRTFStream(compressed, 0, &rtf), S_OK);
    EXPECT_EQ(ReadText(rtf), kRtf);
    EXPECT_EQ(WriteText(rtf, "x"), STG_E_ACCESSDENIED);

    CComPtr<IStream> stored = MemoryStream(StoreUncompressedRtf(kRtf));
    CComPtr<IStream> plain;
    ASSERT_EQ(WrapCompressedRTFStream(stored, 0, &plain), S_OK);
    EXPECT_EQ(ReadText(plain), kRtf);

    CComPtr<IStream> empty = MemoryStream({});
    CComPtr<IStream> nothing;
    ASSERT_EQ(WrapCompressedRTFStream(empty, 0, &nothing), S_OK);
    EXPECT_EQ(ReadText(nothing), "");
}

TEST(WrapCompressedRTFStream, WritesCompressedTextOnCommitOnly)
{
    CComPtr<IStream> compressed = MemoryStream({});
    CComPtr<IStream> rtf;
    ASSERT_EQ(WrapCompressedRTFStream(compressed, MAPI_MODIFY, &rtf), S_OK);
    ASSERT_EQ(WriteText(rtf, kRtf), S_OK);
    EXPECT_TRUE(Contents(compressed).empty());
    ASSERT_EQ(rtf->Commit(STGC_OVERWRITE), S_OK);
    EXPECT_EQ(Contents(compressed), CompressRtf(kRtf));

    CComPtr<IStream> uncompressed = MemoryStream({});
    CComPtr<IStream> writer;
    ASSERT_EQ(WrapCompressedRTFStream(uncompressed, MAPI_MODIFY | STORE_UNCOMPRESSED_RTF, &writer), S_OK);
    ASSERT_EQ(WriteText(writer, kRtf), S_OK);
    ASSERT_EQ(writer->Commit(STGC_DEFAULT), S_OK);
    EXPECT_EQ(Contents(uncompressed), StoreUncompressedRtf(kRtf));
}

TEST(WrapCompressedRTFStream, CommitReplacesLongerOldTextAndRevertDropsChanges)
{
    const std::string longText = "{\\rtf1 " + std::string(20000, 'q') + "}";
    CComPtr<IStream> compressed = MemoryStream(StoreUncompressedRtf(longText));
    CComPtr<IStream> rtf;
    ASSERT_EQ(WrapCompressedRTFStream(compressed, MAPI_MODIFY, &rtf), S_OK);
    ASSERT_EQ(WriteText(rtf, "{\\rtf1 short}"), S_OK);
    ASSERT_EQ(rtf->Commit(STGC_DEFAULT), S_OK);
    ASSERT_EQ(WriteText(rtf, " and more"), S_OK);
    ASSERT_EQ(rtf->Revert(), S_OK);
    rtf.Release();

    CComPtr<IStream> reader;
    ASSERT_EQ(WrapCompressedRTFStream(compressed, 0, &reader), S_OK);
    EXPECT_EQ(ReadText(reader), "{\\rtf1 short}");
}

TEST(WrapCompressedRTFStream, RejectsDamagedDataAndBadArguments)
{
    std::vector<BYTE> damaged = CompressRtf(kRtf);
    damaged.resize(damaged.size() - 5);
    CComPtr<IStream> compressed = MemoryStream(damaged);
    IStream* rtf = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(WrapCompressedRTFStream(compressed, 0, &rtf), MAPI_E_CORRUPT_DATA);
    EXPECT_EQ(rtf, nullptr);
    EXPECT_EQ(WrapCompressedRTFStream(compressed, 0x100, &rtf), MAPI_E_UNKNOWN_FLAGS);
    EXPECT_EQ(WrapCompressedRTFStream(nullptr, 0, &rtf), MAPI_E_INVALID_PARAMETER);
    EXPECT_EQ(WrapCompressedRTFStream(compressed, 0, nullptr), MAPI_E_INVALID_PARAMETER);
}

TEST(WrapCompressedRTFStream, KeepsTheCompressedStreamAlive)
{
    IStream* compressed = nullptr;
    ASSERT_EQ(pollenta::com::CreateMemoryStream(nullptr, 0, &compressed), S_OK);
    IStream* rtf = nullptr;
    ASSERT_EQ(WrapCompressedRTFStream(compressed, MAPI_MODIFY, &rtf), S_OK);
    compressed->Release();
    ASSERT_EQ(WriteText(rtf, kRtf), S_OK);
    EXPECT_EQ(rtf->Commit(STGC_DEFAULT), S_OK);
    EXPECT_EQ(rtf->Release(), 0u);
}

} // namespace
