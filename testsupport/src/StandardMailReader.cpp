#include "testsupport/StandardMailReader.h"

#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

namespace pollenta::testsupport {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// One line a record, fields split by tabs, each escaped: "H" name value,
// "P" type disposition id file-name text, "D" defect.
constexpr const char* kScript = R"(
import sys, email
from email import policy
def esc(s): return s.replace('\\', '\\\\').replace('\t', '\\t').replace('\r', '\\r').replace('\n', '\\n')
with open(sys.argv[1], 'rb') as f:
    m = email.message_from_binary_file(f, policy=policy.default)
out = []
for name, value in m.items():
    out.append('H\t' + esc(name) + '\t' + esc(str(value)))
    out += ['D\t' + esc(name + ': ' + type(d).__name__) for d in getattr(value, 'defects', ())]
for part in m.walk():
    out += ['D\t' + esc(type(d).__name__) for d in part.defects]
    if part.is_multipart():
        continue
    cid = (part.get('Content-ID') or '').strip().strip('<>')
    text = part.get_content() if part.get_content_maintype() == 'text' else ''
    fields = [part.get_content_type(), part.get_content_disposition() or '', cid, part.get_filename() or '', text]
    out.append('P\t' + '\t'.join(esc(x) for x in fields))
sys.stdout.buffer.write(''.join(line + '\n' for line in out).encode('utf-8', 'surrogateescape'))
)";

std::string Unescaped(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        const char c = field[++i];
        out += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(Unescaped(line.substr(start, tab - start)));
    fields.push_back(Unescaped(line.substr(start)));
    return fields;
}

// Python's output and exit status; its errors go to the test's stderr.
std::pair<std::string, int> RunPython(const std::filesystem::path& eml)
{
    int out[2];
    if (pipe(out) != 0)
        throw std::runtime_error("cannot make a pipe to " + std::string(kPython));
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(kPython, kPython, "-c", kScript, eml.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        throw std::runtime_error("cannot run " + std::string(kPython));
    return {text, WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)};
}

}  // namespace

std::string ReceivedMail::Header(const std::string& name) const
{
    for (const auto& [key, value] : headers) {
        if (strcasecmp(key.c_str(), name.c_str()) == 0)
            return value;
    }
    return {};
}

std::size_t ReceivedMail::HeaderCount(const std::string& name) const
{
    std::size_t count = 0;
    for (const auto& header : headers)
        count += strcasecmp(header.first.c_str(), name.c_str()) == 0;
    return count;
}

ReceivedMail ReadWithStandardLibrary(const std::filesystem::path& eml)
{
    const auto [output, status] = RunPython(eml);
    if (status != 0)
        throw std::runtime_error(std::string(kPython) + " email could not read " + eml.string() + " (exit status " +
                                 std::to_string(status) + ")");
    ReceivedMail mail;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> fields = Fields(line);
        if (fields[0] == "H" && fields.size() == 3)
            mail.headers.emplace_back(fields[1], fields[2]);
        else if (fields[0] == "D" && fields.size() == 2)
            mail.defects.push_back(fields[1]);
        else if (fields[0] == "P" && fields.size() == 6)
            mail.parts.push_back({fields[1], fields[2], fields[3], fields[4], fields[5]});
        else
            throw std::runtime_error("unreadable line from the mail reader: " + line);
    }
    return mail;
}

}  // namespace pollenta::testsupport
