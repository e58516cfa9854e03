#include "MetaTags.h"

#include "WizardText.h"

#include <algorithm>

std::size_t FindMeta(const std::string& text, std::initializer_list<const char*> needles, std::size_t& end)
{
    for (std::size_t pos = text.find("<META"); pos != std::string::npos; pos = text.find("<META", end)) {
        end = text.find('>', pos);
        if (end == std::string::npos)
            return std::string::npos;
        ++end;
        const std::string tag = LowerAscii(text.substr(pos, end - pos));
        if (std::all_of(needles.begin(), needles.end(),
                        [&](const char* n) { return tag.find(n) != std::string::npos; }))
            return pos;
    }
    return std::string::npos;
}

std::string FromFirstTag(const std::string& text)
{
    const std::size_t first = text.find('<');
    return first == std::string::npos ? text : text.substr(first);
}
