#pragma once
// Keeps a window's menus and toolbars in step with its command bars: every
// OnUpdate the bars tell asks the window, once the event loop comes round,
// to build them again. Several changes in a row (an add-in adding a button
// and setting its caption, tag and face) make one rebuild.

#include "OfficeCommandBars.h"

#include "com/ComPtr.h"
#include "com/ConnectionPoint.h"

#include <QObject>

#include <functional>

namespace pollenta::outlook {

class CCommandBarsFollower {
public:
    // `window` is the context of the rebuild: none comes after it is gone.
    CCommandBarsFollower(_CommandBars* bars, QObject* window, std::function<void()> rebuild);
    ~CCommandBarsFollower();
    CCommandBarsFollower(const CCommandBarsFollower&) = delete;
    CCommandBarsFollower& operator=(const CCommandBarsFollower&) = delete;

private:
    CComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
    bool m_pending = false;
};

}  // namespace pollenta::outlook
