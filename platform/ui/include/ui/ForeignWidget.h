#pragma once
// A widget that the program made itself, outside this layer, as a window of
// the layer: windows of the layer (a page a host embeds) can then be made
// inside it. The handle lives as long as the widget.

#include "ui/Types.h"

class QWidget;

HWND AttachForeignWidget(QWidget* widget);
