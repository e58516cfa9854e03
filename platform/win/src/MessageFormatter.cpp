#include "MessageFormatter.h"

#include "win/CodePage.h"
#include "win/Errors.h"
#include "win/Message.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

enum class Kind { Text, WideText, Number, LongNumber, Bad };

struct Insert {
    std::string format; // printf format for the value
    Kind kind = Kind::Text;
};

struct Value {
    const void* pointer = nullptr;
    long long number = 0;
};

// A printf format written for Windows, where "l" is 32 bits and "I64" 64.
Insert ParseFormat(std::string written)
{
    Insert insert;
    if (written.empty() || written.find('*') != std::string::npos) {
        insert.kind = Kind::Bad;
        return insert;
    }
    const char conversion = written.back();
    std::string flags = written.substr(0, written.size() - 1);
    bool wide = conversion == 'S';
    bool isLong = false;
    for (const std::string& size : {std::string("I64"), std::string("ll")}) {
        if (size.size() <= flags.size() && flags.compare(flags.size() - size.size(), size.size(), size) == 0) {
            flags.erase(flags.size() - size.size());
            isLong = true;
        }
    }
    while (!flags.empty() && (flags.back() == 'l' || flags.back() == 'h' || flags.back() == 'w')) {
        wide = wide || flags.back() != 'h';
        flags.pop_back();
    }
    if (flags.find_first_not_of("-+ #0123456789.") != std::string::npos) {
        insert.kind = Kind::Bad;
        return insert;
    }
    switch (conversion) {
    case 's':
    case 'S':
        insert.kind = wide ? Kind::WideText : Kind::Text;
        insert.format = "%" + flags + "s";
        break;
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
    case 'o':
    case 'c':
        insert.kind = isLong ? Kind::LongNumber : Kind::Number;
        insert.format = "%" + flags + (isLong ? "ll" : "") + conversion;
        break;
    default:
        insert.kind = Kind::Bad;
    }
    return insert;
}

template <class Argument>
std::string Formatted(const std::string& format, Argument argument)
{
    const int length = std::snprintf(nullptr, 0, format.c_str(), argument);
    std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), argument);
    text.pop_back();
    return text;
}

std::string Print(const Insert& insert, const Value& value)
{
    if (insert.kind == Kind::WideText)
        return Formatted(insert.format,
                         value.pointer ? ToNarrow(static_cast<const char16_t*>(value.pointer)).c_str() : "");
    if (insert.kind == Kind::Text)
        return Formatted(insert.format, value.pointer ? static_cast<const char*>(value.pointer) : "");
    if (insert.kind == Kind::LongNumber)
        return Formatted(insert.format, value.number);
    return Formatted(insert.format, static_cast<int>(value.number));
}

// Reads the insert number and format at pos (just after the '%').
bool ReadInsert(std::string_view text, size_t& pos, int& number, Insert& insert)
{
    number = text[pos++] - '0';
    if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        number = number * 10 + (text[pos++] - '0');
    insert = ParseFormat("s");
    if (pos < text.size() && text[pos] == '!') {
        size_t close = text.find('!', pos + 1);
        if (close == std::string_view::npos)
            return false;
        insert = ParseFormat(std::string(text.substr(pos + 1, close - pos - 1)));
        pos = close + 1;
    }
    return insert.kind != Kind::Bad;
}

using Inserts = std::map<int, Insert>;
// Indexed by insert number; element 0 is unused.
using Values = std::vector<Value>;

// The inserts the text uses, so that a va_list can be read in order.
DWORD CollectInserts(std::string_view text, Inserts& inserts)
{
    for (size_t pos = 0; pos + 1 < text.size(); ++pos) {
        if (text[pos] != '%')
            continue;
        ++pos;
        if (text[pos] >= '1' && text[pos] <= '9') {
            int number;
            Insert insert;
            if (!ReadInsert(text, pos, number, insert))
                return ERROR_INVALID_PARAMETER;
            inserts.emplace(number, insert);
            --pos;
        }
    }
    return ERROR_SUCCESS;
}

