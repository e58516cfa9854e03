#include "MessageTableText.h"

#include "wizard/WizardIds.h"
#include "zr/FormatHResult.h"
#include "zr/LoadMessageText.h"

#include <algorithm>

namespace {

std::string TextWithInserts(DWORD id, const std::vector<std::string>& inserts)
{
    switch (inserts.size()) {
    case 0:
        return LoadMessageText(id);
    case 1:
        return LoadMessageText(id, {inserts[0]});
    case 2:
        return LoadMessageText(id, {inserts[0], inserts[1]});
    case 3:
        return LoadMessageText(id, {inserts[0], inserts[1], inserts[2]});
    default:
        return LoadMessageText(id, {inserts[0], inserts[1], inserts[2], inserts[3]});
    }
}

}  // namespace

std::string MessageTableText(DWORD id, const std::vector<std::string>& inserts)
{
    std::string text = TextWithInserts(id, inserts);
    if (text.empty())
        text = LoadMessageText(WE_E_UNEXPECTED) + " (" + FormatHResult(static_cast<HRESULT>(id)) + ")";
    return text;
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}
