#include "TheForm.h"

#include "wizard/CWEException.h"
#include "wizard/WizardIds.h"

pollenta::html::HtmlForm TheForm(const pollenta::html::HtmlDocument& document)
{
    const std::vector<pollenta::html::HtmlElement> forms = document.Forms();
    if (forms.empty())
        CWEException::ThrowFormatted(WE_E_NO_FORMS, {});
    if (forms.size() > 1)
        CWEException::ThrowFormatted(WE_E_MANY_FORMS, {});
    return pollenta::html::HtmlForm(forms.front());
}
