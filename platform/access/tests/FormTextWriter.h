#pragma once
// Writes form texts the way the desktop database program saves them, for
// tests: "Version =20" header, CRLF lines, four blanks per level, strings
// quoted with \" and \\ and octal escapes, long strings cut into chunks on
// continuation lines, binary data as "0x" lines of 32 bytes with " ,".
//
//   FormTextWriter form;
//   form.Begin("Form").Text("RecordSource", "Answers").Begin().Begin("Section").Number("Height", 2835);
//   ...
//   form.End().End().End();
//   std::string bytes = form.Utf16LeWithBom();

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class FormTextWriter {
public:
    FormTextWriter() : FormTextWriter({"Version =20", "VersionRequired =20"}) {}
    // The header lines of another era ("Version =17", "Checksum =...").
    explicit FormTextWriter(std::initializer_list<const char*> header)
    {
        for (const char* line : header)
            m_text += std::string(line) + "\r\n";
    }

    FormTextWriter& Begin(const std::string& keyword = {})
    {
        Line(keyword.empty() ? "Begin" : "Begin " + keyword);
        ++m_depth;
        return *this;
    }
    FormTextWriter& End()
    {
        --m_depth;
        return Line("End");
    }
    FormTextWriter& Number(const std::string& name, long long value)
    {
        return Line(name + " =" + std::to_string(value));
    }
    FormTextWriter& Raw(const std::string& name, const std::string& value) { return Line(name + " =" + value); }
    FormTextWriter& NotDefault(const std::string& name) { return Line(name + " = NotDefault"); }
    // Cut after chunkSize escaped characters onto continuation lines.
    FormTextWriter& Text(const std::string& name, const std::string& value, size_t chunkSize = 80)
    {
        const std::string escaped = Escaped(value);
        std::string first = escaped.substr(0, ChunkEnd(escaped, 0, chunkSize));
        Line(name + " =\"" + first + "\"");
        ++m_depth;
        for (size_t at = first.size(); at < escaped.size();) {
            const size_t end = ChunkEnd(escaped, at, chunkSize);
            Line("\"" + escaped.substr(at, end - at) + "\"");
            at = end;
        }
        --m_depth;
        return *this;
    }
    FormTextWriter& Binary(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        Line(name + " = Begin");
        ++m_depth;
        static const char* kHex = "0123456789abcdef";
        for (size_t at = 0; at < bytes.size(); at += 32) {
            std::string line = "0x";
            for (size_t i = at; i < bytes.size() && i < at + 32; ++i) {
                line += kHex[bytes[i] >> 4];
                line += kHex[bytes[i] & 15];
            }
            Line(at + 32 < bytes.size() ? line + " ," : line);
        }
        --m_depth;
        return Line("End");
    }
    FormTextWriter& Blank() { return Line(""); }
    FormTextWriter& Line(const std::string& line)
    {
        m_text += line.empty() ? std::string() : std::string(4 * m_depth, ' ') + line;
        m_text += "\r\n";
        return *this;
    }

    // The text as the program writes it in UTF-8 (no BOM) with CRLF.
    const std::string& Utf8() const { return m_text; }
    std::string Utf8WithBom() const { return "\xEF\xBB\xBF" + m_text; }
    std::string Utf8WithLf() const
    {
        std::string text;
        for (char c : m_text)
            if (c != '\r')
                text += c;
        return text;
    }
    std::string Utf16LeWithBom() const
    {
        std::string out = "\xFF\xFE";
        for (char32_t c : CodePoints()) {
            if (c >= 0x10000) {
                AppendUnit(out, static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
                AppendUnit(out, static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
            } else {
                AppendUnit(out, static_cast<char16_t>(c));
            }
        }
        return out;
    }

private:
    static std::string Escaped(const std::string& value)
    {
        std::string out;
        for (unsigned char c : value) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c < 0x20) {
                out += '\\';
                out += static_cast<char>('0' + (c >> 6));
                out += static_cast<char>('0' + ((c >> 3) & 7));
                out += static_cast<char>('0' + (c & 7));
            } else {
                out += static_cast<char>(c);
            }
        }
        return out;
    }
    // A chunk never ends inside an escape or a UTF-8 sequence.
    static size_t ChunkEnd(const std::string& escaped, size_t at, size_t size)
    {
        size_t end = at;
        while (end < escaped.size() && end - at < size) {
            size_t step = 1;
            if (escaped[end] == '\\')
                step = (end + 1 < escaped.size() && escaped[end + 1] >= '0' && escaped[end + 1] <= '7') ? 4 : 2;
            while (end + step < escaped.size() && (static_cast<unsigned char>(escaped[end + step]) & 0xC0) == 0x80)
                ++step;
            end += step;
        }
        return std::min(end, escaped.size());
    }
    std::vector<char32_t> CodePoints() const
    {
        std::vector<char32_t> points;
        for (size_t i = 0; i < m_text.size();) {
            const unsigned char lead = m_text[i];
            const int more = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
            char32_t c = more == 0 ? lead : lead & (0x3F >> more);
            for (int k = 1; k <= more; ++k)
                c = (c << 6) | (static_cast<unsigned char>(m_text[i + k]) & 0x3F);
            points.push_back(c);
            i += more + 1;
        }
        return points;
    }
    static void AppendUnit(std::string& out, char16_t unit)
    {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }

    std::string m_text;
    int m_depth = 0;
};
