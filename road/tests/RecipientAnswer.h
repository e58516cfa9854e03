#pragma once
// What one recipient does with the copy of the survey: opens it, fills in
// the form (every few recipients differently, with letters from many
// languages, "&", "%", "+" and quotes), posts it, and so sends an answer.

#include "SurveyCopy.h"

#include <map>
#include <string>

struct RecipientAnswer {
    std::string recipient;
    // Posted names and values, as the browser took them (UTF-8).
    std::map<std::string, std::string> posted;
    std::string eml;
};

// The answer of the `index`th recipient to its copy.
RecipientAnswer AnswerCopy(const SurveyCopy& copy, std::size_t index);
// The answer to a survey page opened from its file (a page posted by
// whoever has it, not a personal copy), from `sender`. With `shownIn`, the
// browser shows the page in that charset (its encoding menu) and posts in
// it, as old browsers did whatever the form asked; the mail client names
// the charset on the attachment.
RecipientAnswer AnswerPage(const std::string& html, const std::string& sender, std::size_t index,
                           const std::string& shownIn = {});
