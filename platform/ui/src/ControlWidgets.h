#pragma once
// The Qt widget behind each control class and style, and the control state
// (text, check) that lives in the widget.

#include "WindowRecord.h"

class QButtonGroup;
class QRect;
class QWidget;

// Makes the widget of a control whose record holds class, style and text.
// Radio buttons join `radioGroup`, which a WS_GROUP control starts anew.
QWidget* CreateControlWidget(WindowRecord& record, QWidget* parent, QButtonGroup*& radioGroup);

// The record's text onto the widget, and the user's text back.
void ShowWindowText(WindowRecord& record);
void ReadWindowText(WindowRecord& record);

// BST_* states of check boxes and radio buttons; other controls have none.
UINT GetButtonState(const WindowRecord& record);
bool SetButtonState(WindowRecord& record, UINT state);

// A child control of `parent` at a pixel rectangle in its client area.
HWND CreateChildControl(HWND parent, const std::string& className, const std::string& text, DWORD style,
                        DWORD exStyle, int id, const QRect& rect, QButtonGroup*& radioGroup);
