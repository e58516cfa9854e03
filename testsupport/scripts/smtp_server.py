"""A mail server for tests: aiosmtpd on 127.0.0.1 with STARTTLS and AUTH
required, keeping every message it accepts in a folder as N.eml beside
N.envelope (the envelope sender on the first line, then one recipient a line).

    smtp_server.py --folder DIR --cert FILE --key FILE --user NAME --password WORD
                   [--port N] [--refuse ADDRESS]... [--plain]

Prints "port N" once it listens, then serves until SIGTERM. --refuse answers
550 to RCPT TO for that address; --plain offers neither STARTTLS nor AUTH."""

import argparse
import itertools
import os
import signal
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Keeper:
    def __init__(self, folder, refused):
        self.folder = folder
        self.refused = set(refused)
        # A server started again numbers on after what the folder holds.
        kept = [int(n[:-4]) for n in os.listdir(folder) if n.endswith(".eml") and n[:-4].isdigit()]
        self.numbers = itertools.count(max(kept, default=0) + 1)
        self.lock = threading.Lock()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 2.1.5 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            number = next(self.numbers)
        base = os.path.join(self.folder, str(number))
        with open(base + ".eml.tmp", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".envelope", "w") as f:
            f.write("\n".join([envelope.mail_from] + list(envelope.rcpt_tos)) + "\n")
        os.rename(base + ".eml.tmp", base + ".eml")
        return "250 2.0.0 Message accepted for delivery"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user", default="")
    parser.add_argument("--password", default="")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--plain", action="store_true")
    args = parser.parse_args()

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = isinstance(auth_data, LoginPassword) and auth_data.login.decode() == args.user and \
            auth_data.password.decode() == args.password
        return AuthResult(success=ok, handled=False)

    # One connection may carry a whole survey.
    options = dict(data_size_limit=64 << 20, command_call_limit=10 ** 7)
    if not args.plain:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
        options.update(tls_context=context, require_starttls=True, authenticator=authenticate,
                       auth_required=True, auth_require_tls=True)
    port = args.port or free_port()
    controller = Controller(Keeper(args.folder, args.refuse), hostname="127.0.0.1", port=port, **options)
    controller.start()
    print("port %d" % port, flush=True)
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    stop.wait()
    controller.stop()


if __name__ == "__main__":
    sys.exit(main())
