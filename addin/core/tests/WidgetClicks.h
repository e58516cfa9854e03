#pragma once
// Clicks where a person clicks: on a point of a widget, on a row of a list
// or table, on the client's own toolbar button, each as the mouse events the
// window system would deliver.
//
//     ClickAt(list->viewport(), QPoint(10, list->viewport()->height() - 5));
//     DoubleClickRow(messages, 0);              // opens the message
//     ClickToolButton(inspectorWindow, "Send");

#include <QAbstractItemView>
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QToolBar>
#include <QToolButton>

#include <string>

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void ClickAt(QWidget* target, QPoint at)
{
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

inline QPoint RowCentre(QAbstractItemView* view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

inline void DoubleClickRow(QAbstractItemView* view, int row)
{
    const QPoint at = RowCentre(view, row);
    ClickAt(view->viewport(), at);
    SendMouse(view->viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// The toolbar button with this caption (without its "&" marks); false when
// the window's toolbars show none.
inline bool ClickToolButton(QMainWindow* window, const std::string& caption)
{
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        for (QAction* action : bar->actions())
            if (action->text().remove('&').toStdString() == caption)
                if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
                    button->click();
                    return true;
                }
    return false;
}
