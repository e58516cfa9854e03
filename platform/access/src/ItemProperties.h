#pragma once
// The settings of a form, section or control as its automation object
// answers them: what the text says, else the form's block of defaults for
// that kind of control, else the program's built-in default.

#include "FormModel.h"

#include "com/ComVariant.h"

#include <string>

namespace pollenta::access {

// The keyword that picks the defaults of an item ("Form" for the form).
std::string KeywordOf(const FormItem& item);

// False when the item has no setting of that name.
bool ReadItemProperty(const FormModel& model, const FormItem& item, const std::string& name, CComVariant& value);
// Whether the item has the setting, without converting its value.
bool HasItemProperty(const FormModel& model, const FormItem& item, const std::string& name);

// A text setting as a BSTR VARIANT, from UTF-8.
CComVariant TextVariant(const std::string& utf8);

}  // namespace pollenta::access
