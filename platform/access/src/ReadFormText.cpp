#include "access/FormText.h"

#include "FormTextEncoding.h"
#include "FormTextParser.h"

#include <strings.h>

const FormTextProperty* FormTextBlock::Find(const std::string& name) const
{
    const FormTextProperty* found = nullptr;
    for (const FormTextProperty& property : properties)
        if (strcasecmp(property.name.c_str(), name.c_str()) == 0)
            found = &property;
    return found;
}

FormTextReadResult ReadFormText(const std::string& bytes)
{
    FormTextReadResult result;
    try {
        result.document = pollenta::access::FormTextParser(pollenta::access::FormTextToUtf8(bytes)).Parse();
        result.ok = true;
    } catch (const pollenta::access::FormTextFault& fault) {
        result.line = fault.line;
        result.error = fault.text;
    }
    return result;
}
