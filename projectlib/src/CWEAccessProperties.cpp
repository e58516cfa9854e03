#include "CWEAccessProperties.h"

#include "AccessGuids.h"
#include "com/DispatchClient.h"
#include "com/Text.h"

#include <iterator>

namespace gastrel {

namespace {

std::optional<CComVariant> Read(IDispatch* object, const char* name, VARTYPE type)
{
    CComVariant value;
    if (!object || FAILED(pollenta::com::GetProperty(object, name, &value)) || FAILED(value.ChangeType(type)))
        return std::nullopt;
    return value;
}

constexpr struct {
    LONG type;
    const char* name;
} kControlTypeNames[] = {
    {100, "Label"},       {101, "Rectangle"},        {102, "Line"},        {103, "Image"},
    {104, "CommandButton"}, {105, "OptionButton"},   {106, "CheckBox"},    {107, "OptionGroup"},
    {108, "BoundObjectFrame"}, {109, "TextBox"},     {110, "ListBox"},     {111, "ComboBox"},
    {112, "Subform"},     {114, "ObjectFrame"},      {118, "PageBreak"},   {119, "CustomControl"},
    {122, "ToggleButton"}, {123, "TabCtl"},          {124, "Page"},
};

std::string KindName(IDispatch* object)
{
    if (std::optional<LONG> type = ReadLong(object, "ControlType")) {
        for (const auto& entry : kControlTypeNames)
            if (entry.type == *type)
                return entry.name;
        return "<type " + std::to_string(*type) + ">";
    }
    CComPtr<IAccessible> accessible;
    CComVariant role;
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = 0;
    if (FAILED(object->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&accessible))) ||
        FAILED(accessible->get_accRole(self, &role)) || FAILED(role.ChangeType(VT_I4)))
        return "<unknown>";
    if (role.lVal == ROLE_SYSTEM_CLIENT)
        return "Form";
    if (role.lVal == ROLE_SYSTEM_PUSHBUTTON)
        return "Button";
    return "<type #" + std::to_string(role.lVal) + ">";
}

}  // namespace

std::optional<LONG> ReadLong(IDispatch* object, const char* name)
{
    std::optional<CComVariant> value = Read(object, name, VT_I4);
    return value ? std::optional<LONG>(value->lVal) : std::nullopt;
}

std::optional<bool> ReadBool(IDispatch* object, const char* name)
{
    std::optional<CComVariant> value = Read(object, name, VT_BOOL);
    return value ? std::optional<bool>(value->boolVal != VARIANT_FALSE) : std::nullopt;
}

std::optional<std::string> ReadText(IDispatch* object, const char* name)
{
    std::optional<CComVariant> value = Read(object, name, VT_BSTR);
    return value ? std::optional<std::string>(pollenta::com::AnsiFromBstr(value->bstrVal)) : std::nullopt;
}

CComPtr<IDispatch> ReadObject(IDispatch* object, const char* name)
{
    CComVariant value;
    if (!object || FAILED(pollenta::com::GetProperty(object, name, &value)) || value.vt != VT_DISPATCH)
        return nullptr;
    return value.pdispVal;
}

CComPtr<IDispatch> ReadItem(IDispatch* object, const char* name, LONG index)
{
    CComVariant value;
    const CComVariant args[] = {CComVariant(index)};
    if (!object ||
        FAILED(pollenta::com::InvokeByName(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, &value)) ||
        value.vt != VT_DISPATCH)
        return nullptr;
    return value.pdispVal;
}

std::string WarningObjectText(IDispatch* object)
{
    if (!object)
        return "<unknown>";
    std::optional<std::string> name = ReadText(object, "ControlName");
    if (!name)
        name = ReadText(object, "FormName");
    if (!name)
        name = ReadText(object, "Name");
    return name.value_or("<unknown>") + ";" + KindName(object);
}

}  // namespace gastrel
