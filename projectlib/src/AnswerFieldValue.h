#pragma once
// The value an answer text takes for a field of a given ADO type: check-box
// texts become numbers for boolean and integer fields, other numeric types
// are converted here, and text types get the text as it came.

#include "ado/AdoEnums.h"
#include "com/ComVariant.h"

// False for a text that an integer field cannot take exactly ("1,5",
// "abc", a number out of range): rounding it would store what nobody typed.
bool AnswerFieldValue(DataTypeEnum fieldType, BSTR text, CComVariant& value);
