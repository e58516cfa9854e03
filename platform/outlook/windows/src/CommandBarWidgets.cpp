#include "CommandBarWidgets.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"

#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QPixmap>

#include <algorithm>

namespace pollenta::outlook {

namespace {

// The menus and actions of an earlier fill go with it.
void ClearWidget(QWidget* widget)
{
    for (QAction* action : widget->actions()) {
        widget->removeAction(action);
        if (action->menu() && action->menu()->parent() == widget)
            action->menu()->deleteLater();
        else if (action->parent() == widget)
            action->deleteLater();
    }
}

struct ControlInfo {
    LONG type = 0;
    LONG id = 0;
    std::string caption;
    bool visible = true;
    bool enabled = true;
    bool beginGroup = false;
};

ControlInfo Describe(CommandBarControl* control)
{
    ControlInfo info;
    CComBSTR caption;
    VARIANT_BOOL flag = VARIANT_TRUE;
    control->get_Type(&info.type);
    control->get_Id(&info.id);
    control->get_Caption(&caption);
    info.caption = caption.ToString();
    control->get_Visible(&flag);
    info.visible = flag != VARIANT_FALSE;
    control->get_Enabled(&flag);
    info.enabled = flag != VARIANT_FALSE;
    control->get_BeginGroup(&flag);
    info.beginGroup = flag != VARIANT_FALSE;
    return info;
}

template <class Visit>
void ForEachControl(CommandBarControls* controls, Visit visit)
{
    LONG count = 0;
    if (!controls || FAILED(controls->get_Count(&count)))
        return;
    for (LONG i = 1; i <= count; ++i) {
        CComPtr<CommandBarControl> control;
        if (SUCCEEDED(controls->get_Item(CComVariant(i), &control)) && control)
            visit(control.p);
    }
}

// The face an add-in pasted on the button; a null icon for none.
QIcon FaceOf(CommandBarControl* control)
{
    CComQIPtr<_CommandBarButton> button(control);
    CComVariant picture;
    if (!button || FAILED(button->get_FacePicture(&picture)) || picture.vt != (VT_ARRAY | VT_UI1))
        return QIcon();
    void* data = nullptr;
    LONG upper = -1;
    SafeArrayGetUBound(picture.parray, 1, &upper);
    if (FAILED(SafeArrayAccessData(picture.parray, &data)))
        return QIcon();
    const QImage image = QImage::fromData(static_cast<const uchar*>(data), static_cast<int>(upper + 1), "BMP");
    SafeArrayUnaccessData(picture.parray);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QAction* ButtonAction(QObject* owner, CommandBarControl* control, const ControlInfo& info,
                      const BuiltInHandler& builtIn)
{
    auto* action = new QAction(FaceOf(control), QString::fromStdString(info.caption), owner);
    action->setEnabled(info.enabled);
    CComPtr<CommandBarControl> held(control);
    const LONG id = info.id;
    QObject::connect(action, &QAction::triggered, owner, [held, id, builtIn] {
        if (!builtIn || !builtIn(id))
            held->Execute();
    });
    return action;
}

void FillMenu(QMenu* menu, CommandBarControls* controls, const BuiltInHandler& builtIn);

void AddControl(QWidget* target, QMenu* asMenu, CommandBarControl* control, const BuiltInHandler& builtIn)
{
    const ControlInfo info = Describe(control);
    if (!info.visible)
        return;
    if (info.beginGroup && asMenu)
        asMenu->addSeparator();
    if (info.type == msoControlPopup) {
        auto* popup = new QMenu(QString::fromStdString(info.caption), target);
        CComQIPtr<CommandBarPopup> source(control);
        CComPtr<CommandBarControls> children;
        if (source)
            source->get_Controls(&children);
        FillMenu(popup, children, builtIn);
        target->addAction(popup->menuAction());
        return;
    }
    target->addAction(ButtonAction(target, control, info, builtIn));
}

void FillMenu(QMenu* menu, CommandBarControls* controls, const BuiltInHandler& builtIn)
{
    ForEachControl(controls, [&](CommandBarControl* control) { AddControl(menu, menu, control, builtIn); });
}

CComPtr<CommandBarControls> ControlsOf(CommandBar* bar)
{
    CComPtr<CommandBarControls> controls;
    if (bar)
        bar->get_Controls(&controls);
    return controls;
}

}  // namespace

std::string CaptionWithoutMarks(std::string caption)
{
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

void FillMenuBar(QMenuBar* menuBar, CommandBar* bar, const BuiltInHandler& builtIn)
{
    ClearWidget(menuBar);
    ForEachControl(ControlsOf(bar),
                   [&](CommandBarControl* control) { AddControl(menuBar, nullptr, control, builtIn); });
}

void FillToolBar(QToolBar* toolBar, CommandBar* bar, const BuiltInHandler& builtIn)
{
    ClearWidget(toolBar);
    ForEachControl(ControlsOf(bar),
                   [&](CommandBarControl* control) { AddControl(toolBar, nullptr, control, builtIn); });
}

QAction* FindAction(const QList<QAction*>& actions, const std::string& caption)
{
    for (QAction* action : actions) {
        if (action->menu()) {
            if (QAction* found = FindAction(action->menu()->actions(), caption))
                return found;
        } else if (CaptionWithoutMarks(action->text().toStdString()) == CaptionWithoutMarks(caption)) {
            return action;
        }
    }
    return nullptr;
}

QMenu* FindMenu(const QList<QAction*>& actions, const std::string& caption)
{
    for (QAction* action : actions) {
        QMenu* menu = action->menu();
        if (!menu)
            continue;
        if (CaptionWithoutMarks(menu->title().toStdString()) == CaptionWithoutMarks(caption))
            return menu;
        if (QMenu* found = FindMenu(menu->actions(), caption))
            return found;
    }
    return nullptr;
}

}  // namespace pollenta::outlook
