#pragma once
// A mail file read the way a receiving server or client reads it: by
// Python's `email` package with policy.default (/usr/bin/python3), never by
// our own MIME reader, so that a test sees what the world sees:
//
//   const ReceivedMail mail = ReadWithStandardLibrary(folder.Path() / "out.eml");
//   EXPECT_EQ("Course answer", mail.Header("Subject"));
//   for (const ReceivedPart& part : mail.parts)
//       if (part.IsText()) EXPECT_EQ(std::string::npos, part.text.find("%%"));
//
// std::runtime_error when Python cannot be run or gives up on the file.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace pollenta::testsupport {

// One leaf part of the message, in the order the message holds them.
struct ReceivedPart {
    std::string contentType;  // "image/gif", lower case
    std::string disposition;  // "inline", "attachment", or empty when the part has none
    std::string contentId;    // without the angle brackets
    std::string fileName;
    std::string text;  // decoded to Unicode (UTF-8 here) for text/* parts, else empty

    bool IsText() const { return contentType.starts_with("text/"); }
};

struct ReceivedMail {
    std::vector<std::pair<std::string, std::string>> headers;  // in order, values decoded
    std::vector<ReceivedPart> parts;
    std::vector<std::string> defects;  // what the reader found wrong, message and parts

    // The first header of that name (case-insensitive); empty when there is none.
    std::string Header(const std::string& name) const;
    std::size_t HeaderCount(const std::string& name) const;
};

ReceivedMail ReadWithStandardLibrary(const std::filesystem::path& eml);

}  // namespace pollenta::testsupport
