#include "wizard/FormControlKind.h"

#include "WizardText.h"

#include "html/HtmlInput.h"

FormControlKind KindOfControl(const pollenta::html::HtmlElement& control)
{
    if (control.Is("SELECT") || control.Is("TEXTAREA"))
        return FormControlKind::Field;
    if (control.Is("BUTTON")) {
        const std::string type = LowerAscii(TrimBlanks(control.GetAttribute("type")));
        return type == "reset"    ? FormControlKind::Reset
               : type == "button" ? FormControlKind::Skipped
                                  : FormControlKind::Submit;
    }
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

int DefaultFieldSize(const pollenta::html::HtmlElement& control)
{
    return control.Is("TEXTAREA") ? 255 : 100;
}
