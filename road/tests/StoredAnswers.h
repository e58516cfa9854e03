#pragma once
// Whether a project's answer table holds exactly one record for each
// answer sent, with the values as they were posted and the sender's
// address (by which records and answers are matched); a RoadFailure that shows the first difference.

#include "AnswerTable.h"
#include "RecipientAnswer.h"

#include <vector>

void CheckStoredAnswers(const std::vector<AnswerRecord>& records, const std::vector<RecipientAnswer>& answers);
