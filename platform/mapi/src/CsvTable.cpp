#include "CsvTable.h"

#include "com/Text.h"
#include "win/CodePage.h"

#include <algorithm>

namespace pollenta::mapi {

namespace {

constexpr UINT kWesternCodePage = 1252;

bool IsUtf8(const std::string& text)
{
    return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                               static_cast<int>(text.size()), nullptr, 0) > 0;
}

std::u16string Utf16From(UINT codePage, const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(std::max(size, 0)), u'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(wide.data()),
                        size);
    return wide;
}

// The file's text in the ANSI code page. Without a byte-order mark, text
// that is not UTF-8 is what a Western spreadsheet program writes as "CSV".
std::string AnsiText(const std::string& bytes)
{
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return pollenta::com::AnsiFromUtf16(Utf16From(CP_UTF8, bytes.substr(3)));
    if (bytes.rfind("\xFF\xFE", 0) == 0) {
        std::u16string wide((bytes.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                            static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return pollenta::com::AnsiFromUtf16(wide);
    }
    if (IsUtf8(bytes))
        return GetACP() == CP_UTF8 ? bytes : pollenta::com::AnsiFromUtf16(Utf16From(CP_UTF8, bytes));
    return GetACP() == CP_UTF8 ? pollenta::com::AnsiFromUtf16(Utf16From(kWesternCodePage, bytes)) : bytes;
}

// The separator the header line uses most outside quotes.
char SeparatorOf(const std::string& text)
{
    std::size_t counts[3] = {};
    const char separators[3] = {',', ';', '\t'};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted)
            for (int i = 0; i < 3; ++i)
                counts[i] += c == separators[i];
    }
    const auto most = std::max_element(std::begin(counts), std::end(counts));
    return *most ? separators[most - std::begin(counts)] : ',';
}

bool HasText(const CsvRow& row)
{
    return std::any_of(row.begin(), row.end(),
                       [](const std::string& field) { return field.find_first_not_of(" \t") != std::string::npos; });
}

}  // namespace

std::vector<CsvRow> ReadCsv(const std::string& bytes)
{
    const std::string text = AnsiText(bytes);
    const char separator = SeparatorOf(text);
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoted = false;
    const auto endRow = [&] {
        row.push_back(std::move(field));
        field.clear();
        if (HasText(row))
            rows.push_back(std::move(row));
        row.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            row.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            endRow();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty())
        endRow();
    // A line break inside quotes is kept as the spreadsheet wrote it, but
    // one line break: CRLF becomes LF as everywhere else in the text.
    for (CsvRow& each : rows)
        for (std::string& value : each)
            value.erase(std::remove(value.begin(), value.end(), '\r'), value.end());
    return rows;
}

}  // namespace pollenta::mapi
