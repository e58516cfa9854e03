#pragma once
// Passes the keys, mouse and cursor events of a control to the receiver attached
// to it with SubclassWindow.

#include <QObject>

class HandlerFilter : public QObject {
public:
    static HandlerFilter* Instance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Set by SetCursor while a receiver answers a cursor query.
struct HCURSOR__;
void RequestCursor(HCURSOR__* cursor);
