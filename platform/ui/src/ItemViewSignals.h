#pragma once
// What list and tree views report to their receivers besides selection and
// double clicks: column clicks of a list, expanding of tree items and
// clicks on check boxes.

#include "ui/Types.h"

class QTreeWidget;

void ConnectListSignals(QTreeWidget* view, HWND hwnd);
void ConnectTreeSignals(QTreeWidget* view, HWND hwnd, bool checkBoxes);
