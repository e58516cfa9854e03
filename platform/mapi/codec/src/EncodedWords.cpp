#include "EncodedWords.h"

#include "Base64.h"

#include <glib.h>

#include <optional>
#include <vector>

namespace {

struct EncodedWord {
    std::size_t begin = 0;  // the "=?"
    std::size_t end = 0;    // just after the "?="
    std::string_view charset;
    bool base64 = false;
    std::string_view text;
};

bool IsFoldingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool HasNoSpace(std::string_view text)
{
    for (char c : text) {
        if (IsFoldingSpace(c))
            return false;
    }
    return true;
}

// The word "=?charset?B?text?=" (or "?Q?") that starts at `begin`, if one does.
std::optional<EncodedWord> WordAt(std::string_view raw, std::size_t begin)
{
    if (raw.substr(begin, 2) != "=?")
        return std::nullopt;
    const std::size_t mark = raw.find('?', begin + 2);
    if (mark == std::string_view::npos || mark + 2 >= raw.size() || raw[mark + 2] != '?')
        return std::nullopt;
    const char encoding = g_ascii_tolower(raw[mark + 1]);
    const std::size_t first = mark + 3;
    const std::size_t close = raw.find("?=", first);
    if ((encoding != 'b' && encoding != 'q') || close == std::string_view::npos)
        return std::nullopt;
    EncodedWord word{begin, close + 2, raw.substr(begin + 2, mark - begin - 2), encoding == 'b',
                     raw.substr(first, close - first)};
    if (!IsCharsetName(word.charset) || !HasNoSpace(word.text))
        return std::nullopt;
    return word;
}

// The bytes of a "Q" word; null when an escape is broken.
std::optional<std::string> DecodeQ(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i] == '_' ? ' ' : text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? g_ascii_xdigit_value(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? g_ascii_xdigit_value(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

bool IsBase64Text(std::string_view text)
{
    const std::size_t padding = text.find('=');
    if (padding != std::string_view::npos && text.find_first_not_of('=', padding) != std::string_view::npos)
        return false;
    for (char c : text.substr(0, padding)) {
        if (!g_ascii_isalnum(c) && c != '+' && c != '/')
            return false;
    }
    return true;
}

// The bytes of a "B" word; null when it holds anything but base64.
std::optional<std::string> DecodeB(std::string_view text)
{
    if (!IsBase64Text(text))
        return std::nullopt;
    const std::vector<BYTE> bytes = DecodeBase64(std::span(reinterpret_cast<const BYTE*>(text.data()), text.size()));
    return std::string(bytes.begin(), bytes.end());
}

std::optional<std::string> Decode(const EncodedWord& word)
{
    return word.base64 ? DecodeB(word.text) : DecodeQ(word.text);
}

// GMime reads a run right when its base64 words but the last are whole
// groups without padding, and when it has no base64 at all.
bool GMimeMisreads(const std::vector<EncodedWord>& run)
{
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        if (run[i].base64 && (run[i].text.size() % 4 != 0 || run[i].text.ends_with('=')))
            return true;
    }
    return false;
}

bool SameCharset(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && g_ascii_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// The run of words of one charset that starts at `first`, separated by
// nothing but folding white space.
std::vector<EncodedWord> RunFrom(std::string_view raw, const EncodedWord& first)
{
    std::vector<EncodedWord> run{first};
    for (;;) {
        std::size_t next = run.back().end;
        while (next < raw.size() && IsFoldingSpace(raw[next]))
            ++next;
        std::optional<EncodedWord> word = WordAt(raw, next);
        if (!word || !SameCharset(word->charset, first.charset))
            return run;
        run.push_back(*word);
    }
}

// One word holding the bytes of every word of `run`; null when one of them
// does not decode, so that GMime judges the run as it stands.
std::optional<std::string> Joined(const std::vector<EncodedWord>& run)
{
    std::string bytes;
    for (const EncodedWord& word : run) {
        std::optional<std::string> decoded = Decode(word);
        if (!decoded)
            return std::nullopt;
        bytes += *decoded;
    }
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string out = "=?" + std::string(run.front().charset) + "?B?" + encoded + "?=";
    g_free(encoded);
    return out;
}

}  // namespace

bool IsCharsetName(std::string_view name)
{
    for (char c : name) {
        if (c <= ' ' || c > '~' || c == '?')
            return false;
    }
    return !name.empty();
}

std::string JoinEncodedWords(std::string_view raw)
{
    std::string out;
    std::size_t copied = 0;
    std::size_t at = 0;
    while ((at = raw.find("=?", at)) != std::string_view::npos) {
        std::optional<EncodedWord> word = WordAt(raw, at);
        if (!word) {
            at += 2;
            continue;
        }
        const std::vector<EncodedWord> run = RunFrom(raw, *word);
        std::optional<std::string> joined = GMimeMisreads(run) ? Joined(run) : std::nullopt;
        if (joined) {
            out.append(raw.substr(copied, word->begin - copied));
            out += *joined;
            copied = run.back().end;
        }
        at = run.back().end;
    }
    out.append(raw.substr(copied));
    return out;
}
