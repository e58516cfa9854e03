#include "FilledForm.h"

#include "RoadFailure.h"
#include "UrlText.h"

#include "html/HtmlDocument.h"
#include "html/HtmlForm.h"
#include "html/HtmlInput.h"
#include "html/HtmlSelect.h"

#include <algorithm>
#include <optional>
#include <set>

using pollenta::html::HtmlElement;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::optional<std::string> Choice(const std::map<std::string, std::string>& choices, const std::string& name)
{
    auto it = choices.find(name);
    return it == choices.end() ? std::nullopt : std::optional<std::string>(it->second);
}

// Browsers post a text area's line breaks as CR LF.
std::string CrLf(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::optional<std::string> InputValue(const pollenta::html::HtmlInput& input, const std::optional<std::string>& choice)
{
    const std::string type = Lower(input.Type());
    if (type == "text" || type == "password")
        return choice ? *choice : input.Value();
    if (type == "hidden")
        return input.Value();
    if (type == "checkbox" || type == "radio") {
        const std::string value = input.HasAttribute("value") ? input.Value() : "on";
        const bool checked = choice ? *choice == value : input.HasAttribute("checked");
        return checked ? std::optional<std::string>(value) : std::nullopt;
    }
    // Buttons, files and pictures post nothing here.
    return std::nullopt;
}

std::string SelectValue(const pollenta::html::HtmlSelect& select, const std::optional<std::string>& choice)
{
    const auto options = select.Options();
    Require(!options.empty(), "the list " + select.Name() + " has no options");
    auto valueOf = [](const pollenta::html::HtmlOption& option) {
        return option.HasAttribute("value") ? option.Value() : option.Text();
    };
    for (const auto& option : options)
        if (choice ? valueOf(option) == *choice : option.HasAttribute("selected"))
            return valueOf(option);
    Require(!choice, "the list " + select.Name() + " has no option " + choice.value_or(""));
    return valueOf(options.front());
}

std::optional<std::string> ControlValue(const HtmlElement& control, const std::optional<std::string>& choice)
{
    if (control.Is("input"))
        return InputValue(pollenta::html::HtmlInput(control), choice);
    if (control.Is("select"))
        return SelectValue(pollenta::html::HtmlSelect(control), choice);
    if (control.Is("textarea"))
        return CrLf(choice ? *choice : control.InnerText());
    return std::nullopt;
}

void ReadAction(const std::string& action, FilledForm& form)
{
    Require(Lower(action.substr(0, 7)) == "mailto:", "the form posts to " + action + ", not to a mailto: address");
    const std::size_t query = action.find('?');
    form.address = UrlDecode(action.substr(7, query == std::string::npos ? std::string::npos : query - 7));
    if (query == std::string::npos)
        return;
    const std::string parameters = action.substr(query + 1);
    for (std::size_t at = 0; at <= parameters.size();) {
        std::size_t end = parameters.find('&', at);
        end = end == std::string::npos ? parameters.size() : end;
        const std::string pair = parameters.substr(at, end - at);
        const std::size_t equals = pair.find('=');
        if (Lower(pair.substr(0, equals)) == "subject" && equals != std::string::npos)
            form.subject = UrlDecode(pair.substr(equals + 1));
        at = end + 1;
    }
}

}  // namespace

FilledForm FillForm(const std::string& html, const std::map<std::string, std::string>& choices)
{
    pollenta::html::HtmlDocument page;
    Require(SUCCEEDED(page.LoadFromBytes(html)), "the survey's HTML does not load: " + page.LastError());
    const auto forms = page.Forms();
    Require(forms.size() == 1, "the survey's HTML holds " + std::to_string(forms.size()) + " forms");
    const pollenta::html::HtmlForm form(forms[0]);
    Require(Lower(form.GetAttribute("method")) == "post", "the form is not posted");

    FilledForm filled;
    filled.charset = page.Charset();
    ReadAction(form.Action(), filled);
    std::set<std::string> unknown;
    for (const auto& choice : choices)
        unknown.insert(choice.first);
    for (const HtmlElement& control : form.Elements()) {
        const std::string name = control.Name();
        if (name.empty())
            continue;
        unknown.erase(name);
        if (const auto value = ControlValue(control, Choice(choices, name)))
            filled.fields.emplace_back(name, *value);
    }
    Require(unknown.empty(), "the form has no control " + (unknown.empty() ? std::string() : *unknown.begin()));
    return filled;
}
