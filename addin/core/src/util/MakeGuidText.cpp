#include "util/MakeGuidText.h"

#include "com/Activation.h"

std::string MakeGuidText()
{
    GUID guid = GUID_NULL;
    if (FAILED(CoCreateGuid(&guid)))
        return "";
    return pollenta::com::GuidToString(guid);
}

std::string MakeGuidTextBare()
{
    const std::string text = MakeGuidText();
    return text.size() < 2 ? text : text.substr(1, text.size() - 2);
}
