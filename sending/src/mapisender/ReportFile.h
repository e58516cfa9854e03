#pragma once
// A report saved for other programs: a heading line, then one line per row,
// fields joined by the separator, lines ended by CR LF. A field holding the
// separator, a quote, CR or LF is quoted with its quotes doubled, so that a
// name like "Smith, John" stays one field.

#include <string>
#include <vector>

// A tab for ".txt" and any other extension; for ".csv" the user's list
// separator, ";" when it cannot be read.
std::string ReportSeparatorFor(const std::string& path);
// False when the file cannot be written.
bool WriteReportFile(const std::string& path, const std::vector<std::vector<std::string>>& lines,
                     const std::string& separator);
