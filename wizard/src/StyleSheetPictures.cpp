#include "StyleSheetPictures.h"

#include "WizardText.h"

namespace {

constexpr std::size_t npos = std::string::npos;

// The property of the declaration that holds the text at pos; "" outside
// a declaration.
std::string PropertyAt(const std::string& css, std::size_t pos)
{
    const std::size_t boundary = css.find_last_of("{};", pos);
    const std::size_t from = boundary == npos ? 0 : boundary + 1;
    const std::size_t colon = css.find(':', from);
    if (colon == npos || colon > pos)
        return {};
    return LowerAscii(TrimBlanks(css.substr(from, colon - from)));
}

bool NamesPicture(const std::string& property)
{
    return property.rfind("background", 0) == 0 || property.rfind("list-style", 0) == 0;
}

std::string Unquoted(std::string text)
{
    text = TrimBlanks(text);
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

std::string ReplaceStyleSheetPictures(const std::string& css,
                                      const std::function<bool(std::string& reference)>& resolve)
{
    const std::string lower = LowerAscii(css);
    std::string result;
    std::size_t copied = 0;
    for (std::size_t pos = lower.find("url("); pos != npos; pos = lower.find("url(", pos + 4)) {
        const std::size_t close = css.find(')', pos + 4);
        if (close == npos)
            break;
        if (!NamesPicture(PropertyAt(css, pos)))
            continue;
        std::string reference = Unquoted(css.substr(pos + 4, close - pos - 4));
        if (reference.empty() || !resolve(reference))
            continue;
        result += css.substr(copied, pos - copied) + "url('" + reference + "')";
        copied = close + 1;
        pos = close - 3;
    }
    return result + css.substr(copied);
}
