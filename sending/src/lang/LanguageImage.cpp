#include "LanguageImage.h"

#include <strings.h>


namespace {

void PutWord(std::vector<unsigned char>& image, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        image.push_back(static_cast<unsigned char>((word >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<unsigned char> BuildLanguageImage(std::span<const LanguageText> texts, UINT codePage)
{
    std::vector<unsigned char> image;
    PutWord(image, LanguageImageMagic);
    PutWord(image, LanguageImageFormat1);
    PutWord(image, LanguageImageFormat2);
    PutWord(image, static_cast<std::uint32_t>(texts.size()));
    std::string area;
    for (const LanguageText& text : texts) {
        PutWord(image, text.id);
        PutWord(image, static_cast<std::uint32_t>(area.size()));
        area += codePage == CP_UTF8 ? std::string(text.text) : Recode(text.text, CP_UTF8, codePage);
        area += '\0';
    }
    PutWord(image, LanguageImageEndId);
    PutWord(image, static_cast<std::uint32_t>(area.size()));
    image.insert(image.end(), area.begin(), area.end());
    return image;
}

std::span<const LanguageText> FindBuiltInTexts(const std::string& name)
{
    if (strcasecmp(name.c_str(), "ENGLISH") == 0)
        return EnglishTexts();
    if (strcasecmp(name.c_str(), "GERMAN") == 0)
        return GermanTexts();
    if (strcasecmp(name.c_str(), "RUSSIAN") == 0)
        return RussianTexts();
    return {};
}
