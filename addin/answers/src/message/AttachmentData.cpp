#include "message/AttachmentData.h"

#include "message/MapiReads.h"

#include "com/ComPtr.h"
#include "com/Stream.h"
#include "html/MimeCodePages.h"
#include "mapi/PropTags.h"

#include <algorithm>

AttachmentRead ReadAttachmentData(IAttachment* attachment, std::string& data, std::size_t limit)
{
    data.clear();
    CComPtr<IStream> stream;
    if (FAILED(attachment->OpenProperty(PR_ATTACH_DATA_BIN, &IID_IStream, 0, 0,
                                        reinterpret_cast<LPUNKNOWN*>(&stream))) ||
        !stream)
        return AttachmentRead::Failed;
    char chunk[65536];
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
        if (FAILED(hr))
            return AttachmentRead::Failed;
        if (read == 0)
            break;
        const std::size_t room = limit - data.size();
        data.append(chunk, std::min<std::size_t>(read, room));
        if (read > room)
            return AttachmentRead::TooLarge;
        if (hr == S_FALSE)
            break;
    }
    return data.empty() ? AttachmentRead::Empty : AttachmentRead::Whole;
}

UINT DeclaredCodePage(IAttachment* attachment, std::string& charset)
{
    charset.clear();
    MIMECSETINFO info{};
    if (!ReadStringProp(attachment, PR_TEXT_ATTACHMENT_CHARSET_A, charset) || FAILED(GetCharsetInfo(charset, info)))
        return 0;
    return info.uiInternetEncoding;
}
