#include "CWEControlWriter.h"

#include "AnsiText.h"
#include "CWEAccessProperties.h"
#include "CWEDefaultValue.h"
#include "CWEHtmlText.h"

#include "AccessGuids.h"
#include "com/Text.h"

#include <utility>

using namespace gastrel;

namespace {

constexpr LONG kWarnButtonNotShown = 2;
constexpr LONG kWarnControlNotShown = 3;
constexpr LONG kWarnNoControlSource = 24;
constexpr LONG kWarnNotATableField = 25;
constexpr LONG kWarnNoRowSourceType = 26;
constexpr LONG kWarnNotAValueList = 27;
constexpr LONG kWarnMultiSelect = 28;
constexpr LONG kWarnManyColumns = 29;
constexpr LONG kWarnColumnHeads = 30;
constexpr LONG kWarnDefaultIsExpression = 32;
// Options beyond this much text are dropped.
constexpr size_t kMaxOptionsText = 5000;

bool Answers(IDispatch* control, REFIID iid)
{
    CComPtr<IUnknown> kind;
    return SUCCEEDED(control->QueryInterface(iid, reinterpret_cast<void**>(&kind)));
}

bool IsValueList(const std::string& type)
{
    return AnsiEqualsOneOf(type, {u"value list", u"\u0421\u043F\u0438\u0441\u043E\u043A \u0437\u043D\u0430\u0447\u0435\u043D\u0438\u0439"});
}

}  // namespace

CWEControlWriter::Common CWEControlWriter::CommonOf(IDispatch* control, const Place& place, bool isTextBox)
{
    Common common;
    common.cls = m_state.styles.ClassAttribute(control, isTextBox);
    const double left = ReadLong(control, "Left").value_or(0) - place.left;
    const double top = ReadLong(control, "Top").value_or(0) - place.top;
    common.geometry = "LEFT: " + Centimetres(left) + "cm; WIDTH: " + Centimetres(ReadLong(control, "Width").value_or(0)) +
                      "cm; TOP: " + Centimetres(top) + "cm; HEIGHT: " +
                      Centimetres(ReadLong(control, "Height").value_or(0)) + "cm; POSITION: absolute";
    const std::optional<LONG> index = ReadLong(control, "TabIndex");
    if (ReadBool(control, "TabStop") == true && index && *index >= 0)
        common.tab = " TABINDEX=" + std::to_string(*index + 1);
    return common;
}

std::optional<std::string> CWEControlWriter::Bind(IDispatch* control, const std::optional<std::string>& source)
{
    if (!source || source->empty()) {
        m_state.Warn(control, kWarnNoControlSource);
        return std::nullopt;
    }
    if (!m_state.IsTableField(*source)) {
        m_state.Warn(control, kWarnNotATableField);
        return std::nullopt;
    }
    return source;
}

std::string CWEControlWriter::DefaultText(IDispatch* control)
{
    if (!m_state.defValues)
        return {};
    const CWEDefaultValue value = CWEDefaultValue::Parse(ReadText(control, "DefaultValue").value_or(""));
    // Only the program can work an expression out; its text is no answer.
    if (value.isExpression)
        m_state.Warn(control, kWarnDefaultIsExpression);
    return value.text;
}

LONG CWEControlWriter::Write(IDispatch* control, std::string& out, const Place& place)
{
    if (Answers(control, IID__Label))
        WriteLabel(control, out, place);
    else if (Answers(control, IID__Textbox))
        WriteTextBox(control, out, place);
    else if (Answers(control, IID__Checkbox))
        WriteCheckBox(control, out, place);
    else if (Answers(control, IID__OptionGroup))
        return WriteOptionGroup(control, out, place);
    else if (Answers(control, IID__OptionButton))
        WriteOptionButton(control, out, place);
    else if (Answers(control, IID__CommandButton))
        WriteCommandButton(control, out, place);
    else if (Answers(control, IID__Combobox))
        WriteList(control, out, place, false);
    else if (Answers(control, IID__ListBox))
        WriteList(control, out, place, true);
    else if (Answers(control, IID__Image))
        WriteImage(control, out, place);
    else
        m_state.Warn(control, kWarnControlNotShown);
    return 0;
}

