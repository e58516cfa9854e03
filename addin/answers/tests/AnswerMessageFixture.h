#pragma once
// Answer messages processed one by one on the test's thread, with the
// project library object the processor thread would have.

#include "AnswerTest.h"

#include "message/CWEAnswerMessage.h"
#include "message/CWEProjectPropsCache.h"

#include "IHubberly.h"

#include "com/Activation.h"

class AnswerMessageFixture : public AnswerTest {
protected:
    void SetUp() override
    {
        AnswerTest::SetUp();
        CLSID clsid = GUID_NULL;
        ASSERT_EQ(S_OK, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
        ASSERT_EQ(S_OK,
                  CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IHubberly, reinterpret_cast<void**>(&hubberly)));
    }

    CComPtr<IMessage> OpenMessage(const std::string& entryId)
    {
        ULONG type = 0;
        CComPtr<IUnknown> object;
        EXPECT_EQ(S_OK, world.Store()->OpenEntry(static_cast<ULONG>(entryId.size()),
                                                 reinterpret_cast<LPENTRYID>(const_cast<char*>(entryId.data())),
                                                 &IID_IMessage, MAPI_BEST_ACCESS, &type, &object));
        return CComQIPtr<IMessage>(object.p);
    }

    // Delivers a message and processes it with the given settings.
    CComPtr<IMessage> DeliverAndProcess(const std::string& eml, const CWEWatchSnapshot& settings)
    {
        CComPtr<IMessage> message = OpenMessage(world.Deliver(eml));
        CWEAnswerMessage answer(world.Log(), settings, cache);
        EXPECT_EQ(S_OK, answer.Process(world.Session(), world.Store(), message, hubberly));
        return message;
    }

    CComPtr<IHubberly> hubberly;
    CWEWatchSnapshot defaults;
    CWEProjectPropsCache cache;
};
