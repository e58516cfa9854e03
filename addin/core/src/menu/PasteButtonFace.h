#pragma once
// Puts one of the add-in's face pictures on a button through the
// clipboard, as the office suite takes faces. A face that cannot travel
// (the clipboard is held elsewhere, or the button refuses it) is logged and
// the button keeps no face.

#include "log/CWELog.h"

#include "OfficeCommandBars.h"

void PasteButtonFace(_CommandBarButton* button, UINT face, CWELog& log);
// What is logged for a face left out because the user's clipboard could
// not be saved.
void LogFaceSkipped(CWELog& log);
