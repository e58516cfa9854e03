#include "RegistryText.h"

#include "Utf8.h"

#include "win/Registry.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

struct DamagedText : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A string value can be written in quotes when it is one line of valid
// UTF-8 with a single terminating NUL; anything else goes out as hex bytes.
bool FitsInQuotes(const RegistryValue& value)
{
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != 0)
        return false;
    std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
    return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos && Utf8::IsValid(text);
}

std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string HexBytes(const std::vector<BYTE>& data)
{
    std::string text;
    char pair[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(pair, sizeof pair, i ? ",%02x" : "%02x", data[i]);
        text += pair;
    }
    return text;
}

std::string WriteValue(const RegistryValue& value)
{
    std::string line = value.name.empty() ? "@" : Quote(value.name);
    line += '=';
    if (FitsInQuotes(value)) {
        line += Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        DWORD dword = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) | (static_cast<DWORD>(value.data[3]) << 24);
        std::snprintf(number, sizeof number, "dword:%08x", dword);
        line += number;
    } else if (value.type == REG_BINARY) {
        line += "hex:" + HexBytes(value.data);
    } else {
        char type[16];
        std::snprintf(type, sizeof type, "hex(%x):", value.type);
        line += type + HexBytes(value.data);
    }
    return line + "\n";
}

void WriteKey(const RegistryNode& node, const std::string& path, std::string& text)
{
    text += "\n[" + path + "]\n";
    for (const auto& value : node.Values())
        text += WriteValue(value);
    for (const auto& subkey : node.Subkeys())
        WriteKey(*subkey, path + "\\" + subkey->Name(), text);
}

// Reads a quoted string starting at pos (on the opening quote); pos ends
// after the closing quote.
std::string ReadQuoted(std::string_view line, size_t& pos)
{
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\') {
            if (++pos == line.size())
                break;
            c = line[pos];
        }
        text += c;
    }
    throw DamagedText("a quoted text has no closing quote");
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::vector<BYTE> ReadHexBytes(std::string_view text)
{
    std::vector<BYTE> data;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        if (pos == text.size())
            break;
        if (pos + 1 >= text.size() || HexDigit(text[pos]) < 0 || HexDigit(text[pos + 1]) < 0)
            throw DamagedText("a hex byte is malformed");
        data.push_back(static_cast<BYTE>(HexDigit(text[pos]) * 16 + HexDigit(text[pos + 1])));
        pos += 2;
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        if (pos < text.size() && text[pos++] != ',')
            throw DamagedText("hex bytes must be separated by commas");
    }
    return data;
}

RegistryValue ReadValue(std::string_view line)
{
    RegistryValue value;
    size_t pos = 0;
    if (line[0] == '@')
        pos = 1;
    else
        value.name = ReadQuoted(line, pos);
    if (pos >= line.size() || line[pos] != '=')
        throw DamagedText("a value name is not followed by '='");
    std::string_view data = line.substr(pos + 1);
    if (!data.empty() && data[0] == '"') {
        size_t quotePos = 0;
        std::string text = ReadQuoted(data, quotePos);
        if (quotePos != data.size())
            throw DamagedText("text follows a quoted value");
        value.type = REG_SZ;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
    } else if (data.starts_with("dword:")) {
        std::string_view digits = data.substr(6);
        if (digits.size() != 8)
            throw DamagedText("a dword value needs eight hex digits");
        DWORD number = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0)
                throw DamagedText("a dword value is malformed");
            number = number * 16 + HexDigit(c);
        }
        value.type = REG_DWORD;
        value.data = {BYTE(number), BYTE(number >> 8), BYTE(number >> 16), BYTE(number >> 24)};
    } else if (data.starts_with("hex:")) {
        value.type = REG_BINARY;
        value.data = ReadHexBytes(data.substr(4));
    } else if (data.starts_with("hex(")) {
        size_t close = data.find("):");
        if (close == std::string_view::npos || close == 4)
            throw DamagedText("a hex type is malformed");
        DWORD type = 0;
        for (char c : data.substr(4, close - 4)) {
            if (HexDigit(c) < 0 || type > 0x0FFFFFFF)
                throw DamagedText("a hex type is malformed");
            type = type * 16 + HexDigit(c);
        }
        value.type = type;
        value.data = ReadHexBytes(data.substr(close + 2));
    } else {
        throw DamagedText("a value has no known form");
    }
    return value;
}

