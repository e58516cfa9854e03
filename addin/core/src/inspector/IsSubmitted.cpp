#include "inspector/IsSubmitted.h"

#include "util/CZrMapiBufferPtr.h"

#include "com/ComPtr.h"

#include "mapi/IMessage.h"
#include "mapi/MapiFlags.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"

bool IsSubmitted(_MailItem* mail)
{
    CComPtr<IUnknown> object;
    if (FAILED(mail->get_MAPIOBJECT(&object)))
        return false;
    CComQIPtr<IMessage> message(object.p);
    CZrMapiBufferPtr<SPropValue> flags;
    if (!message || FAILED(HrGetOneProp(message, PR_MESSAGE_FLAGS, &flags)) || !flags)
        return false;
    return (flags->Value.l & MSGFLAG_SUBMIT) != 0;
}
