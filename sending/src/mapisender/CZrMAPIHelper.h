#pragma once
// Operations on a message through MAPI that the second sending method needs:
// names resolved against the address book, the compressed RTF opened as a
// plain RTF stream, the body's format. Failures throw the component's error.

#include "com/Stream.h"
#include "mapi/IAddrBook.h"
#include "mapi/IMessage.h"

class CZrMAPIHelper {
public:
    enum BodyFormat { FormatPlain = 1, FormatHtml = 2, FormatRtf = 3 };

    static BOOL CheckProperty(IMessage* lpMessage, ULONG tag);
    static void ResolveFromField(ULONG_PTR ulUIParam, ULONG flags, IAddrBook* lpAddrBook, IMessage* lpMessage);
    // The From fields and every recipient, then the message is saved.
    static void ResolveMessageNames(ULONG_PTR ulUIParam, ULONG flags, IAddrBook* lpAddrBook, IMessage* lpMessage);
    // FALSE when the message has no compressed RTF.
    static BOOL OpenRTFReadStream(IMessage* lpMessage, IStream** lppRTFReadStream);
    // FALSE when the store reports the compressed RTF missing.
    static BOOL OpenRTFWriteStream(IMessage* lpMessage, IStream** lppRTFWriteStream);
    static int GetBodyFormat(IMessage* lpMessage);
    // The recipient properties a client keeps and the sender reads; a
    // recipient table's own column set may hold fewer.
    static LPSPropTagArray RecipientColumns();
};
