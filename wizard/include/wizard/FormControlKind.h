#pragma once
// Which form controls become fields of the answer table. The checker, the
// field set and the creator's renaming all ask here, so that a control the
// field set skips is skipped by the renaming too.

#include "html/HtmlElement.h"

#include <string>

enum class FormControlKind { Submit, Reset, Field, Skipped };

// INPUT of type submit or reset, and BUTTON of type submit (also without a
// type or with one browsers do not know, which submits) or reset; INPUT of
// type text, hidden, password, checkbox or radio, SELECT and TEXTAREA are
// fields; everything else (plain buttons, image and file inputs, field
// sets, objects) is skipped.
FormControlKind KindOfControl(const pollenta::html::HtmlElement& control);
// The column size a field control gets: 255 for a text area, else 100.
int DefaultFieldSize(const pollenta::html::HtmlElement& control);
