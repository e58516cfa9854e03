#include "RecipientAnswer.h"

#include "AnswerMail.h"
#include "FilledForm.h"
#include "UrlText.h"

#include <vector>

namespace {

const std::vector<std::string> kNames = {"J\u00fcrgen M\u00fcller",
                                         "Zo\u00eb O'Brien",
                                         "\u0141ukasz \"Luke\" Nowak",
                                         "\u0410\u043d\u043d\u0430 "
                                         "\u041f\u0435\u0442\u0440\u043e\u0432\u0430",
                                         "Ren\u00e9e & S\u00f8ren",
                                         "Ana + Jos\u00e9",
                                         "100% Ida"};
const std::vector<std::string> kTowns = {"K\u00f6ln",        "S\u00e3o Paulo",   "100% Berlin",
                                         "Rock & Roll City", "Plus+Minus",       "\u0391\u03b8\u03ae\u03bd\u03b1",
                                         "\"Quoted\" Town",  "Stra\u00dfe=1&2=3"};
const std::vector<std::string> kRemarks = {"Line one\nLine \"two\" & 50% + more",
                                           "\u00c7a va? \u00e9t\u00e9 = summer",
                                           "a=b&c=d; 'single'",
                                           "",
                                           "%41%42 stays as typed",
                                           "\u4e2d\u6587 and \u65e5\u672c\u8a9e"};
const std::vector<std::string> kRatings = {"1", "2", "very good & more"};
const std::vector<std::string> kCourses = {"basic", "advanced+"};

template <class T>
const T& Nth(const std::vector<T>& list, std::size_t index)
{
    return list[index % list.size()];
}

using Choices = std::map<std::string, std::string>;

// What the recipients of the survey page choose.
Choices SurveyChoices(std::size_t index)
{
    return {{"fullname", Nth(kNames, index)},
            {"town", Nth(kTowns, index)},
            {"rating", Nth(kRatings, index)},
            {"course", Nth(kCourses, index)},
            {"newsletter", index % 2 ? "yes" : ""},
            {"remarks", Nth(kRemarks, index)},
            {"Gr\u00f6\u00dfe & Ma\u00df", std::to_string(150 + index) + " cm"}};
}

// What the visitors of the database form's page type.
Choices FormChoices(std::size_t index)
{
    return {{"Town", Nth(kTowns, index + 3)}, {"Remarks", Nth(kRemarks, index + 1)}};
}

RecipientAnswer Answer(const std::string& html, const Choices& choices, const std::string& sender, std::size_t index,
                       const std::string& shownIn = {})
{
    FilledForm form = FillForm(html, choices);
    if (!shownIn.empty())
        form.charset = shownIn;
    AnswerMail mail;
    mail.fromName = Nth(kNames, index);
    mail.fromAddress = sender;
    mail.to = form.address;
    mail.subject = form.subject.empty() ? "Form posted from Microsoft Internet Explorer." : form.subject;
    mail.charset = form.charset;
    mail.formData = FormUrlEncoded(form.fields, form.charset);
    const AnswerStyle styles[] = {AnswerStyle::Base64Attachment, AnswerStyle::SevenBitAttachment,
                                  AnswerStyle::TextAttachment};

    RecipientAnswer answer;
    answer.recipient = sender;
    answer.posted = std::map<std::string, std::string>(form.fields.begin(), form.fields.end());
    answer.eml = BuildAnswerMail(mail, shownIn.empty() ? styles[index % 3] : AnswerStyle::TextAttachment);
    return answer;
}

}  // namespace

RecipientAnswer AnswerCopy(const SurveyCopy& copy, std::size_t index)
{
    return Answer(copy.html, SurveyChoices(index), copy.recipient, index);
}

RecipientAnswer AnswerPage(const std::string& html, const std::string& sender, std::size_t index,
                           const std::string& shownIn)
{
    return Answer(html, FormChoices(index), sender, index, shownIn);
}
