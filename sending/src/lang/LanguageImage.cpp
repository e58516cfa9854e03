#include "LanguageImage.h"

#include <strings.h>

#include <cstring>

namespace {

void PutWord(std::vector<unsigned char>& image, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        image.push_back(static_cast<unsigned char>((word >> (8 * i)) & 0xFF));
}

}  // namespace

std::vector<unsigned char> BuildLanguageImage(std::span<const LanguageText> texts)
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
        area.append(text.text, std::strlen(text.text) + 1);
    }
    PutWord(image, LanguageImageEndId);
    PutWord(image, static_cast<std::uint32_t>(area.size()));
    image.insert(image.end(), area.begin(), area.end());
    return image;
}

const std::vector<unsigned char>* FindBuiltInLanguageImage(const std::string& name)
{
    static const std::vector<unsigned char> english = BuildLanguageImage(EnglishTexts());
    static const std::vector<unsigned char> german = BuildLanguageImage(GermanTexts());
    static const std::vector<unsigned char> russian = BuildLanguageImage(RussianTexts());
    if (strcasecmp(name.c_str(), "ENGLISH") == 0)
        return &english;
    if (strcasecmp(name.c_str(), "GERMAN") == 0)
        return &german;
    if (strcasecmp(name.c_str(), "RUSSIAN") == 0)
        return &russian;
    return nullptr;
}
