#include "wizard/FormControlKind.h"

#include "html/HtmlInput.h"

FormControlKind KindOfControl(const pollenta::html::HtmlElement& control)
{
    if (control.Is("SELECT") || control.Is("TEXTAREA"))
        return FormControlKind::Field;
    if (!control.Is("INPUT"))
        return FormControlKind::Skipped;
    const std::string type = pollenta::html::HtmlInput(control).Type();
    if (type == "submit")
        return FormControlKind::Submit;
    if (type == "reset")
        return FormControlKind::Reset;
    for (const char* kept : {"checkbox", "text", "hidden", "password", "radio"}) {
        if (type == kept)
            return FormControlKind::Field;
    }
    return FormControlKind::Skipped;
}

int DefaultFieldSize(const pollenta::html::HtmlElement& control) { return control.Is("TEXTAREA") ? 255 : 100; }
