#pragma once
// Qt menus and toolbars from the client's command bars: popups become
// menus, buttons become actions whose trigger clicks the control. A window
// fills them again whenever its bars change (CCommandBarsFollower).

#include "OfficeCommandBars.h"

#include <QMenuBar>
#include <QToolBar>

#include <functional>
#include <string>

namespace pollenta::outlook {

// What a window does for a built-in control (Send, Options...) before the
// control's own Click sinks hear it; true when it handled the control.
using BuiltInHandler = std::function<bool(LONG id)>;

std::string CaptionWithoutMarks(std::string caption);
void FillMenuBar(QMenuBar* menuBar, CommandBar* bar, const BuiltInHandler& builtIn);
void FillToolBar(QToolBar* toolBar, CommandBar* bar, const BuiltInHandler& builtIn);
// The action with this caption in the menu bar (through its menus) or the toolbar.
QAction* FindAction(const QList<QAction*>& actions, const std::string& caption);
// The menu with this caption, searched through menus; null when none has it.
QMenu* FindMenu(const QList<QAction*>& actions, const std::string& caption);

}  // namespace pollenta::outlook
