#include "StoredAnswers.h"

#include "RoadFailure.h"

namespace {

// What the table holds of a posted field. A field that was not posted, or
// posted empty, keeps its default (here none).
std::string Expected(const RecipientAnswer& answer, const std::string& column)
{
    if (column == "SenderEmail")
        return answer.recipient;
    auto it = answer.posted.find(column);
    return it == answer.posted.end() || it->second.empty() ? kNull : it->second;
}

std::string Printed(const AnswerRecord& record)
{
    std::string text;
    for (const auto& [column, value] : record)
        text += " " + column + "=\"" + value + "\"";
    return text;
}

}  // namespace

void CheckStoredAnswers(const std::vector<AnswerRecord>& records, const std::vector<RecipientAnswer>& answers)
{
    Require(records.size() == answers.size(),
            std::to_string(records.size()) + " records for " + std::to_string(answers.size()) + " answers");
    for (const RecipientAnswer& answer : answers) {
        const std::string& key = answer.recipient;
        const AnswerRecord* found = nullptr;
        for (const AnswerRecord& record : records)
            if (record.count("SenderEmail") && record.at("SenderEmail") == key) {
                Require(!found, "two records for " + key);
                found = &record;
            }
        Require(found, "no record for " + key);
        for (const auto& [column, value] : *found) {
            if (column == "ID")
                continue;
            Require(value == Expected(answer, column), "the record for " + key + " holds " + column + "=\"" + value +
                                                           "\", posted was \"" + Expected(answer, column) + "\";" +
                                                           Printed(*found));
        }
        for (const auto& [name, value] : answer.posted)
            Require(name == "kqProjectID" || found->count(name), "the table has no column " + name);
    }
}
