#pragma once
// Real mail servers on 127.0.0.1 for tests, each in a folder of the test's:
// a throwaway certificate authority and server certificate made by openssl,
// an SMTP server (aiosmtpd under /usr/bin/python3, STARTTLS and AUTH
// required) that keeps what it accepts, and an IMAP server (Dovecot with a
// configuration of its own: one user, a Maildir, TLS). Dovecot's mail and
// login processes never run as root: under root they run as nobody.
//
//     TestCertificate certificate(folder / "tls");
//     SmtpTestServer smtp(folder / "smtp", certificate, "ann", "secret");
//     ImapTestServer imap(folder / "imap", certificate, "ann", "secret");
//     imap.Place(mime);                        // a new message in the mailbox
//     for (const auto& mail : smtp.Received()) ...

#include "testsupport/ChildProcess.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pollenta::testsupport {

class TestCertificate {
public:
    // A CA and a certificate it signs for 127.0.0.1 and localhost; throws
    // std::runtime_error when openssl fails.
    explicit TestCertificate(const std::filesystem::path& folder);
    std::filesystem::path Ca() const { return m_folder / "ca.pem"; }
    std::filesystem::path Certificate() const { return m_folder / "server.pem"; }
    std::filesystem::path Key() const { return m_folder / "server.key"; }

private:
    std::filesystem::path m_folder;
};

class SmtpTestServer {
public:
    struct Mail {
        std::filesystem::path file;
        std::string sender;
        std::vector<std::string> recipients;
    };

    // Listens at once, on a free port; `refused` get 550 to RCPT TO.
    SmtpTestServer(const std::filesystem::path& folder, const TestCertificate& certificate, std::string user,
                   std::string password, std::vector<std::string> refused = {});
    std::string Url() const { return "smtp://127.0.0.1:" + std::to_string(m_port); }
    int Port() const { return m_port; }
    void Stop() { m_process.reset(); }
    // Again at the same port, keeping what it received.
    void Start();
    // Everything accepted so far, in order.
    std::vector<Mail> Received() const;

private:
    std::filesystem::path m_folder;
    const TestCertificate& m_certificate;
    std::string m_user;
    std::string m_password;
    std::vector<std::string> m_refused;
    int m_port = 0;
    std::unique_ptr<ChildProcess> m_process;
};

class ImapTestServer {
public:
    ImapTestServer(const std::filesystem::path& folder, const TestCertificate& certificate, std::string user,
                   std::string password);
    ~ImapTestServer();
    // The user's INBOX over implicit TLS.
    std::string Url() const { return "imaps://127.0.0.1:" + std::to_string(m_port) + "/INBOX"; }
    // A new message in the mailbox, as a delivery agent leaves one.
    void Place(const std::string& mime);
    // The mailbox made anew: its messages stay, but numbered afresh under
    // a new UIDVALIDITY. The server is restarted for it.
    void Renumber();
    void Stop();
    void Start();

private:
    void WriteConfiguration() const;
    void Own(const std::filesystem::path& path) const;

    std::filesystem::path m_folder;
    const TestCertificate& m_certificate;
    std::string m_user;
    std::string m_password;
    int m_port = 0;
    int m_uid = 0;
    int m_gid = 0;
    int m_placed = 0;
    std::unique_ptr<ChildProcess> m_process;
};

// A port on 127.0.0.1 that nothing listens on now.
int FreePort();

}  // namespace pollenta::testsupport
