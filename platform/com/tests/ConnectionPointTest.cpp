#include "com/ComPtr.h"
#include "com/ConnectionPointImpl.h"
#include "com/EventSink.h"
#include "com/UnknownImpl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using pollenta::com::DispatchCall;

namespace {

// {3A0C7C10-1111-4B4B-8888-000000000002}
constexpr IID DIID_SampleEvents = {0x3A0C7C10, 0x1111, 0x4B4B, {0x88, 0x88, 0, 0, 0, 0, 0, 2}};
// {3A0C7C10-1111-4B4B-8888-000000000003}
constexpr IID DIID_OtherEvents = {0x3A0C7C10, 0x1111, 0x4B4B, {0x88, 0x88, 0, 0, 0, 0, 0, 3}};

// An event source with one outgoing interface.
class CSource : public pollenta::com::CUnknownImpl<CSource, pollenta::com::CConnectionPointContainerImpl> {
public:
    CSource() { AddConnectionPoint(&m_events); }

    pollenta::com::CConnectionPointImpl m_events{this, DIID_SampleEvents};
};

struct Sink {
    CComPtr<IDispatch> object;
    std::vector<std::string>* log;
};

Sink MakeSink(const std::string& name, std::vector<std::string>& log)
{
    Sink sink{nullptr, &log};
    pollenta::com::CreateEventSink(
        DIID_SampleEvents,
        [name, &log](DISPID id, DispatchCall& call) {
            std::string text;
            call.Arg(0, &text);
            log.push_back(name + ":" + std::to_string(id) + ":" + text);
            return S_OK;
        },
        &sink.object);
    return sink;
}

CComPtr<IConnectionPoint> PointOf(CSource* source)
{
    CComPtr<IConnectionPoint> point;
    EXPECT_EQ(source->FindConnectionPoint(DIID_SampleEvents, &point), S_OK);
    return point;
}

}  // namespace

TEST(ConnectionPoint, FiresToSinksInAdviseOrderUntilUnadvised)
{
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(CSource::CreateInstance(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    auto* source = static_cast<CSource*>(container.p);
    std::vector<std::string> log;
    Sink first = MakeSink("first", log);
    Sink second = MakeSink("second", log);
    DWORD firstCookie = 0, secondCookie = 0;
    ASSERT_EQ(pollenta::com::AtlAdvise(container, first.object, DIID_SampleEvents, &firstCookie), S_OK);
    ASSERT_EQ(pollenta::com::AtlAdvise(container, second.object, DIID_SampleEvents, &secondCookie), S_OK);
    EXPECT_NE(firstCookie, secondCookie);

    CComVariant args[] = {CComVariant("hello")};
    EXPECT_EQ(source->m_events.Fire(12, args), S_OK);
    EXPECT_EQ(log, (std::vector<std::string>{"first:12:hello", "second:12:hello"}));

    ASSERT_EQ(pollenta::com::AtlUnadvise(container, DIID_SampleEvents, firstCookie), S_OK);
    EXPECT_EQ(pollenta::com::AtlUnadvise(container, DIID_SampleEvents, firstCookie), CONNECT_E_NOCONNECTION);
    log.clear();
    source->m_events.Fire(13, args);
    EXPECT_EQ(log, (std::vector<std::string>{"second:13:hello"}));
}

TEST(ConnectionPoint, ConnectionsAreEnumeratedInAdviseOrder)
{
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(CSource::CreateInstance(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    std::vector<std::string> log;
    Sink a = MakeSink("a", log);
    Sink b = MakeSink("b", log);
    CComPtr<IConnectionPoint> point = PointOf(static_cast<CSource*>(container.p));
    DWORD cookies[2] = {};
    point->Advise(a.object, &cookies[0]);
    point->Advise(b.object, &cookies[1]);
    CComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, cookies[0]);
    EXPECT_EQ(data[1].dwCookie, cookies[1]);
    data[0].pUnk->Release();
    data[1].pUnk->Release();

    CComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_EQ(back.p, container.p);
}

TEST(ConnectionPoint, WrongInterfacesAreRefused)
{
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(CSource::CreateInstance(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    CComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(DIID_OtherEvents, &point), CONNECT_E_NOCONNECTION);

    CComPtr<IDispatch> otherSink;
    pollenta::com::CreateEventSink(
        DIID_OtherEvents, [](DISPID, DispatchCall&) { return S_OK; }, &otherSink);
    DWORD cookie = 7;
    EXPECT_EQ(PointOf(static_cast<CSource*>(container.p))->Advise(otherSink, &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
}

TEST(ConnectionPoint, SinkMayUnadviseWhileEventsAreFired)
{
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(CSource::CreateInstance(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)), S_OK);
    auto* source = static_cast<CSource*>(container.p);
    DWORD cookie = 0;
    int calls = 0;
    CComPtr<IDispatch> sink;
    pollenta::com::CreateEventSink(
        DIID_SampleEvents,
        [&](DISPID, DispatchCall&) {
            ++calls;
            return source->m_events.Unadvise(cookie);
        },
        &sink);
    source->m_events.Advise(sink, &cookie);
    sink.Release();
    EXPECT_EQ(source->m_events.Fire(1), S_OK);
    EXPECT_EQ(source->m_events.Fire(1), S_OK);
    EXPECT_EQ(calls, 1);
}
