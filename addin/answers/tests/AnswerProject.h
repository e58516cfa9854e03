#pragma once
// A survey project of the project library whose answers go to the table
// "Answers" of an SQLite file, and reads of that table. For the answer
// world and for tests that bring their own profile and registry; failures
// throw std::runtime_error with what failed.
//
//     LONG id = AnswerProject::Create(database);   // the table and the project
//     ...
//     AnswerProject::WaitForRecords(database, 3);

#include "win/Types.h"

#include <string>

namespace AnswerProject {

// Needs the project library registered and COM on the calling thread. The
// library refuses a second project of the same name.
LONG Create(const std::string& database, const std::string& name = "Customer survey");

std::string Scalar(const std::string& database, const std::string& sql);
long long Count(const std::string& database, const std::string& where = "1");
// Polls until the table holds `count` records; false after `seconds`.
bool WaitForRecords(const std::string& database, long long count, int seconds = 60);

}  // namespace AnswerProject
