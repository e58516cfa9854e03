#pragma once
// A dialog in the current language: its caption is the first line of the
// text whose id is the dialog's id, each control's text the text whose id
// is the control's id; what the tables lack keeps the template's text.

#include "win/Types.h"

class CDialog;

void LocalizeDialog(CDialog& dialog, UINT dialogId);
