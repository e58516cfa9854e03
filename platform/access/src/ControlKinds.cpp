#include "ControlKinds.h"

#include "AccessGuids.h"

#include <strings.h>

namespace pollenta::access {

namespace {

constexpr struct {
    const char* keyword;
    ControlKind kind;
} kKinds[] = {
    {"Label", {100, &IID__Label}},
    {"Rectangle", {101, nullptr}},
    {"Line", {102, nullptr}},
    {"Image", {103, &IID__Image}},
    {"CommandButton", {104, &IID__CommandButton}},
    {"OptionButton", {105, &IID__OptionButton}},
    {"CheckBox", {106, &IID__Checkbox}},
    {"OptionGroup", {107, &IID__OptionGroup}},
    {"BoundObjectFrame", {108, nullptr}},
    {"TextBox", {109, &IID__Textbox}},
    {"ListBox", {110, &IID__ListBox}},
    {"ComboBox", {111, &IID__Combobox}},
    {"Subform", {112, nullptr}},
    {"UnboundObjectFrame", {114, nullptr}},
    {"PageBreak", {118, nullptr}},
    {"CustomControl", {119, nullptr}},
    {"ToggleButton", {122, nullptr}},
    {"Tab", {123, nullptr}},
    {"Page", {124, nullptr}},
    {"Attachment", {126, nullptr}},
    {"EmptyCell", {127, nullptr}},
    {"WebBrowser", {128, nullptr}},
    {"NavigationControl", {129, nullptr}},
    {"NavigationButton", {130, nullptr}},
    {"Chart", {133, nullptr}},
};

}  // namespace

std::optional<ControlKind> ControlKindOf(const std::string& keyword)
{
    for (const auto& entry : kKinds)
        if (strcasecmp(entry.keyword, keyword.c_str()) == 0)
            return entry.kind;
    return std::nullopt;
}

}  // namespace pollenta::access
