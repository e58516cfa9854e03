#include "LanguageRow.h"

#include "win/CodePage.h"

#include <strings.h>

namespace {

constexpr LanguageRow Rows[] = {
    {"Afrikaans", 4301, "Afrikaans", 1252},
    {"Arabic", 4303, "Arabic", 1256},
    {"Basque", 4307, "Basque", 1252},
    {"Belarusian", 4308, "Belarusian", 1251},
    {"Bulgarian", 4310, "Bulgarian", 1251},
    {"Catalan", 4311, "Catalan", 1252},
    {"Chinese (China)", 4312, "Chinese_China", 936},
    {"Chinese (Taiwan)", 4313, "Chinese_Taiwan", 950},
    {"Croatian", 4314, "Croatian", 1250},
    {"Czech", 4315, "Czech", 1250},
    {"Danish", 4316, "Danish", 1252},
    {"Dutch", 4317, "Dutch", 1252},
    {"English", 4318, "English", 1252},
    {"English (United Kingdom)", 4318, "English_United_Kingdom", 1252},
    {"English (United States)", 4319, "English_United_States", 1252},
    {"Estonian", 4320, "Estonian", 1257},
    {"Faeroese", 4321, "Faeroese", 1252},
    {"Finnish", 4323, "Finnish", 1252},
    {"French", 4324, "French", 1252},
    {"French (Canadian)", 4324, "French_Canadian", 1252},
    {"German", 4326, "German", 1252},
    {"Greek", 4327, "Greek", 1253},
    {"Hebrew", 4329, "Hebrew", 1255},
    {"Hungarian", 4331, "Hungarian", 1250},
    {"Icelandic", 4332, "Icelandic", 1252},
    {"Indonesian", 4333, "Indonesian", 1252},
    {"Italian", 4334, "Italian", 1252},
    {"Japanese", 4335, "Japanese", 932},
    {"Korean", 4340, "Korean", 949},
    {"Latvian", 4341, "Latvian", 1257},
    {"Lithuanian", 4342, "Lithuanian", 1257},
    {"Bahasa Malaysia", 4344, "Malay", 1252},
    {"Norwegian", 4349, "Norwegian", 1252},
    {"Polish", 4351, "Polish", 1250},
    {"Portuguese", 4352, "Portuguese", 1252},
    {"Portuguese (Brazilian)", 4353, "Brazilian", 1252},
    {"Romanian", 4355, "Romanian", 1250},
    {"Russian", 4356, "Russian", 1251},
    {"Serbian", 4358, "Serbian", 1250},
    {"Slovak", 4360, "Slovak", 1250},
    {"Slovenian", 4361, "Slovenian", 1250},
    {"Spanish", 4362, "Spanish", 1252},
    {"Swedish", 4364, "Swedish", 1252},
    {"Thai", 4368, "Thai", 874},
    {"Turkish", 4369, "Turkish", 1254},
    {"Ukrainian", 4370, "Ukrainian", 1251},
    {"Uzbek", 4372, "Uzbek", 1254},
    {"Vietnamese", 4373, "Vietnamese", 1258},
};

}  // namespace

std::span<const LanguageRow> KnownLanguages()
{
    return Rows;
}

UINT LanguageCodePage(const std::string& tableName)
{
    for (const LanguageRow& row : Rows) {
        if (strcasecmp(row.tableName, tableName.c_str()) == 0)
            return row.codePage;
    }
    return CP_ACP;
}
