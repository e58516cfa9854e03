#include "testsupport/StandardMail.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace pollenta::testsupport {

namespace {

std::string Quoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::vector<std::string> Addresses(const std::string& field)
{
    return field.empty() ? std::vector<std::string>{} : Split(field, ',');
}

StandardMail Parse(const std::string& line)
{
    std::vector<std::string> f = Split(line, '\t');
    if (f.size() != 9) throw std::runtime_error("unreadable line from the mail reader: " + line);
    return {f[0], f[1], f[2], f[3], f[4], Addresses(f[5]), Addresses(f[6]), Addresses(f[7]), std::stoi(f[8])};
}

}  // namespace

std::vector<StandardMail> ReadStandardMail(const std::vector<std::filesystem::path>& files)
{
    std::vector<StandardMail> mails;
    // The command line holds a few thousand files at most.
    constexpr std::size_t kFilesPerRun = 500;
    for (std::size_t start = 0; start < files.size(); start += kFilesPerRun) {
        std::string command = "/usr/bin/python3 " + Quoted(POLLENTA_TESTSUPPORT_SCRIPTS "/mail_headers.py");
        for (std::size_t i = start; i < files.size() && i < start + kFilesPerRun; ++i)
            command += " " + Quoted(files[i].string());
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        if (!pipe) throw std::runtime_error("cannot run " + command);
        std::string output;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
        if (pclose(pipe.release()) != 0) throw std::runtime_error("the mail reader failed on " + files[start].string());
        for (const std::string& line : Split(output, '\n'))
            if (!line.empty()) mails.push_back(Parse(line));
    }
    return mails;
}

}  // namespace pollenta::testsupport
