#include "ItemProperties.h"

#include "BuiltInDefaults.h"

#include "com/SafeArray.h"
#include "win/CodePage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <strings.h>

namespace pollenta::access {

namespace {

// The clipboard format that the embedded-picture reader takes for "a
// picture file follows the 8-byte prefix".
constexpr std::uint8_t kWrappedPictureMark = 14;
constexpr size_t kWrapPrefixSize = 8;

// A newer program keeps the original picture file in ImageData; four bytes
// of zeros stand for none. No picture data of any kind is as short.
bool HoldsPictureFile(const FormTextProperty* data)
{
    return data && data->kind == FormTextProperty::Kind::Binary && data->bytes.size() > 4;
}

// What the program shows in place of a file name for a picture kept in the
// form itself.
constexpr const char* kEmbeddedPictureText = "(bitmap)";

bool HoldsEmbeddedPicture(const FormTextBlock& block)
{
    return HoldsPictureFile(block.Find("ImageData")) || HoldsPictureFile(block.Find("PictureData"));
}

CComVariant BytesVariant(const std::vector<std::uint8_t>& bytes, bool wrapped)
{
    const size_t prefix = wrapped ? kWrapPrefixSize : 0;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size() + prefix));
    if (!array)
        return CComVariant();
    BYTE* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    if (wrapped) {
        std::memset(data, 0, prefix);
        data[0] = kWrappedPictureMark;
    }
    if (!bytes.empty())
        std::memcpy(data + prefix, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    CComVariant value;
    value.vt = VT_ARRAY | VT_UI1;
    value.parray = array;
    return value;
}

CComVariant NumberVariant(double number)
{
    if (number == std::floor(number) && number >= -2147483648.0 && number <= 2147483647.0)
        return CComVariant(static_cast<LONG>(number));
    return CComVariant(number);
}

CComVariant Converted(const FormTextProperty& property, const std::string& keyword)
{
    switch (property.kind) {
    case FormTextProperty::Kind::Number:
        return NumberVariant(property.number);
    case FormTextProperty::Kind::NotDefault:
        return CComVariant(NotDefaultValue(keyword, property.name));
    case FormTextProperty::Kind::Binary:
        return BytesVariant(property.bytes, false);
    default:
        return TextVariant(property.text);
    }
}

CComVariant Converted(const BuiltInDefault& value)
{
    switch (value.type) {
    case BuiltInDefault::Type::Number:
        return CComVariant(static_cast<LONG>(value.number));
    case BuiltInDefault::Type::Bool:
        return CComVariant(value.number != 0);
    default:
        return TextVariant(value.text);
    }
}

const char* SectionName(int index)
{
    static constexpr const char* kNames[] = {"Detail", "FormHeader", "FormFooter", "PageHeader", "PageFooter"};
    return index >= 0 && index < 5 ? kNames[index] : "";
}

bool Is(const std::string& name, const char* wanted) { return strcasecmp(name.c_str(), wanted) == 0; }

bool ReadSetting(const FormModel& model, const FormItem& item, const std::string& name, CComVariant* value);

std::optional<double> ReadNumber(const FormModel& model, const FormItem& item, const char* name)
{
    CComVariant value;
    if (!ReadSetting(model, item, name, &value) || FAILED(value.ChangeType(VT_R8)))
        return std::nullopt;
    return value.dblVal;
}

// A section is drawn at least as tall as its controls reach, whatever its
// own height says (the program grows it when a control is put lower down).
LONG SectionHeight(const FormModel& model, const FormItem& section)
{
    const FormTextProperty* own = section.block->Find("Height");
    double height = own && own->kind == FormTextProperty::Kind::Number ? own->number : 0;
    for (const FormItem* control : section.controls)
        height = std::max(height, ReadNumber(model, *control, "Top").value_or(0) +
                                      ReadNumber(model, *control, "Height").value_or(0));
    return static_cast<LONG>(std::min(height, 2147483647.0));
}

// Settings that the automation object makes up rather than reads; without
// a value, only whether the item has one.
bool ReadDerived(const FormModel& model, const FormItem& item, const std::string& name, CComVariant* value)
{
    const FormTextBlock& block = *item.block;
    if (item.kind == FormItem::Kind::Form && (Is(name, "Name") || Is(name, "FormName"))) {
        if (value)
            *value = TextVariant(model.Name());
        return true;
    }
    if (item.kind == FormItem::Kind::Section && Is(name, "Name") && !block.Find("Name")) {
        if (value)
            *value = TextVariant(SectionName(item.sectionIndex));
        return true;
    }
    if (item.kind == FormItem::Kind::Section && Is(name, "Height")) {
        if (value)
            *value = CComVariant(SectionHeight(model, item));
        return true;
    }
    if (Is(name, "Picture") && !block.Find("Picture") && HoldsEmbeddedPicture(block)) {
        if (value)
            *value = TextVariant(kEmbeddedPictureText);
        return true;
    }
    if (item.kind != FormItem::Kind::Control)
        return false;
    if (Is(name, "ControlType")) {
        if (item.controlKind && value)
            *value = CComVariant(static_cast<LONG>(item.controlKind->controlType));
        return item.controlKind.has_value();
    }
    if (Is(name, "ControlName"))
        return ReadSetting(model, item, "Name", value);
    return false;
}

}  // namespace

CComVariant TextVariant(const std::string& utf8)
{
    const std::u16string wide = ToWide(utf8, CP_UTF8);
    CComVariant value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return value;
}

std::string KeywordOf(const FormItem& item) { return item.kind == FormItem::Kind::Form ? "Form" : item.block->keyword; }

namespace {

// Without a value, only tells whether the item has the setting: a picture
// is not copied out to answer that.
bool ReadSetting(const FormModel& model, const FormItem& item, const std::string& name, CComVariant* value)
{
    if (ReadDerived(model, item, name, value))
        return true;
    const FormTextBlock& block = *item.block;
    const std::string keyword = KeywordOf(item);
    // Only the buttons of an option group have a value to post.
    if (Is(name, "OptionValue") && !item.group)
        return false;
    // The buttons of a group take their place in the tab order from it.
    if ((Is(name, "TabStop") || Is(name, "TabIndex")) && item.group)
        return false;
    if (Is(name, "PictureData") && HoldsPictureFile(block.Find("ImageData"))) {
        if (value)
            *value = BytesVariant(block.Find("ImageData")->bytes, true);
        return true;
    }
    if (const FormTextProperty* own = block.Find(name)) {
        if (value)
            *value = Converted(*own, keyword);
        return true;
    }
    if (item.kind == FormItem::Kind::Control) {
        if (const FormTextBlock* defaults = model.DefaultBlock(keyword))
            if (const FormTextProperty* shared = defaults->Find(name)) {
                if (value)
                    *value = Converted(*shared, keyword);
                return true;
            }
    }
    if (std::optional<BuiltInDefault> builtIn = BuiltInDefaultOf(keyword, name)) {
        if (value)
            *value = Converted(*builtIn);
        return true;
    }
    return false;
}

}  // namespace

bool ReadItemProperty(const FormModel& model, const FormItem& item, const std::string& name, CComVariant& value)
{
    value.Clear();
    return ReadSetting(model, item, name, &value);
}

bool HasItemProperty(const FormModel& model, const FormItem& item, const std::string& name)
{
    return ReadSetting(model, item, name, nullptr);
}

}  // namespace pollenta::access
