#include "ModuleString.h"

#include "LanguageText.h"

#include <algorithm>

namespace {

constexpr std::uint32_t ResourceIds[] = {102,  106,  107,  108,  109,  110,  111,  117,  118, 119,
                                         120,  121,  122,  1011, 1031, 1032, 1033, 2100};

}  // namespace

const char* ModuleString(std::uint32_t id)
{
    if (std::find(std::begin(ResourceIds), std::end(ResourceIds), id) == std::end(ResourceIds))
        return nullptr;
    for (const LanguageText& text : EnglishTexts()) {
        if (text.id == id)
            return text.text;
    }
    return nullptr;
}
