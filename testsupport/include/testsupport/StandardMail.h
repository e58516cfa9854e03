#pragma once
// Mail files read by Python's email package (policy.default), run as
// /usr/bin/python3: the headers as a receiving server sees them, rather than
// as our own parser does.
//
//     for (const StandardMail& mail : ReadStandardMail(files))
//         EXPECT_FALSE(mail.messageId.empty()) << mail.file;

#include <filesystem>
#include <string>
#include <vector>

namespace pollenta::testsupport {

struct StandardMail {
    std::string file;
    std::string fromAddress;
    std::string fromName;
    std::string date;       // ISO 8601 in UTC; empty without a readable Date
    std::string messageId;  // with its angle brackets
    std::vector<std::string> to;
    std::vector<std::string> cc;
    std::vector<std::string> bcc;
    int defects = 0;  // what the parsers complained of
};

// One entry per file, in order; throws std::runtime_error when Python fails.
std::vector<StandardMail> ReadStandardMail(const std::vector<std::filesystem::path>& files);

}  // namespace pollenta::testsupport
