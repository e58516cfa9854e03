#include "CommandLine.h"

std::vector<std::string> CommandLine::Split(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++pos;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            size_t count = 0;
            while (pos < line.size() && line[pos] == '\\') {
                ++count;
                ++pos;
            }
            if (pos < line.size() && line[pos] == '"') {
                word.append(count / 2, '\\');
                if (count % 2) {
                    word += '"';
                    ++pos;
                }
            } else {
                word.append(count, '\\');
            }
        } else if (c == '"') {
            // Inside a group, a doubled quote stands for one quote.
            if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
                word += '"';
                pos += 2;
            } else {
                quoted = !quoted;
                ++pos;
            }
        } else {
            word += c;
            ++pos;
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
