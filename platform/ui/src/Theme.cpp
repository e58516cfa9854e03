#include "Application.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "Convert.h"
#include "ui/Paint.h"
#include "ui/Theme.h"
#include "ui/Wnd.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include <string>

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

namespace {

QStyle::State StateFlags(int part, int state, const QWidget* widget)
{
    QStyle::State flags = QStyle::State_None;
    const int kind = part == BP_CHECKBOX ? (state - 1) % 4 + 1 : state;
    if (kind != PBS_DISABLED)
        flags |= QStyle::State_Enabled;
    if (kind == PBS_HOT)
        flags |= QStyle::State_MouseOver;
    if (kind == PBS_PRESSED)
        flags |= QStyle::State_Sunken;
    if (part == BP_PUSHBUTTON && state == PBS_DEFAULTED)
        flags |= QStyle::State_HasFocus;
    if (part == BP_PUSHBUTTON && kind != PBS_PRESSED)
        flags |= QStyle::State_Raised;
    if (part == BP_CHECKBOX)
        flags |= state >= CBS_CHECKEDNORMAL ? QStyle::State_On : QStyle::State_Off;
    if (widget && widget->isActiveWindow())
        flags |= QStyle::State_Active;
    return flags;
}

QStyle* StyleOf(const QWidget* widget) { return widget ? widget->style() : QApplication::style(); }

} // namespace

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, LPCRECT rect, LPCRECT)
{
    if (!theme || !dc || !rect || !dc->painter)
        return E_INVALIDARG;
    QWidget* widget = theme->widget;
    QPalette palette = widget ? widget->palette() : QApplication::palette();
    const QRect area = ToQRect(*rect);
    if (part == BP_PUSHBUTTON || part == BP_CHECKBOX) {
        QStyleOptionButton option;
        if (widget)
            option.initFrom(widget);
        option.rect = area;
        option.state = StateFlags(part, state, widget);
        if (part == BP_PUSHBUTTON)
            StyleOf(widget)->drawControl(QStyle::CE_PushButtonBevel, &option, dc->painter, widget);
        else
            StyleOf(widget)->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, dc->painter, widget);
        return S_OK;
    }
    // A tab page's body is the base colour of the style; other parts the window colour.
    QColor colour = part == TABP_BODY ? palette.color(QPalette::Base) : palette.color(QPalette::Window);
    dc->painter->fillRect(area, colour);
    return S_OK;
}

HRESULT DrawThemeParentBackground(HWND hwnd, HDC dc, LPCRECT rect)
{
    WindowRecord* record = FindRecord(hwnd);
    WindowRecord* parent = record ? FindRecord(record->parent) : nullptr;
    if (!record || !record->widget || !dc || !dc->painter)
        return E_INVALIDARG;
    if (!parent || !parent->handler || !parent->widget)
        return S_FALSE;
    const QPoint offset = record->widget->mapTo(parent->widget, QPoint(0, 0));
    dc->painter->save();
    if (rect)
        dc->painter->setClipRect(ToQRect(*rect));
    dc->painter->translate(-offset);
    HDC__ parentDc;
    parentDc.widget = parent->widget;
    parentDc.painter = dc->painter;
    parent->handler->OnEraseBkgnd(&parentDc);
    dc->painter->restore();
    return S_OK;
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCOLESTR text, int length, DWORD flags, DWORD,
                      LPCRECT rect)
{
    if (!theme || !dc || !dc->painter || !text || !rect)
        return E_INVALIDARG;
    std::u16string_view wide = length < 0 ? std::u16string_view(text) : std::u16string_view(text, static_cast<size_t>(length));
    QWidget* widget = theme->widget;
    QPalette palette = widget ? widget->palette() : QApplication::palette();
    const bool enabled = (StateFlags(part, state, widget) & QStyle::State_Enabled) != 0;
    const COLORREF previous = dc->textColor;
    const QColor colour = palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    dc->textColor = RGB(static_cast<BYTE>(colour.red()), static_cast<BYTE>(colour.green()), static_cast<BYTE>(colour.blue()));
    RECT area = *rect;
    const std::string narrow = ToNarrow(wide);
    DrawText(dc, narrow.c_str(), static_cast<int>(narrow.size()), &area, flags);
    dc->textColor = previous;
    return S_OK;
}

HRESULT GetThemePartSize(HTHEME theme, HDC, int part, int, LPCRECT, int, SIZE* size)
{
    if (!theme || !size)
        return E_INVALIDARG;
    QWidget* widget = theme->widget;
    if (part != BP_CHECKBOX)
        return E_NOTIMPL;
    *size = SIZE{StyleOf(widget)->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget),
                 StyleOf(widget)->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget)};
    return S_OK;
}

HRESULT GetThemeInt(HTHEME theme, int, int, int property, int* value)
{
    if (!theme || !value)
        return E_INVALIDARG;
    if (property != TMT_BORDERSIZE)
        return E_NOTIMPL;
    *value = StyleOf(theme->widget)->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, theme->widget);
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
