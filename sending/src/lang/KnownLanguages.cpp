#include "LanguageRow.h"

namespace {

constexpr LanguageRow Rows[] = {
    {"Afrikaans", 4301, "Afrikaans"},
    {"Arabic", 4303, "Arabic"},
    {"Basque", 4307, "Basque"},
    {"Belarusian", 4308, "Belarusian"},
    {"Bulgarian", 4310, "Bulgarian"},
    {"Catalan", 4311, "Catalan"},
    {"Chinese (China)", 4312, "Chinese_China"},
    {"Chinese (Taiwan)", 4313, "Chinese_Taiwan"},
    {"Croatian", 4314, "Croatian"},
    {"Czech", 4315, "Czech"},
    {"Danish", 4316, "Danish"},
    {"Dutch", 4317, "Dutch"},
    {"English", 4318, "English"},
    {"English (United Kingdom)", 4318, "English_United_Kingdom"},
    {"English (United States)", 4319, "English_United_States"},
    {"Estonian", 4320, "Estonian"},
    {"Faeroese", 4321, "Faeroese"},
    {"Finnish", 4323, "Finnish"},
    {"French", 4324, "French"},
    {"French (Canadian)", 4324, "French_Canadian"},
    {"German", 4326, "German"},
    {"Greek", 4327, "Greek"},
    {"Hebrew", 4329, "Hebrew"},
    {"Hungarian", 4331, "Hungarian"},
    {"Icelandic", 4332, "Icelandic"},
    {"Indonesian", 4333, "Indonesian"},
    {"Italian", 4334, "Italian"},
    {"Japanese", 4335, "Japanese"},
    {"Korean", 4340, "Korean"},
    {"Latvian", 4341, "Latvian"},
    {"Lithuanian", 4342, "Lithuanian"},
    {"Bahasa Malaysia", 4344, "Malay"},
    {"Norwegian", 4349, "Norwegian"},
    {"Polish", 4351, "Polish"},
    {"Portuguese", 4352, "Portuguese"},
    {"Portuguese (Brazilian)", 4353, "Brazilian"},
    {"Romanian", 4355, "Romanian"},
    {"Russian", 4356, "Russian"},
    {"Serbian", 4358, "Serbian"},
    {"Slovak", 4360, "Slovak"},
    {"Slovenian", 4361, "Slovenian"},
    {"Spanish", 4362, "Spanish"},
    {"Swedish", 4364, "Swedish"},
    {"Thai", 4368, "Thai"},
    {"Turkish", 4369, "Turkish"},
    {"Ukrainian", 4370, "Ukrainian"},
    {"Uzbek", 4372, "Uzbek"},
    {"Vietnamese", 4373, "Vietnamese"},
};

}  // namespace

std::span<const LanguageRow> KnownLanguages()
{
    return Rows;
}