void ReadArgumentArray(const DWORD_PTR* array, Values& values)
{
    for (size_t i = 1; i < values.size(); ++i) {
        values[i].pointer = reinterpret_cast<const void*>(array[i - 1]);
        values[i].number = static_cast<long long>(array[i - 1]);
    }
}

// A va_list holds each argument in the size of its insert's kind; a number
// the text skips is taken to be a text pointer.
void ReadArgumentList(va_list* arguments, const Inserts& inserts, Values& values)
{
    va_list list;
    va_copy(list, *arguments);
    for (size_t i = 1; i < values.size(); ++i) {
        auto found = inserts.find(static_cast<int>(i));
        const Kind kind = found == inserts.end() ? Kind::Text : found->second.kind;
        if (kind == Kind::Number)
            values[i].number = va_arg(list, int);
        else if (kind == Kind::LongNumber)
            values[i].number = va_arg(list, long long);
        else
            values[i].pointer = va_arg(list, const void*);
    }
    va_end(list);
}

DWORD ReadArguments(const Inserts& inserts, DWORD flags, va_list* arguments, Values& values)
{
    if (inserts.empty())
        return ERROR_SUCCESS;
    if (!arguments)
        return ERROR_INVALID_PARAMETER;
    values.resize(static_cast<size_t>(inserts.rbegin()->first) + 1);
    if (flags & FORMAT_MESSAGE_ARGUMENT_ARRAY)
        ReadArgumentArray(reinterpret_cast<const DWORD_PTR*>(arguments), values);
    else
        ReadArgumentList(arguments, inserts, values);
    return ERROR_SUCCESS;
}

// The text of the escape at pos (on the character after the '%'), which
// moves to the escape's last character; false for %0, which ends the text.
bool RenderEscape(std::string_view text, size_t& pos, const Values& values, std::string& out)
{
    const char next = text[pos];
    if (next >= '1' && next <= '9') {
        int number;
        Insert insert;
        ReadInsert(text, pos, number, insert);
        out += Print(insert, values[static_cast<size_t>(number)]);
        --pos;
    } else if (next == '0') {
        return false;
    } else if (next == 'n') {
        out += "\r\n";
    } else if (next == 'r') {
        out += '\r';
    } else if (next == 't') {
        out += '\t';
    } else if (next == 'b') {
        out += ' ';
    } else if (next == '%' || next == '.' || next == '!') {
        out += next;
    } else {
        // Not an escape (a printf-style "%s", say): the text stays.
        out += '%';
        out += next;
    }
    return true;
}

// Writes the text with its escapes and inserts filled; returns whether %0
// ended it. On one line, line breaks become blanks and trailing blanks go.
bool Render(std::string_view text, bool noInserts, bool oneLine, const Values& values, std::string& out)
{
    bool ended = false;
    for (size_t pos = 0; pos < text.size() && !ended; ++pos) {
        const char c = text[pos];
        if (oneLine && (c == '\r' || c == '\n')) {
            if (c == '\n' || pos + 1 == text.size() || text[pos + 1] != '\n')
                out += ' ';
        } else if (c != '%' || pos + 1 == text.size() || noInserts) {
            out += c;
        } else {
            ended = !RenderEscape(text, ++pos, values, out);
        }
    }
    if (oneLine && !ended)
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
    return ended;
}

} // namespace

DWORD MessageFormatter::Expand(std::string_view text, DWORD flags, va_list* arguments, std::string& out, bool& ended)
{
    ended = false;
    const bool noInserts = flags & FORMAT_MESSAGE_IGNORE_INSERTS;
    const bool oneLine = (flags & FORMAT_MESSAGE_MAX_WIDTH_MASK) == FORMAT_MESSAGE_MAX_WIDTH_MASK;
    Inserts inserts;
    Values values;
    if (!noInserts) {
        if (DWORD error = CollectInserts(text, inserts))
            return error;
        if (DWORD error = ReadArguments(inserts, flags, arguments, values))
            return error;
    }
    ended = Render(text, noInserts, oneLine, values, out);
    return ERROR_SUCCESS;
}
