#!/usr/bin/env python3
"""A mail relay for the site's tests, on a free loopback port printed on the first line.

Each mail it takes is written to FOLDER/N.txt (N from 1): a header line per fact, a blank
line, then the body as a mail reader decodes it. Recipients containing "rifiuta" are refused;
the login "sito" with the password "parola" is accepted. It stops when its input closes.
"""
import email
import email.policy
import logging
import os
import socket
import sys
import warnings

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult


class Sink:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if "rifiuta" in address:
            return "550 5.1.1 mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        login = session.auth_data.login.decode() if session.auth_data else ""
        facts = {
            "login": login,
            "envelope-to": ",".join(envelope.rcpt_tos),
            "subject-encoded": str(b"\r\nSubject: =?UTF-8?B?" in envelope.content),
            "charset": message.get_content_charset(),
        }
        for name in ("Date", "Message-ID", "From", "To", "Subject"):
            facts[name.lower()] = str(message[name])
        text = "".join(f"{k}: {v}\n" for k, v in facts.items()) + "\n" + message.get_content()
        self.count += 1
        path = os.path.join(self.folder, f"{self.count}.txt")
        with open(path + ".part", "w", encoding="utf-8") as out:
            out.write(text)
        os.rename(path + ".part", path)
        return "250 OK"


def check_login(server, session, envelope, mechanism, auth_data):
    ok = auth_data.login == b"sito" and auth_data.password == b"parola"
    return AuthResult(success=ok, handled=False, auth_data=auth_data)


def main():
    # aiosmtpd's own deprecation notes about its login data; failures are still told.
    warnings.simplefilter("ignore", DeprecationWarning)
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    controller = Controller(Sink(sys.argv[1]), hostname="127.0.0.1", port=port,
                            authenticator=check_login, auth_require_tls=False)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
