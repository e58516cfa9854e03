#pragma once
// The value an answer text takes for a field of a given ADO type: check-box
// texts become numbers for boolean and integer fields, other numeric types
// are converted here, and text types get the text as it came.

#include "ado/AdoEnums.h"
#include "com/ComVariant.h"

CComVariant AnswerFieldValue(DataTypeEnum fieldType, BSTR text);
