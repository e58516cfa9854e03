#include "ControlWidgets.h"
#include "Dispatch.h"
#include "WindowTable.h"
#include "ui/Gdi.h"
#include "ui/Window.h"

#include <QButtonGroup>
#include <QComboBox>

HWND CreateChildControl(HWND parent, const std::string& className, const std::string& text, DWORD style,
                        DWORD exStyle, int id, const QRect& rect, QButtonGroup*& radioGroup)
{
    WindowRecord* owner = FindRecord(parent);
    if (!owner || !owner->widget)
        return nullptr;
    auto record = std::make_unique<WindowRecord>();
    record->className = className;
    record->style = style;
    record->exStyle = exStyle;
    record->id = id;
    record->parent = parent;
    record->text = text;
    // The handle exists before the widget, whose signals name it.
    HWND hwnd = WindowTable::Instance().Add(std::move(record));
    WindowRecord* control = FindRecord(hwnd);
    control->widget = CreateControlWidget(*control, owner->widget, radioGroup);
    QWidget* widget = control->widget;
    widget->setGeometry(rect);
    if (exStyle & WS_EX_LAYOUTRTL)
        widget->setLayoutDirection(Qt::RightToLeft);
    SetWindowFont(hwnd, GetWindowFont(parent), FALSE);
    // A combo box's height counts its drop-down list; the box itself is as
    // tall as its font needs.
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        combo->setMaximumHeight(combo->sizeHint().height());
        combo->setGeometry(rect);
    }
    ShowWindowText(*control);
    widget->setEnabled(!(style & WS_DISABLED));
    widget->setVisible(style & WS_VISIBLE);
    return hwnd;
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR text, DWORD style, int x, int y, int cx, int cy,
                    HWND parent, HMENU menu, HINSTANCE, LPVOID)
{
    if (!className || !(style & WS_CHILD))
        return nullptr;
    QButtonGroup* radioGroup = nullptr;
    return CreateChildControl(parent, className, text ? text : "", style, exStyle,
                              static_cast<int>(reinterpret_cast<std::intptr_t>(menu)), QRect(x, y, cx, cy), radioGroup);
}
