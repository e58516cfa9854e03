// Connection strings and record source names come from project settings
// that anyone can edit: parsing them must never fail badly, and a quoted
// identifier must always name exactly what was quoted.

#include "../src/ConnectionString.h"
#include "../src/SqlName.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    pollenta::ado::ConnectionTarget target;
    std::string reason;
    if (!pollenta::ado::ParseConnectionString(text, target, reason) && reason.empty())
        std::abort();
    if (pollenta::ado::ParseConnectionString(text, target, reason) && target.path.empty())
        std::abort();
    pollenta::ado::SourceTableName(text);
    if (pollenta::ado::SourceTableName(pollenta::ado::QuoteIdentifier(text)) != text)
        std::abort();
    return 0;
}
