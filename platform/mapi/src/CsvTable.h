#pragma once
// A CSV file as spreadsheet programs and mail clients write it: an optional
// byte-order mark (UTF-8 or UTF-16), lines ended by CRLF or LF, fields
// separated by commas (or the semicolons or tabs of other locales, told by
// the header line), quoted fields that hold separators, quotes written
// twice and line breaks. Text comes back in the ANSI code page.

#include <string>
#include <vector>

namespace pollenta::mapi {

using CsvRow = std::vector<std::string>;

// Every row of the file, the header row first; rows with no text at all are
// left out.
std::vector<CsvRow> ReadCsv(const std::string& bytes);

}  // namespace pollenta::mapi
