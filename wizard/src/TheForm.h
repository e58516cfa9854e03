#pragma once

#include "html/HtmlDocument.h"
#include "html/HtmlForm.h"

// The page's one form; WE_E_NO_FORMS or WE_E_MANY_FORMS when there is not
// exactly one.
pollenta::html::HtmlForm TheForm(const pollenta::html::HtmlDocument& document);
