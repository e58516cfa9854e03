#include "ConnectionString.h"

#include <algorithm>
#include <cctype>

namespace pollenta::ado {

namespace {

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool LooksLikeKeyValueList(const std::string& lower)
{
    return lower.find("data source") != std::string::npos || lower.rfind("provider", 0) == 0;
}

// Splits at ";" outside quotes; a quoted value may hold ";" and doubled quotes.
bool Split(const std::string& text, std::string& reason,
           const auto& onPair)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t eq = text.find('=', i);
        if (eq == std::string::npos) {
            if (!Trim(text.substr(i)).empty()) {
                reason = "The connection string part \"" + Trim(text.substr(i)) + "\" has no value.";
                return false;
            }
            break;
        }
        const std::string key = Lower(Trim(text.substr(i, eq - i)));
        std::size_t j = eq + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        std::string value;
        if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
            const char quote = text[j++];
            for (;; ++j) {
                if (j >= text.size()) {
                    reason = "A quoted value of the connection string is not closed.";
                    return false;
                }
                if (text[j] == quote) {
                    if (j + 1 < text.size() && text[j + 1] == quote) {
                        value += quote;
                        ++j;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text[j];
            }
            const std::size_t end = text.find(';', j);
            j = end == std::string::npos ? text.size() : end + 1;
        } else {
            const std::size_t end = text.find(';', j);
            value = Trim(text.substr(j, end == std::string::npos ? std::string::npos : end - j));
            j = end == std::string::npos ? text.size() : end + 1;
        }
        onPair(key, value);
        i = j;
    }
    return true;
}

}  // namespace

bool ParseConnectionString(const std::string& text, ConnectionTarget& target, std::string& reason)
{
    target = ConnectionTarget();
    const std::string trimmed = Trim(text);
    if (!LooksLikeKeyValueList(Lower(trimmed))) {
        target.path = trimmed;
    } else {
        std::string provider;
        const bool parsed = Split(trimmed, reason, [&](const std::string& key, const std::string& value) {
            if (key == "provider")
                provider = value;
            else if (key == "data source")
                target.path = value;
            else if (key == "mode")
                target.readOnly = Lower(value) == "read";
            else if (key == "failifmissing")
                target.createMissing = Lower(value) == "false";
        });
        if (!parsed)
            return false;
        if (!provider.empty() && Lower(provider) != "sqlite") {
            reason = "Provider cannot be found. It may not be properly installed. (\"" + provider + "\")";
            return false;
        }
    }
    if (target.path.empty()) {
        reason = "The connection string names no database file.";
        return false;
    }
    return true;
}

}  // namespace pollenta::ado