void CWEControlWriter::WriteLabel(IDispatch* control, std::string& out, const Place& place)
{
    const Common common = CommonOf(control, place, false);
    const std::string text = EscapeLabel(ReadText(control, "Caption").value_or(""));
    const LONG align = ReadLong(control, "TextAlign").value_or(0);
    const char* alignment = align == 2 ? "; text-align:center" : align == 3 ? "; text-align:right" : "";
    out += "<SPAN id=\"" + EscapeAttribute(ReadText(control, "Name").value_or("")) + "\" Style=\"" +
           common.geometry + ";z-index:0" + alignment + "\"" + common.cls + common.tab + ">\r\n";
    const std::string address = ReadText(control, "HyperlinkAddress").value_or("");
    if (address.empty()) {
        out += text;
    } else {
        std::string target = address;
        if (std::string sub = ReadText(control, "HyperlinkSubAddress").value_or(""); !sub.empty())
            target += "#" + sub;
        out += "<a href=\"" + EscapeAttribute(target) + "\"" + common.cls + ">" + text + "</a>";
    }
    out += "</SPAN>\r\n";
}

void CWEControlWriter::WriteTextBox(IDispatch* control, std::string& out, const Place& place)
{
    const std::optional<std::string> field = Bind(control, ReadText(control, "ControlSource"));
    if (!field)
        return;
    const Common common = CommonOf(control, place, true);
    const std::string id = EscapeAttribute(ReadText(control, "ControlName").value_or(""));
    const std::string value = DefaultText(control);
    const std::string head = " NAME=\"" + EscapeAttribute(*field) + "\" Style=\"" + common.geometry + ";z-index:1\"";
    if (ReadBool(control, "EnterKeyBehavior") == true) {
        out += "<TEXTAREA id=\"" + id + "\"" + head + common.cls + common.tab + ">\r\n" + EscapeAngles(value) +
               "</TEXTAREA>\r\n";
        return;
    }
    std::string valueAttribute;
    if (!value.empty()) {
        valueAttribute = " VALUE=\"" + EscapeAttribute(value) + "\"";
        ++m_state.defaultsGiven;
    }
    out += "<INPUT TYPE=TEXT id=\"" + id + "\"" + head + common.cls + common.tab + valueAttribute + ">\r\n";
}

void CWEControlWriter::ValueAndCheck(IDispatch* control, std::string& value, std::string& check)
{
    if (const std::optional<LONG> option = ReadLong(control, "OptionValue")) {
        value = " VALUE=" + std::to_string(*option);
        if (m_state.groupDefault == std::to_string(*option))
            check = " CHECKED";
        return;
    }
    // Outside a group the box posts the browser's own "on", which the
    // answer stores as yes, whatever its default says.
    const std::string defaultValue = DefaultText(control);
    if (defaultValue.empty())
        return;
    ++m_state.defaultsGiven;
    if (CWEDefaultValue::MeansTicked(defaultValue) == true)
        check = " CHECKED";
}

void CWEControlWriter::WriteCheckBox(IDispatch* control, std::string& out, const Place& place)
{
    const std::optional<std::string> field =
        Bind(control, place.groupField ? std::optional<std::string>(*place.groupField)
                                       : ReadText(control, "ControlSource"));
    if (!field)
        return;
    const Common common = CommonOf(control, place, false);
    std::string value, check;
    ValueAndCheck(control, value, check);
    out += "<INPUT TYPE=CHECKBOX NAME=\"" + EscapeAttribute(*field) + "\"" + value + " Style=\"" + common.geometry +
           ";z-index:1\"" + common.tab + check + ">\r\n";
}

LONG CWEControlWriter::WriteOptionGroup(IDispatch* control, std::string& out, const Place& place)
{
    const Common common = CommonOf(control, place, false);
    out += "<FIELDSET id=\"" + EscapeAttribute(ReadText(control, "Name").value_or("")) + "\" Style=\"" +
           common.geometry + ";z-index:0\"" + common.cls + common.tab + ">\r\n";
    const std::string field = ReadText(control, "ControlSource").value_or("");
    Place inner;
    inner.left = ReadLong(control, "Left").value_or(0);
    inner.top = ReadLong(control, "Top").value_or(0);
    inner.inheritedTab = ReadLong(control, "TabIndex").value_or(-1);
    inner.groupField = &field;
    m_state.groupDefault = DefaultText(control);
    CComPtr<IDispatch> members = ReadObject(control, "Controls");
    const LONG count = ReadLong(members, "Count").value_or(0);
    for (LONG i = 0; i < count; ++i)
        if (CComPtr<IDispatch> member = ReadItem(members, "Item", i))
            i += Write(member, out, inner);
    m_state.groupDefault.clear();
    out += "</FIELDSET>\r\n";
    return count;
}

void CWEControlWriter::WriteOptionButton(IDispatch* control, std::string& out, const Place& place)
{
    const std::optional<std::string> field =
        Bind(control, place.groupField ? std::optional<std::string>(*place.groupField)
                                       : ReadText(control, "ControlSource"));
    if (!field)
        return;
    Common common = CommonOf(control, place, false);
    if (common.tab.empty() && place.inheritedTab >= 0)
        common.tab = " TABINDEX=" + std::to_string(place.inheritedTab + 1);
    std::string value, check;
    ValueAndCheck(control, value, check);
    out += "<INPUT id=\"" + EscapeAttribute(ReadText(control, "Name").value_or("")) + "\" Style=\"" +
           common.geometry + ";z-index:1\" type=radio" + value + " name=\"" + EscapeAttribute(*field) + "\"" + check +
           common.tab + ">\r\n";
}

