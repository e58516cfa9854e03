#pragma once

#include <string>

namespace pollenta::ado {

// What a connection string asks for.
struct ConnectionTarget {
    std::string path;
    bool readOnly = false;
    bool createMissing = false;  // FailIfMissing=False, as the SQLite providers spell it
};

// Reads "Provider=SQLite;Data Source=<file>[;Mode=Read][;FailIfMissing=False]" (keys without
// regard to case, values optionally in single or double quotes) or a bare
// path. False with a reason for another provider or no file name.
bool ParseConnectionString(const std::string& text, ConnectionTarget& target, std::string& reason);

}  // namespace pollenta::ado
