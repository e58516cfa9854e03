#pragma once
// An advise sink that calls a function, as HrAllocAdviseSink makes.

#include "MapiObject.h"
#include "mapi/IMAPIAdviseSink.h"

namespace pollenta::mapi {

class CAdviseSink : public TMapiObject<IMAPIAdviseSink> {
public:
    CAdviseSink(LPNOTIFCALLBACK callback, LPVOID context)
        : TMapiObject<IMAPIAdviseSink>({IID_IMAPIAdviseSink}), m_callback(callback), m_context(context)
    {
    }
    ULONG OnNotify(ULONG count, LPNOTIFICATION notifications) override
    {
        return m_callback(m_context, count, notifications);
    }

private:
    LPNOTIFCALLBACK m_callback;
    LPVOID m_context;
};

}  // namespace pollenta::mapi
