#include "log/LogText.h"

#include "win/CodePage.h"

std::string OneLine(const std::string& text)
{
    std::string line = text;
    for (char& c : line) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return line;
}

std::string CutInsert(const std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    // In UTF-8 a character's later bytes are 10xxxxxx: back up to its start.
    if (GetACP() == CP_UTF8) {
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
    }
    return text.substr(0, end) + "...";
}
