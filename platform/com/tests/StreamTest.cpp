#include "com/ComPtr.h"
#include "com/Stream.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LARGE_INTEGER Offset(LONGLONG value)
{
    LARGE_INTEGER offset;
    offset.QuadPart = value;
    return offset;
}

std::string ReadAll(IStream* stream)
{
    stream->Seek(Offset(0), STREAM_SEEK_SET, nullptr);
    std::string text;
    char buffer[4];
    ULONG read = 0;
    while (stream->Read(buffer, sizeof buffer, &read) == S_OK && read > 0) text.append(buffer, read);
    return text;
}

}  // namespace

TEST(MemoryStream, WritesSeeksAndReadsToTheEnd)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    ULONG written = 0;
    ASSERT_EQ(stream->Write("hello world", 11, &written), S_OK);
    EXPECT_EQ(written, 11u);
    EXPECT_EQ(stream->Commit(STGC_OVERWRITE), S_OK);
    ULARGE_INTEGER position;
    ASSERT_EQ(stream->Seek(Offset(-5), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 6u);
    char buffer[16] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "world");
    ASSERT_EQ(stream->Read(buffer, sizeof buffer, &read), S_OK);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(stream->Seek(Offset(-1), STREAM_SEEK_SET, nullptr), STG_E_INVALIDFUNCTION);

    STATSTG stat;
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 11u);
}

TEST(MemoryStream, WritingPastTheEndFillsTheGapWithZeros)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(pollenta::com::CreateMemoryStream("ab", 2, &stream), S_OK);
    stream->Seek(Offset(4), STREAM_SEEK_SET, nullptr);
    stream->Write("c", 1, nullptr);
    EXPECT_EQ(ReadAll(stream), std::string("ab\0\0c", 5));
    ULARGE_INTEGER size;
    size.QuadPart = 1;
    stream->SetSize(size);
    EXPECT_EQ(ReadAll(stream), "a");
}

TEST(MemoryStream, ClonesShareDataAndCopyToMovesBytes)
{
    CComPtr<IStream> stream;
    ASSERT_EQ(pollenta::com::CreateMemoryStream("0123456789", 10, &stream), S_OK);
    stream->Seek(Offset(2), STREAM_SEEK_SET, nullptr);
    CComPtr<IStream> clone;
    ASSERT_EQ(stream->Clone(&clone), S_OK);
    char c = 0;
    clone->Read(&c, 1, nullptr);
    EXPECT_EQ(c, '2');

    CComPtr<IStream> target;
    CreateStreamOnHGlobal(nullptr, TRUE, &target);
    ULARGE_INTEGER count;
    count.QuadPart = 100;
    ULARGE_INTEGER read, written;
    ASSERT_EQ(stream->CopyTo(target, count, &read, &written), S_OK);
    EXPECT_EQ(read.QuadPart, 8u);
    EXPECT_EQ(written.QuadPart, 8u);
    EXPECT_EQ(ReadAll(target), "23456789");

    CComPtr<ISequentialStream> sequential;
    EXPECT_EQ(stream.QueryInterface(&sequential), S_OK);
}
