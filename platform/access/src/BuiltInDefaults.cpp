#include "BuiltInDefaults.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unordered_map>
#include <vector>
#include <strings.h>

namespace pollenta::access {

namespace {

using Type = BuiltInDefault::Type;

constexpr BuiltInDefault Num(long value) { return {Type::Number, value, nullptr}; }
constexpr BuiltInDefault Bool(bool value) { return {Type::Bool, value ? 1 : 0, nullptr}; }
constexpr BuiltInDefault Text(const char* value) { return {Type::Text, 0, value}; }

// Kinds of object a row applies to, as a list of keywords between blanks;
// "*" is every control.
struct Row {
    const char* kinds;
    const char* name;
    BuiltInDefault value;
};

// Colours: 16777215 white, 0 black, -2147483633 the system's button face.
constexpr const char* kTextKinds = " Label TextBox ComboBox ListBox CommandButton ToggleButton ";
constexpr const char* kAnswerKinds = " TextBox CheckBox OptionButton OptionGroup ComboBox ListBox ToggleButton ";
constexpr const char* kListKinds = " ComboBox ListBox ";
constexpr const char* kPictureKinds = " Form Image CommandButton ToggleButton ";

const Row kRows[] = {
    {"*", "Left", Num(0)},
    {"*", "Top", Num(0)},
    {"*", "Visible", Bool(true)},
    {"*", "Enabled", Bool(true)},
    {"*", "Locked", Bool(false)},
    {"*", "Name", Text("")},
    {kTextKinds, "FontName", Text("Calibri")},
    {kTextKinds, "FontSize", Num(11)},
    {kTextKinds, "FontWeight", Num(400)},
    {kTextKinds, "FontItalic", Bool(false)},
    {kTextKinds, "FontUnderline", Bool(false)},
    {kTextKinds, "ForeColor", Num(0)},
    {kTextKinds, "TextAlign", Num(0)},
    {" Label CommandButton ToggleButton OptionGroup Form ", "Caption", Text("")},
    {" Label CommandButton Image ", "HyperlinkAddress", Text("")},
    {" Label CommandButton Image ", "HyperlinkSubAddress", Text("")},
    {kAnswerKinds, "ControlSource", Text("")},
    {kAnswerKinds, "DefaultValue", Text("")},
    {" TextBox CheckBox OptionButton OptionGroup ComboBox ListBox ToggleButton CommandButton ", "TabStop", Bool(true)},
    {" TextBox CheckBox OptionButton OptionGroup ComboBox ListBox ToggleButton CommandButton ", "TabIndex", Num(0)},
    {" TextBox ", "EnterKeyBehavior", Bool(false)},
    {kListKinds, "RowSourceType", Text("Table/Query")},
    {kListKinds, "RowSource", Text("")},
    {kListKinds, "ColumnCount", Num(1)},
    {kListKinds, "BoundColumn", Num(1)},
    {kListKinds, "ColumnHeads", Bool(false)},
    {" ListBox ", "MultiSelect", Num(0)},
    {" ComboBox ", "LimitToList", Bool(false)},
    // Back and border: text boxes and lists sunken on white, labels and
    // pictures flat and transparent, groups etched.
    {" Label Image OptionGroup ", "BackStyle", Num(0)},
    {" TextBox ComboBox ListBox Rectangle ", "BackStyle", Num(1)},
    {" Label TextBox ComboBox ListBox OptionGroup Image Rectangle ", "BackColor", Num(16777215)},
    {" Label TextBox ComboBox ListBox OptionGroup Image Rectangle Line CheckBox OptionButton ", "BorderColor", Num(0)},
    {" Label TextBox ComboBox ListBox OptionGroup Image Rectangle Line CheckBox OptionButton ", "BorderWidth", Num(0)},
    {" Label Image ", "BorderStyle", Num(0)},
    {" TextBox ComboBox ListBox OptionGroup Rectangle Line CheckBox OptionButton ", "BorderStyle", Num(1)},
    {" Label TextBox ComboBox ListBox OptionGroup Image Rectangle Line CheckBox OptionButton ", "BorderLineStyle",
     Num(0)},
    {" Label Image Rectangle Line ", "SpecialEffect", Num(0)},
    {" TextBox ComboBox ListBox CheckBox OptionButton ", "SpecialEffect", Num(2)},
    {" OptionGroup ", "SpecialEffect", Num(3)},
    {kPictureKinds, "Picture", Text("(none)")},
    {kPictureKinds, "PictureType", Num(0)},
    {" Form Image ", "SizeMode", Num(0)},
    {" Form Image ", "PictureAlignment", Num(2)},
    {" Form Image ", "PictureTiling", Bool(false)},
    // Sizes of a control newly drawn with one click.
    {" Label TextBox ComboBox CommandButton ", "Height", Num(315)},
    {" Label TextBox ComboBox CommandButton ", "Width", Num(1701)},
    {" CheckBox OptionButton ", "Width", Num(260)},
    {" CheckBox OptionButton ", "Height", Num(240)},
    {" ToggleButton ", "Width", Num(283)},
    {" ToggleButton ", "Height", Num(283)},
    {" ListBox OptionGroup Image Rectangle Subform Tab ", "Width", Num(1440)},
    {" ListBox OptionGroup Image Rectangle Subform Tab ", "Height", Num(1440)},
    {" Line ", "Width", Num(1440)},
    {" Line ", "Height", Num(0)},
    {"*", "Width", Num(1440)},
    {"*", "Height", Num(1440)},
    // The form and its sections.
    {" Form ", "RecordSource", Text("")},
    {" Form ", "Width", Num(8503)},
    {" Section FormHeader FormFooter PageHeader PageFooter ", "Height", Num(0)},
    {" Section FormHeader FormFooter PageHeader PageFooter ", "BackColor", Num(-2147483633)},
    {" Section FormHeader FormFooter PageHeader PageFooter ", "SpecialEffect", Num(0)},
    {" Section FormHeader FormFooter PageHeader PageFooter ", "Visible", Bool(true)},
};

// Settings that are on unless a form says otherwise.
constexpr const char* kOnByDefault[] = {
    "Visible", "Enabled", "TabStop", "AllowEdits", "AllowDeletions", "AllowAdditions", "AllowFilters",
    "ShortcutMenu", "AutoLabel", "AddColon", "ControlBox", "MinButton", "MaxButton", "CloseButton",
    "NavigationButtons", "RecordSelectors", "DividingLines", "AutoResize", "AutoCenter", "AllowDesignChanges",
    "AllowFormView", "AllowDatasheetView", "ViewsAllowed", "CanGrow", "CanShrink", "AutoExpand",
};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// padded is the keyword between blanks, as the kinds list them.
bool AppliesTo(const char* kinds, const std::string& keyword, const std::string& padded)
{
    if (std::strcmp(kinds, "*") == 0)
        return FormKeywordIsControl(keyword);
    return strcasestr(kinds, padded.c_str()) != nullptr;
}

}  // namespace

bool FormKeywordIsControl(const std::string& keyword)
{
    return strcasecmp(keyword.c_str(), "Form") != 0 && strcasecmp(keyword.c_str(), "Report") != 0 &&
           strcasecmp(keyword.c_str(), "Section") != 0 && strcasecmp(keyword.c_str(), "FormHeader") != 0 &&
           strcasecmp(keyword.c_str(), "FormFooter") != 0 && strcasecmp(keyword.c_str(), "PageHeader") != 0 &&
           strcasecmp(keyword.c_str(), "PageFooter") != 0;
}

std::optional<BuiltInDefault> BuiltInDefaultOf(const std::string& keyword, const std::string& name)
{
    // Every setting read looks here: the rows by name, in table order.
    static const auto kByName = [] {
        std::unordered_map<std::string, std::vector<const Row*>> rows;
        for (const Row& row : kRows)
            rows[Lower(row.name)].push_back(&row);
        return rows;
    }();
    auto found = kByName.find(Lower(name));
    if (found == kByName.end())
        return std::nullopt;
    const std::string padded = " " + keyword + " ";
    for (const Row* row : found->second)
        if (AppliesTo(row->kinds, keyword, padded))
            return row->value;
    return std::nullopt;
}

bool NotDefaultValue(const std::string& keyword, const std::string& name)
{
    if (std::optional<BuiltInDefault> known = BuiltInDefaultOf(keyword, name); known && known->type == Type::Bool)
        return known->number == 0;
    for (const char* on : kOnByDefault)
        if (strcasecmp(on, name.c_str()) == 0)
            return false;
    return true;
}

}  // namespace pollenta::access