// Finds or makes the key of a section line. Sections usually follow their
// parent, so the chain of keys of the previous section is kept and only the
// names after the shared start are looked up.
class SectionReader {
public:
    SectionReader(const std::string& rootName, RegistryNode& root) : m_rootName(rootName), m_root(root) {}

    RegistryNode* Read(std::string_view path)
    {
        if (path.size() < m_rootName.size() || !RegistryNode::SameName(path.substr(0, m_rootName.size()), m_rootName) ||
            (path.size() > m_rootName.size() && path[m_rootName.size()] != '\\'))
            throw DamagedText("a key lies outside " + m_rootName);
        path.remove_prefix(m_rootName.size());
        size_t depth = 0;
        RegistryNode* node = &m_root;
        while (!path.empty()) {
            path.remove_prefix(1);
            const size_t end = path.find('\\');
            const std::string_view name = path.substr(0, end);
            if (name.empty())
                throw DamagedText("a key path has an empty name");
            if (!RegistryNode::KeyNameFits(name) || depth == RegistryNode::kMaxDepth)
                throw DamagedText("a key path goes beyond the registry's limits");
            if (depth < m_chain.size() && m_chain[depth].first == name) {
                node = m_chain[depth].second;
            } else {
                m_chain.resize(depth);
                node = node->AddSubkey(name).first;
                m_chain.emplace_back(std::string(name), node);
            }
            ++depth;
            path = end == std::string_view::npos ? std::string_view() : path.substr(end);
        }
        return node;
    }

private:
    const std::string& m_rootName;
    RegistryNode& m_root;
    std::vector<std::pair<std::string, RegistryNode*>> m_chain;
};

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

RegistryText::ParseResult RegistryText::Parse(std::string_view text, const std::string& rootName)
{
    ParseResult result;
    auto root = std::make_unique<RegistryNode>(rootName);
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    size_t lineNumber = 0;
    try {
        if (text.empty()) {
            result.root = std::move(root);
            return result;
        }
        RegistryNode* current = nullptr;
        SectionReader sections(rootName, *root);
        bool headerSeen = false;
        while (!text.empty()) {
            ++lineNumber;
            size_t end = text.find('\n');
            std::string line(TrimRight(text.substr(0, end)));
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
            // Long hex values go on over several lines, each ending in a backslash.
            while (line.ends_with('\\') && line.find("=hex") != std::string::npos && !text.empty()) {
                ++lineNumber;
                line.pop_back();
                size_t next = text.find('\n');
                std::string_view more = TrimRight(text.substr(0, next));
                more.remove_prefix(std::min(more.find_first_not_of(" \t"), more.size()));
                line += more;
                text = next == std::string_view::npos ? std::string_view() : text.substr(next + 1);
            }
            if (!headerSeen) {
                if (line != kHeader)
                    throw DamagedText("the file does not start with \"" + std::string(kHeader) + "\"");
                headerSeen = true;
            } else if (line.empty() || line[0] == ';') {
                continue;
            } else if (line[0] == '[') {
                if (line.back() != ']' || line.size() < 3)
                    throw DamagedText("a key line is not closed by ']'");
                current = sections.Read(std::string_view(line).substr(1, line.size() - 2));
            } else if (line[0] == '"' || line[0] == '@') {
                if (!current)
                    throw DamagedText("a value comes before any key");
                RegistryValue value = ReadValue(line);
                current->SetValue(value.name, value.type, std::move(value.data));
            } else {
                throw DamagedText("the line is neither a key nor a value");
            }
        }
    } catch (const DamagedText& damage) {
        result.errorLine = lineNumber;
        result.error = damage.what();
        return result;
    }
    result.root = std::move(root);
    return result;
}

std::string RegistryText::Write(const RegistryNode& root, const std::string& rootName)
{
    std::string text(kHeader);
    text += "\n";
    WriteKey(root, rootName, text);
    return text;
}

bool RegistryText::HoldsName(std::string_view name)
{
    return name.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}
