#include "testsupport/MailServers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <grp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace pollenta::testsupport {

namespace {

void Openssl(const std::vector<std::string>& words)
{
    std::vector<std::string> command{"openssl"};
    command.insert(command.end(), words.begin(), words.end());
    if (ChildProcess::Run(command) != 0) throw std::runtime_error("openssl " + words.front() + " failed");
}

bool Accepts(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

void WaitUntilListening(int port, const std::string& what)
{
    for (int i = 0; i < 200; ++i) {
        if (Accepts(port)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error(what + " does not listen on port " + std::to_string(port));
}

std::vector<std::string> Lines(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Others may pass through the folders above `folder`, as the mail server's
// unprivileged processes must.
void OpenTheWayTo(const std::filesystem::path& folder)
{
    const std::filesystem::path top = std::filesystem::temp_directory_path();
    for (std::filesystem::path at = folder; at != top && at.has_relative_path(); at = at.parent_path())
        std::filesystem::permissions(at, std::filesystem::perms::others_exec | std::filesystem::perms::group_exec,
                                     std::filesystem::perm_options::add);
}

}  // namespace

int FreePort()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        ::close(fd);
        throw std::runtime_error("no free port");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

TestCertificate::TestCertificate(const std::filesystem::path& folder) : m_folder(folder)
{
    std::filesystem::create_directories(folder);
    const std::string dir = folder.string();
    Openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", dir + "/ca.key", "-out", dir + "/ca.pem",
             "-days", "2", "-subj", "/CN=Pollenta Test CA"});
    Openssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", dir + "/server.key", "-out", dir + "/server.csr",
             "-subj", "/CN=127.0.0.1"});
    std::ofstream(folder / "server.ext") << "subjectAltName=IP:127.0.0.1,DNS:localhost\n";
    Openssl({"x509", "-req", "-in", dir + "/server.csr", "-CA", dir + "/ca.pem", "-CAkey", dir + "/ca.key",
             "-CAcreateserial", "-out", dir + "/server.pem", "-days", "2", "-extfile", dir + "/server.ext"});
    // The mail server's unprivileged processes read the key as well.
    std::filesystem::permissions(Key(), std::filesystem::perms::others_read, std::filesystem::perm_options::add);
    OpenTheWayTo(folder);
}

SmtpTestServer::SmtpTestServer(const std::filesystem::path& folder, const TestCertificate& certificate,
                               std::string user, std::string password, std::vector<std::string> refused)
    : m_folder(folder), m_certificate(certificate), m_user(std::move(user)), m_password(std::move(password)),
      m_refused(std::move(refused))
{
    std::filesystem::create_directories(folder);
    Start();
}

void SmtpTestServer::Start()
{
    std::vector<std::string> words{"/usr/bin/python3", POLLENTA_TESTSUPPORT_SCRIPTS "/smtp_server.py",
                                   "--folder", m_folder.string(), "--cert", m_certificate.Certificate().string(),
                                   "--key", m_certificate.Key().string(), "--user", m_user,
                                   "--password", m_password};
    if (m_port) words.insert(words.end(), {"--port", std::to_string(m_port)});
    for (const std::string& address : m_refused) words.insert(words.end(), {"--refuse", address});
    m_process = std::make_unique<ChildProcess>(words);
    std::string line = m_process->ReadLine();
    if (line.rfind("port ", 0) != 0) throw std::runtime_error("the SMTP server did not start: " + line);
    m_port = std::stoi(line.substr(5));
}

std::vector<SmtpTestServer::Mail> SmtpTestServer::Received() const
{
    std::vector<Mail> mails;
    for (int number = 1;; ++number) {
        std::filesystem::path file = m_folder / (std::to_string(number) + ".eml");
        // The server numbers on from what the folder holds, across restarts.
        if (!std::filesystem::exists(file)) break;
        std::vector<std::string> envelope = Lines(m_folder / (std::to_string(number) + ".envelope"));
        Mail mail{file, envelope.empty() ? std::string() : envelope.front(), {}};
        if (!envelope.empty()) mail.recipients.assign(envelope.begin() + 1, envelope.end());
        mails.push_back(std::move(mail));
    }
    return mails;
}

