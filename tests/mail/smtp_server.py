#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail tests.

  smtp_server.py serve --dir OUT [--mode plain|starttls|tls] [--cert C --key K]
                       [--user U --password P]
      Prints "PORT <n>" once listening, then serves until stdin is closed.
      Every message received is saved as OUT/NNN.eml with OUT/NNN.json
      (envelope sender and recipients, TLS version, login used).
      Recipients at the domain "rifiutato.test" are refused with 550.
      With --user only AUTH LOGIN is offered, and it is required.

  smtp_server.py inspect FILE.eml
      Prints the message parsed by Python's email module as JSON.
"""

import argparse
import hashlib
import json
import os
import socket
import ssl
import sys
import threading

from email import policy
from email.parser import BytesParser


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Saver:
    def __init__(self, folder):
        self.folder = folder
        self.count = 0
        self.lock = threading.Lock()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().endswith("@rifiutato.test"):
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        tls = server.transport.get_extra_info("ssl_object")
        login = session.login_data
        info = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": tls.version() if tls is not None else None,
            "login": login.decode() if isinstance(login, bytes) else login,
        }
        with self.lock:
            self.count += 1
            base = os.path.join(self.folder, "%03d" % self.count)
        # Written under temporary names first: the test never sees half a file.
        with open(base + ".tmp", "wb") as f:
            f.write(envelope.original_content or envelope.content)
        with open(base + ".jtmp", "w") as f:
            json.dump(info, f)
        os.replace(base + ".jtmp", base + ".json")
        os.replace(base + ".tmp", base + ".eml")
        return "250 Message accepted for delivery"


def serve(args):
    from aiosmtpd.controller import Controller
    from aiosmtpd.smtp import AuthResult

    context = None
    if args.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    def authenticator(server, session, envelope, mechanism, auth_data):
        ok = (mechanism == "LOGIN" and auth_data.login.decode() == args.user
              and auth_data.password.decode() == args.password)
        return AuthResult(success=ok, handled=False, auth_data=auth_data)

    smtp_options = {}
    if args.user:
        smtp_options.update(authenticator=authenticator, auth_required=True,
                            auth_exclude_mechanism=["PLAIN"],
                            auth_require_tls=(args.mode == "starttls"))
    if args.mode == "starttls":
        smtp_options.update(tls_context=context, require_starttls=True)

    port = free_port()
    controller = Controller(Saver(args.dir), hostname="127.0.0.1", port=port,
                            ssl_context=context if args.mode == "tls" else None,
                            server_hostname="localhost", **smtp_options)
    controller.start()
    print("PORT %d" % port, flush=True)
    try:
        sys.stdin.read()
    finally:
        controller.stop()


def inspect(args):
    with open(args.file, "rb") as f:
        message = BytesParser(policy=policy.default).parse(f)
    body = message.get_body(preferencelist=("plain",))
    attachments = []
    for part in message.iter_attachments():
        data = part.get_payload(decode=True) or b""
        attachments.append({
            "filename": part.get_filename(),
            "content_type": part.get_content_type(),
            "size": len(data),
            "sha1": hashlib.sha1(data).hexdigest(),
        })
    print(json.dumps({
        "from": str(message["From"] or ""),
        "to": str(message["To"] or ""),
        "cc": str(message["Cc"] or ""),
        "subject": str(message["Subject"] or ""),
        "date": str(message["Date"] or ""),
        "text": body.get_content() if body is not None else None,
        "multipart": message.is_multipart(),
        "attachments": attachments,
    }))


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="command", required=True)
    s = sub.add_parser("serve")
    s.add_argument("--dir", required=True)
    s.add_argument("--mode", choices=["plain", "starttls", "tls"], default="plain")
    s.add_argument("--cert")
    s.add_argument("--key")
    s.add_argument("--user")
    s.add_argument("--password")
    i = sub.add_parser("inspect")
    i.add_argument("file")
    args = parser.parse_args()
    if args.command == "serve":
        serve(args)
    else:
        inspect(args)


if __name__ == "__main__":
    main()
