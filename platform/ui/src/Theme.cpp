#include "Application.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

struct HTHEME__ {
    QPointer<QWidget> widget;
};

namespace {

constexpr char kClassicProperty[] = "pollenta-classic";

// The classic style, made once and kept by the application.
QStyle* ClassicStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = QStyleFactory::create("Windows");
        if (style)
            style->setParent(qApp);
    }
    return style;
}

bool IsBlank(LPCOLESTR text) { return text && text[0] == u' ' && text[1] == 0; }

} // namespace

BOOL IsThemeLibraryPresent() { return EnsureApplication() && QApplication::style(); }

HTHEME OpenThemeData(HWND hwnd, LPCOLESTR)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget || !IsThemeLibraryPresent() || IsWindowClassic(hwnd))
        return nullptr;
    return new HTHEME__{record->widget};
}

HRESULT CloseThemeData(HTHEME theme)
{
    delete theme;
    return S_OK;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int, LPCRECT rect, LPCRECT)
{
    if (!theme || !dc || !rect || !dc->painter)
        return E_INVALIDARG;
    QWidget* widget = theme->widget;
    QPalette palette = widget ? widget->palette() : QApplication::palette();
    // A tab page's body is the base colour of the style; other parts the window colour.
    QColor colour = part == TABP_BODY ? palette.color(QPalette::Base) : palette.color(QPalette::Window);
    dc->painter->fillRect(QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top), colour);
    return S_OK;
}

HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return E_INVALIDARG;
    record->widget->setAutoFillBackground(false);
    return S_OK;
}

HRESULT SetWindowTheme(HWND hwnd, LPCOLESTR appName, LPCOLESTR idList)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return E_INVALIDARG;
    QWidget* widget = record->widget;
    bool classic = IsBlank(appName) && IsBlank(idList);
    QStyle* style = classic ? ClassicStyle() : nullptr;
    if (classic && !style)
        return E_FAIL;
    widget->setProperty(kClassicProperty, classic);
    widget->setStyle(style);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->setStyle(style);
    widget->update();
    return S_OK;
}

BOOL IsWindowClassic(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record && record->widget && record->widget->property(kClassicProperty).toBool();
}
