#include "CommandBarsFollower.h"

#include "com/ConnectionPoint.h"
#include "com/EventSink.h"

#include <QPointer>

namespace pollenta::outlook {

CCommandBarsFollower::CCommandBarsFollower(_CommandBars* bars, QObject* window, std::function<void()> rebuild)
{
    CComQIPtr<IConnectionPointContainer> container(bars);
    CComPtr<IDispatch> sink;
    auto handler = [this, target = QPointer<QObject>(window),
                    rebuild = std::move(rebuild)](DISPID id, pollenta::com::DispatchCall&) -> HRESULT {
        if (id != DISPID_CommandBarsEvents_OnUpdate)
            return DISP_E_MEMBERNOTFOUND;
        if (m_pending || !target)
            return S_OK;
        m_pending = true;
        QMetaObject::invokeMethod(
            target.data(),
            [this, rebuild] {
                m_pending = false;
                rebuild();
            },
            Qt::QueuedConnection);
        return S_OK;
    };
    if (!container || FAILED(container->FindConnectionPoint(IID__CommandBarsEvents, &m_point)) ||
        FAILED(pollenta::com::CreateEventSink(IID__CommandBarsEvents, std::move(handler), &sink)) ||
        FAILED(m_point->Advise(sink, &m_cookie)))
        m_point.Release();
}

CCommandBarsFollower::~CCommandBarsFollower()
{
    if (m_point)
        m_point->Unadvise(m_cookie);
}

}  // namespace pollenta::outlook
