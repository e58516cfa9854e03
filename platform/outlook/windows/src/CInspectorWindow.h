#pragma once
// An inspector's window: the item's headers, its HTML body rendered, the
// menu bar and the "Standard" toolbar from the inspector's command bars.
// Send (the client's built-in control) sends the item. What the user typed
// into To and Subject reaches the item before any command runs, add-ins'
// buttons included, as they read the item and not the window.

#include "CommandBarsFollower.h"
#include "OutlookApplication.h"

#include "com/ComPtr.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>

namespace pollenta::outlook {

class CInspectorWindow : public QMainWindow {
public:
    explicit CInspectorWindow(_Inspector* inspector);

    _Inspector* Inspector() const { return m_inspector; }
    void RefreshBars();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the window does for the client's own Send and Save.
    bool HandleBuiltIn(LONG id);
    void ReadItem();
    // The headers the user changed, written into the item.
    void CommitEdits();
    // The typed To line replaces the item's To recipients.
    void CommitTo(const std::string& line);

    CComPtr<_Inspector> m_inspector;
    CComPtr<_MailItem> m_item;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_subject;
    QTextBrowser* m_body;
    QToolBar* m_toolBar;
    std::unique_ptr<CCommandBarsFollower> m_barsFollower;
    bool m_closing = false;
};

}  // namespace pollenta::outlook
