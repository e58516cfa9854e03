#pragma once
// The system's table of media types by file extension (/etc/mime.types), for
// attachments that come without a type of their own.

#include <string>

namespace pollenta::mapi {

// "image/png" for "Logo.PNG"; empty when the name has no extension the
// table knows, or the table cannot be read. The table is read once.
std::string MediaTypeOfFileName(const std::string& fileName);

}  // namespace pollenta::mapi
