#pragma once
// A folder of a message store.

#include "mapi/IMAPIContainer.h"
#include "mapi/IMessage.h"

struct IMAPIFolder : IMAPIContainer {
    STDMETHOD(CreateMessage)(LPCIID lpInterface, ULONG ulFlags, LPMESSAGE* lppMessage) PURE;
    STDMETHOD(CopyMessages)(LPENTRYLIST lpMsgList, LPCIID lpInterface, LPVOID lpDestFolder, ULONG_PTR ulUIParam,
                            LPMAPIPROGRESS lpProgress, ULONG ulFlags) PURE;
    STDMETHOD(DeleteMessages)(LPENTRYLIST lpMsgList, ULONG_PTR ulUIParam, LPMAPIPROGRESS lpProgress,
                              ULONG ulFlags) PURE;
    STDMETHOD(CreateFolder)(ULONG ulFolderType, LPSTR lpszFolderName, LPSTR lpszFolderComment, LPCIID lpInterface,
                            ULONG ulFlags, IMAPIFolder** lppFolder) PURE;

protected:
    ~IMAPIFolder() = default;
};
using LPMAPIFOLDER = IMAPIFolder*;
POLLENTA_INTERFACE_IID(IMAPIFolder, IID_IMAPIFolder);
