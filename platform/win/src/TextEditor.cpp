#include "TextEditor.h"

#include "CommandLine.h"

#include <cstdlib>
#include <fstream>
#include <strings.h>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> Folders(const char* variable, const std::string& fallback)
{
    std::string list = Environment(variable);
    if (list.empty())
        list = fallback;
    std::vector<std::string> folders;
    for (size_t at = 0; at <= list.size();) {
        const size_t colon = std::min(list.find(':', at), list.size());
        if (colon > at)
            folders.push_back(list.substr(at, colon - at));
        at = colon + 1;
    }
    return folders;
}

std::string Home() { return Environment("HOME"); }

// The first value of `key` in the [section] of an ini-style file.
std::string IniValue(const std::string& path, const std::string& section, const std::string& key)
{
    std::ifstream file(path);
    std::string line;
    bool inSection = false;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inSection = line == "[" + section + "]";
        else if (inSection && line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return "";
}

// The desktop entry that mimeapps.list names first for text/plain.
std::string DefaultTextApplication()
{
    std::vector<std::string> lists;
    std::string configHome = Environment("XDG_CONFIG_HOME");
    if (configHome.empty())
        configHome = Home() + "/.config";
    lists.push_back(configHome + "/mimeapps.list");
    for (const std::string& folder : Folders("XDG_CONFIG_DIRS", "/etc/xdg"))
        lists.push_back(folder + "/mimeapps.list");
    for (const std::string& folder : Folders("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        lists.push_back(folder + "/applications/mimeapps.list");
    for (const std::string& list : lists) {
        std::string entries = IniValue(list, "Default Applications", "text/plain");
        if (!entries.empty())
            return entries.substr(0, entries.find(';'));
    }
    return "";
}

std::string DesktopEntryExec(const std::string& entry)
{
    std::string dataHome = Environment("XDG_DATA_HOME");
    if (dataHome.empty())
        dataHome = Home() + "/.local/share";
    std::vector<std::string> folders = {dataHome};
    for (const std::string& folder : Folders("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        folders.push_back(folder);
    for (const std::string& folder : folders) {
        std::string exec = IniValue(folder + "/applications/" + entry, "Desktop Entry", "Exec");
        if (!exec.empty())
            return exec;
    }
    return "";
}

// An Exec line's words with the files put in for %f, %F, %u or %U (after
// the words when it has none); other field codes are dropped.
std::vector<std::string> ExecCommand(const std::string& exec, const std::vector<std::string>& files)
{
    std::vector<std::string> words;
    bool placed = false;
    for (const std::string& word : CommandLine::Split(exec)) {
        if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
            words.insert(words.end(), files.begin(), files.end());
            placed = true;
        } else if (!(word.size() == 2 && word[0] == '%')) {
            words.push_back(word);
        }
    }
    if (!placed)
        words.insert(words.end(), files.begin(), files.end());
    return words;
}

}  // namespace

std::vector<std::string> TextEditorCommand(const std::vector<std::string>& files)
{
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const std::string editor = Environment(variable);
        if (!editor.empty())
            return ExecCommand(editor, files);
    }
    const std::string entry = DefaultTextApplication();
    const std::string exec = entry.empty() ? "" : DesktopEntryExec(entry);
    return exec.empty() ? std::vector<std::string>() : ExecCommand(exec, files);
}

bool IsNotepad(const std::string& program)
{
    const std::string name = program.substr(program.find_last_of("/\\") + 1);
    return strcasecmp(name.c_str(), "notepad.exe") == 0 || strcasecmp(name.c_str(), "notepad") == 0;
}