ImapTestServer::ImapTestServer(const std::filesystem::path& folder, const TestCertificate& certificate,
                               std::string user, std::string password)
    : m_folder(folder), m_certificate(certificate), m_user(std::move(user)), m_password(std::move(password))
{
    for (const char* sub : {"run", "state", "home", "Maildir/new", "Maildir/cur", "Maildir/tmp"})
        std::filesystem::create_directories(folder / sub);
    OpenTheWayTo(folder);
    const passwd* account = ::getuid() == 0 ? ::getpwnam("nobody") : ::getpwuid(::getuid());
    if (!account) throw std::runtime_error("no user to run the IMAP server's mail processes as");
    m_uid = static_cast<int>(account->pw_uid);
    m_gid = static_cast<int>(account->pw_gid);
    for (const char* sub : {"home", "Maildir", "Maildir/new", "Maildir/cur", "Maildir/tmp"}) Own(folder / sub);
    std::ofstream(folder / "passwd") << m_user << ":{PLAIN}" << m_password << "::::::\n";
    m_port = FreePort();
    WriteConfiguration();
    Start();
}

ImapTestServer::~ImapTestServer() { Stop(); }

void ImapTestServer::Own(const std::filesystem::path& path) const
{
    if (::getuid() == 0 && ::chown(path.c_str(), static_cast<uid_t>(m_uid), static_cast<gid_t>(m_gid)) != 0)
        throw std::runtime_error("cannot give " + path.string() + " to the mail user");
}

void ImapTestServer::WriteConfiguration() const
{
    const std::string dir = m_folder.string();
    const passwd* account = ::getpwuid(static_cast<uid_t>(m_uid));
    const group* group = ::getgrgid(static_cast<gid_t>(m_gid));
    const std::string user = account ? account->pw_name : "nobody";
    const std::string groupName = group ? group->gr_name : "nogroup";
    std::ofstream config(m_folder / "dovecot.conf");
    config << "base_dir = " << dir << "/run\n"
           << "state_dir = " << dir << "/state\n"
           << "log_path = " << dir << "/dovecot.log\n"
           << "protocols = imap\n"
           << "listen = 127.0.0.1\n"
           << "ssl = required\n"
           << "ssl_cert = <" << m_certificate.Certificate().string() << "\n"
           << "ssl_key = <" << m_certificate.Key().string() << "\n"
           << "auth_mechanisms = plain login\n"
           << "default_internal_user = " << user << "\n"
           << "default_internal_group = " << groupName << "\n"
           << "default_login_user = " << user << "\n"
           << "first_valid_uid = " << m_uid << "\n"
           << "mail_location = maildir:" << dir << "/Maildir\n"
           << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN " << dir << "/passwd\n}\n"
           << "userdb {\n  driver = static\n  args = uid=" << m_uid << " gid=" << m_gid << " home=" << dir
           << "/home\n}\n"
           << "service imap-login {\n  chroot =\n  inet_listener imap {\n    port = 0\n  }\n"
           << "  inet_listener imaps {\n    address = 127.0.0.1\n    port = " << m_port << "\n    ssl = yes\n  }\n}\n"
           << "service anvil {\n  chroot =\n}\n";
}

void ImapTestServer::Start()
{
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/sbin/dovecot", "-F", "-c", (m_folder / "dovecot.conf").string()});
    WaitUntilListening(m_port, "Dovecot");
}

void ImapTestServer::Stop() { m_process.reset(); }

void ImapTestServer::Place(const std::string& mime)
{
    const std::string name = std::to_string(std::chrono::system_clock::now().time_since_epoch().count()) + ".M" +
                             std::to_string(++m_placed) + "P" + std::to_string(::getpid()) + ".test";
    std::filesystem::path temporary = m_folder / "Maildir/tmp" / name;
    std::ofstream(temporary, std::ios::binary) << mime;
    Own(temporary);
    std::filesystem::rename(temporary, m_folder / "Maildir/new" / name);
}

void ImapTestServer::Renumber()
{
    Stop();
    for (const auto& entry : std::filesystem::directory_iterator(m_folder / "Maildir"))
        if (entry.path().filename().string().rfind("dovecot", 0) == 0) std::filesystem::remove_all(entry.path());
    // The new UIDVALIDITY comes from the clock: a second on, it differs.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    Start();
}

}  // namespace pollenta::testsupport
