#include "BodyProperty.h"

#include "com/ComPtr.h"
#include "com/Stream.h"
#include "mapi/MapiUtil.h"
#include "mapi/WrapCompressedRTFStream.h"

namespace {

constexpr ULONG kChunk = 65536;

HRESULT ReadStream(IStream* stream, std::string& text, bool firstChunkOnly)
{
    text.clear();
    std::string chunk(kChunk, '\0');
    for (;;) {
        ULONG read = 0;
        HRESULT hr = stream->Read(chunk.data(), kChunk, &read);
        if (FAILED(hr) || read == 0)
            break;
        text.append(chunk.data(), read);
        if (hr == S_FALSE || firstChunkOnly)
            break;
    }
    return S_OK;
}

HRESULT OpenStream(IMessage* message, ULONG tag, ULONG flags, CComPtr<IStream>& stream)
{
    return message->OpenProperty(tag, &IID_IStream, 0, flags, reinterpret_cast<LPUNKNOWN*>(&stream));
}

HRESULT WriteAndCommit(IStream* stream, const std::string& text)
{
    ULONG written = 0;
    HRESULT hr = stream->Write(text.data(), static_cast<ULONG>(text.size()), &written);
    if (SUCCEEDED(hr))
        hr = stream->Commit(STGC_OVERWRITE);
    return hr;
}

// The store must say how it keeps RTF before anything is created.
HRESULT StoreSupportMask(IMessage* message, ULONG& mask)
{
    LPSPropValue value = nullptr;
    HRESULT hr = HrGetOneProp(message, PR_STORE_SUPPORT_MASK, &value);
    if (FAILED(hr))
        return E_FAIL;
    mask = PROP_TYPE(value->ulPropTag) == PT_ERROR ? 0 : value->Value.l;
    MAPIFreeBuffer(value);
    return mask == 0 ? E_FAIL : S_OK;
}

}  // namespace

HRESULT ReadTextProperty(IMessage* message, ULONG tag, std::string& text)
{
    CComPtr<IStream> stream;
    if (FAILED(OpenStream(message, tag, 0, stream)) || !stream)
        return E_FAIL;
    return ReadStream(stream, text, false);
}

HRESULT WriteTextProperty(IMessage* message, ULONG tag, const std::string& text)
{
    if (text.empty())
        return E_FAIL;
    CComPtr<IStream> stream;
    HRESULT hr = OpenStream(message, tag, MAPI_CREATE | MAPI_MODIFY, stream);
    if (SUCCEEDED(hr))
        hr = WriteAndCommit(stream, text);
    return hr;
}

HRESULT ReadRtfBody(IMessage* message, std::string& text, bool firstChunkOnly)
{
    CComPtr<IStream> compressed;
    if (FAILED(OpenStream(message, PR_RTF_COMPRESSED, 0, compressed)) || !compressed)
        return E_FAIL;
    CComPtr<IStream> rtf;
    if (FAILED(WrapCompressedRTFStream(compressed, 0, &rtf)) || !rtf)
        return E_FAIL;
    return ReadStream(rtf, text, firstChunkOnly);
}

HRESULT WriteRtfBody(IMessage* message, const std::string& text)
{
    ULONG mask = 0;
    if (text.empty() || FAILED(StoreSupportMask(message, mask)))
        return E_FAIL;
    CComPtr<IStream> compressed;
    HRESULT hr = OpenStream(message, PR_RTF_COMPRESSED, MAPI_CREATE | MAPI_MODIFY, compressed);
    if (FAILED(hr))
        return hr;
    CComPtr<IStream> rtf;
    hr = WrapCompressedRTFStream(compressed, MAPI_MODIFY | (mask & STORE_UNCOMPRESSED_RTF), &rtf);
    if (SUCCEEDED(hr))
        hr = WriteAndCommit(rtf, text);
    if (SUCCEEDED(hr))
        hr = RTFSync(message, RTF_SYNC_RTF_CHANGED, nullptr);
    return hr;
}

HRESULT DetectBodyFormat(IMessage* message, BodyFormat& format)
{
    std::string rtf;
    if (FAILED(ReadRtfBody(message, rtf, true)))
        return E_FAIL;
    std::size_t from = rtf.find("\\from");
    format = BodyFormat::Rtf;
    if (from != std::string::npos && rtf.compare(from, 9, "\\fromtext") == 0)
        format = BodyFormat::Plain;
    else if (from != std::string::npos && rtf.compare(from, 9, "\\fromhtml") == 0)
        format = BodyFormat::Html;
    return S_OK;
}
