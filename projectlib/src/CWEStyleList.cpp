#include "CWEStyleList.h"

#include "AnsiText.h"
#include "CWEAccessProperties.h"
#include "CWEColorText.h"

#include <optional>

using namespace gastrel;

namespace {

std::optional<std::string> ColourOf(IDispatch* control, const char* name)
{
    std::optional<LONG> value = ReadLong(control, name);
    return value ? std::optional<std::string>(ColorText(*value)) : std::nullopt;
}

// The line style of a flat border by style number.
const char* FlatLine(LONG style)
{
    if (style == 0 || style == 1)
        return " solid";
    if (style == 2 || style == 3 || style == 8)
        return " dashed";
    if (style >= 4 && style <= 6)
        return " dotted";
    return "";
}

const char* BorderStyleLine(LONG style)
{
    static constexpr const char* kLines[] = {"", " solid", " double", " groove", " ridge", " inset", " outset"};
    return style >= 1 && style <= 6 ? kLines[style] : "";
}

std::string BorderValue(IDispatch* control, bool isTextBox)
{
    std::string colour;
    if (std::optional<std::string> text = ColourOf(control, "BorderColor"))
        colour = " " + *text;
    LONG width = ReadLong(control, "BorderWidth").value_or(0);
    const LONG style = ReadLong(control, "BorderStyle").value_or(0);
    if (std::optional<LONG> effect = ReadLong(control, "SpecialEffect")) {
        switch (*effect) {
        case 0:
            return std::to_string(width == 0 && isTextBox ? 1 : width) + "px" + FlatLine(style) + colour;
        case 1:
            return "2px outset transparent";
        case 2:
            return "2px inset transparent";
        case 3:
        case 4:
            return std::to_string(width == 0 ? 2 : width) + "px ridge transparent";
        case 5:
            return std::to_string(width) + "px solid" + colour;
        case 6:
            return "0px solid" + colour;
        default:
            return "";
        }
    }
    if (width < 1)
        return "";
    if (style > 2) {
        colour = " transparent";
        width = 2;
    }
    const LONG line = ReadLong(control, "BorderLineStyle").value_or(0);
    const char* lineText = line == 0 ? BorderStyleLine(style) : line == 7 ? "" : FlatLine(line);
    return std::to_string(width) + "px" + lineText + colour;
}

}  // namespace

std::string CWEStyleList::BorderDeclaration(IDispatch* control, bool isTextBox)
{
    const std::string value = BorderValue(control, isTextBox);
    if (value.empty())
        return "";
    return "BORDER-RIGHT: " + value + "; BORDER-TOP: " + value + "; BORDER-LEFT: " + value +
           "; BORDER-BOTTOM: " + value;
}

std::string CWEStyleList::StyleText(IDispatch* control, bool isTextBox)
{
    std::vector<std::string> declarations;
    if (std::optional<std::string> font = ReadText(control, "FontName"); font && !font->empty())
        declarations.push_back("FONT-FAMILY: " + *font);
    if (std::optional<LONG> size = ReadLong(control, "FontSize"); size && *size != 0)
        declarations.push_back("FONT-SIZE: " + std::to_string(*size) + "pt");
    if (std::optional<LONG> weight = ReadLong(control, "FontWeight"); weight && *weight != 0)
        declarations.push_back("FONT-WEIGHT: " + std::to_string(*weight));
    if (std::optional<std::string> colour = ColourOf(control, "ForeColor"); colour && !colour->empty())
        declarations.push_back("COLOR: " + *colour);
    if (std::optional<bool> italic = ReadBool(control, "FontItalic"))
        declarations.push_back(std::string("FONT-STYLE: ") + (*italic ? "italic" : "normal"));
    if (std::optional<bool> underline = ReadBool(control, "FontUnderline"))
        declarations.push_back(std::string("TEXT-DECORATION: ") + (*underline ? "underline" : "none"));
    if (ReadBool(control, "Visible") == false)
        declarations.push_back("VISIBILITY: hidden");
    if (ReadLong(control, "BackStyle") == 0)
        declarations.push_back("BACKGROUND-COLOR: transparent");
    else if (std::optional<std::string> back = ColourOf(control, "BackColor"))
        declarations.push_back("BACKGROUND-COLOR: " + *back);
    if (std::string border = BorderDeclaration(control, isTextBox); !border.empty())
        declarations.push_back(border);
    if (declarations.empty())
        return "";
    std::string text = "{ ";
    for (size_t i = 0; i < declarations.size(); ++i)
        text += (i ? "; " : "") + declarations[i];
    return text + " }";
}

std::string CWEStyleList::ClassAttribute(IDispatch* control, bool isTextBox)
{
    const std::string text = StyleText(control, isTextBox);
    if (text.empty())
        return "";
    const auto [entry, added] = m_index.emplace(AnsiCaseKey(text), m_styles.size());
    if (added)
        m_styles.push_back(text);
    return " CLASS=\"Style" + std::to_string(entry->second) + "\"";
}
