#include "CWEImportCommand.h"

#include "AnsiText.h"

#include <strings.h>

namespace {

constexpr size_t kMaxProjectName = 200;
constexpr size_t kMaxFormName = 100;

bool IsOneOf(const std::string& text, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (strcasecmp(text.c_str(), word) == 0)
            return true;
    return false;
}

CComVariant TypedValue(const std::string& type, const std::string& text)
{
    LONG number = 0;
    if (IsOneOf(type, {"VT_I4", "I4", "int", "i"}))
        return CComVariant(AnsiTextToNumber(text, number) ? number : LONG{0});
    if (IsOneOf(type, {"VT_I2"}))
        return CComVariant(static_cast<SHORT>(AnsiTextToNumber(text, number) ? number : 0));
    if (IsOneOf(type, {"VT_BOOL", "BOOL"}))
        return CComVariant(IsOneOf(text, {"on", "true", "yes"}) || (AnsiTextToNumber(text, number) && number != 0));
    return CComVariant(text);
}

bool IsTrue(const CComVariant& value)
{
    CComVariant number;
    return SUCCEEDED(number.ChangeType(VT_I4, &value)) && number.lVal != 0;
}

// "name|type|value|" triplets; one with an empty name or type is skipped.
void ReadParameters(CWEImportCommand& command)
{
    std::vector<std::string> fields;
    const std::string& text = command.parameterText;
    for (size_t at = 0; at < text.size();) {
        const size_t bar = text.find('|', at);
        if (bar == std::string::npos)
            break;
        fields.push_back(text.substr(at, bar - at));
        at = bar + 1;
    }
    for (size_t i = 0; i + 2 < fields.size(); i += 3) {
        if (fields[i].empty() || fields[i + 1].empty())
            continue;
        CComVariant value = TypedValue(fields[i + 1], fields[i + 2]);
        if (strcasecmp(fields[i].c_str(), "IsSample") == 0)
            command.isSample = IsTrue(value);
        command.parameters.push_back({fields[i], std::move(value)});
    }
}

}  // namespace

std::vector<std::string> CWEImportCommand::Words(const std::string& commandLine)
{
    std::vector<std::string> words;
    size_t at = 0;
    while (at < commandLine.size()) {
        while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t'))
            ++at;
        if (at == commandLine.size())
            break;
        std::string word;
        if (commandLine[at] == '"') {
            for (++at; at < commandLine.size(); ++at) {
                if (commandLine[at] != '"') {
                    word += commandLine[at];
                } else if (at + 1 < commandLine.size() && commandLine[at + 1] == '"') {
                    word += '"';
                    ++at;
                } else {
                    ++at;
                    break;
                }
            }
        } else {
            while (at < commandLine.size() && commandLine[at] != ' ' && commandLine[at] != '\t')
                word += commandLine[at++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

CWEImportCommand CWEImportCommand::Parse(const std::string& commandLine)
{
    CWEImportCommand command;
    std::vector<std::string> words = Words(commandLine);
    size_t next = 0;
    for (; next < words.size(); ++next) {
        if (strcasecmp(words[next].c_str(), "/SILENT") == 0)
            command.silence = Silence::Silent;
        else if (strcasecmp(words[next].c_str(), "/SILENTOK") == 0)
            command.silence = Silence::SilentOk;
        else if (strcasecmp(words[next].c_str(), "/SILENTDP") == 0)
            command.silence = Silence::SilentDp;
        else
            break;
    }
    std::vector<std::string*> fields = {&command.projectName, &command.database, &command.form,
                                        &command.parameterText};
    size_t positional = 0;
    for (; next < words.size() && positional < fields.size(); ++next)
        *fields[positional++] = words[next];
    ReadParameters(command);
    // Longer names are refused rather than cut: a cut name would make a
    // project or open a form that nobody asked for.
    command.valid =
        positional >= 3 && command.projectName.size() <= kMaxProjectName && command.form.size() <= kMaxFormName;
    return command;
}