void CWEControlWriter::WriteCommandButton(IDispatch* control, std::string& out, const Place& place)
{
    const std::string name = ReadText(control, "Name").value_or("");
    const bool submit = AnsiEqualNoCase(name, "Submit");
    if (!submit && !AnsiEqualNoCase(name, "Reset")) {
        m_state.Warn(control, kWarnButtonNotShown);
        return;
    }
    const Common common = CommonOf(control, place, false);
    out += std::string("<INPUT TYPE=") + (submit ? "SUBMIT" : "RESET") + " id=\"" + EscapeAttribute(name) +
           "\" Style=\"" + common.geometry + ";z-index:1\" value=\"" +
           EscapeAttribute(ReadText(control, "Caption").value_or("")) + "\"" + common.cls + common.tab + ">\r\n";
    if (submit)
        ++m_state.submitButtons;
}

void CWEControlWriter::WriteList(IDispatch* control, std::string& out, const Place& place, bool isListBox)
{
    if (ReadLong(control, "ColumnCount").value_or(1) != 1) {
        m_state.Warn(control, kWarnManyColumns);
        return;
    }
    if (isListBox && ReadLong(control, "MultiSelect").value_or(0) != 0) {
        m_state.Warn(control, kWarnMultiSelect);
        return;
    }
    const std::string type = ReadText(control, "RowSourceType").value_or("");
    if (!IsValueList(type)) {
        m_state.Warn(control, type.empty() ? kWarnNoRowSourceType : kWarnNotAValueList);
        return;
    }
    const bool dropFirst = ReadBool(control, "ColumnHeads") == true;
    if (dropFirst)
        m_state.Warn(control, kWarnColumnHeads);
    const std::optional<std::string> field = Bind(control, ReadText(control, "ControlSource"));
    if (!field)
        return;
    const Common common = CommonOf(control, place, false);
    out += "<SELECT NAME=\"" + EscapeAttribute(*field) + "\" Style=\"" + common.geometry + ";z-index:1\"" +
           common.cls + (isListBox ? " SIZE=\"2\"" : " SIZE=\"1\"") + common.tab + ">\r\n";
    const std::string defaultValue = DefaultText(control);
    const bool byText = ReadLong(control, "BoundColumn").value_or(1) != 0;
    const std::string rows = ReadText(control, "RowSource").value_or("");
    std::string options;
    int written = 0;
    bool first = true;
    for (size_t at = 0; at <= rows.size() && options.size() < kMaxOptionsText;) {
        const size_t end = std::min(rows.find(';', at), rows.size());
        // An item stands in the program's quotes or bare.
        const std::string item = CWEDefaultValue::Unquoted(rows.substr(at, end - at));
        at = end + 1;
        if (item.empty())
            continue;
        if (std::exchange(first, false) && dropFirst)
            continue;
        const std::string value = byText ? item : std::to_string(written);
        std::string selected;
        if (!defaultValue.empty() && defaultValue == value) {
            selected = " SELECTED";
            ++m_state.defaultsGiven;
        }
        options += "\r\n  <OPTION VALUE=\"" + EscapeAttribute(value) + "\"" + selected + ">" + EscapeAttribute(item);
        ++written;
    }
    out += options + "\r\n</SELECT>\r\n";
}

void CWEControlWriter::WriteImage(IDispatch* control, std::string& out, const Place& place)
{
    CWEPictureExtractor::Picture picture;
    std::vector<LONG> warnings;
    const bool made = m_state.pictures->GetPicture(control, picture, warnings);
    for (LONG id : warnings)
        m_state.Warn(control, id);
    if (!made)
        return;
    const Common common = CommonOf(control, place, false);
    const std::string address = ReadText(control, "HyperlinkAddress").value_or("");
    std::string style = picture.css;
    if (!style.empty())
        style += "; position:absolute; ";
    style += "background-image: url('" + picture.fileName + "'); ";
    if (!address.empty())
        out += "<A HREF=\"" + EscapeAttribute(address) + "\" target=_top>";
    out += "<SPAN id=\"" + EscapeAttribute(ReadText(control, "Name").value_or("")) + "\" Style=\"" + style +
           common.geometry + "\"" + common.cls + common.tab + ">\r\n</SPAN>";
    out += address.empty() ? "\r\n" : "</A>\r\n";
}
