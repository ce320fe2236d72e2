"""A loopback SMTP server for the mail tests.

Usage: smtp_server.py MODE OUTDIR   (MODE: plain, auth, silent, slow or smtps)

Prints "PORT n" once it listens on 127.0.0.1, then serves until killed.
Every message that arrives is parsed with the email package and summarised in
OUTDIR/N.json; its attachments are written to OUTDIR/N-<name>.
plain: recipients whose local part is "nobody" are refused with 550.
auth:  requires AUTH (tester / s3cret) without TLS.
silent: accepts connections and never says a word.
slow:  answers every step correctly, each after 0.8 s.
smtps: plain behind TLS from the first byte, with a certificate for 127.0.0.1
       made at start (OUTDIR/cert.pem, its own authority).
"""
import email
import email.policy
import io
import json
import logging
import os
import socket
import ssl
import subprocess
import threading
import sys
import time
import warnings
import zipfile

MODE, OUTDIR = sys.argv[1], sys.argv[2]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def summarise(envelope, count):
    raw = envelope.original_content or envelope.content
    message = email.message_from_bytes(raw, policy=email.policy.default)
    summary = {
        "mail_from": envelope.mail_from,
        "rcpt_tos": envelope.rcpt_tos,
        "header_names": [name for name, _ in message.raw_items()],
        "seven_bit": all(byte < 128 for byte in raw),
        "subject": str(message["Subject"]) if message["Subject"] is not None else None,
        "to": str(message["To"]) if message["To"] is not None else None,
        "body": None,
        "attachments": [],
    }
    for part in message.walk():
        if part.is_multipart():
            continue
        filename = part.get_filename()
        if filename is None and part.get_content_type() == "text/plain":
            summary["body"] = part.get_content()
        elif filename is not None:
            data = part.get_payload(decode=True)
            path = os.path.join(OUTDIR, "%d-%s" % (count, filename))
            with open(path, "wb") as out:
                out.write(data)
            entry = {"filename": filename, "path": path, "zip_names": None}
            try:
                entry["zip_names"] = zipfile.ZipFile(io.BytesIO(data)).namelist()
            except zipfile.BadZipFile:
                pass
            summary["attachments"].append(entry)
    with open(os.path.join(OUTDIR, "%d.json.tmp" % count), "w") as out:
        json.dump(summary, out)
    os.rename(os.path.join(OUTDIR, "%d.json.tmp" % count), os.path.join(OUTDIR, "%d.json" % count))


class Handler:
    def __init__(self):
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.split("@")[0] == "nobody":
            return "550 5.1.1 <%s>: Recipient address rejected: User unknown" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        summarise(envelope, self.count)
        return "250 Message accepted for delivery"


def authenticate(server, session, envelope, mechanism, auth_data):
    from aiosmtpd.smtp import AuthResult
    ok = auth_data.login == b"tester" and auth_data.password == b"s3cret"
    return AuthResult(success=ok, handled=False)


def serve_slowly(connection):
    def answer(text):
        time.sleep(0.8)
        connection.sendall(text.encode() + b"\r\n")

    reader = connection.makefile("rb")
    answer("220 slow.test ESMTP")
    for line in reader:
        command = line.strip().upper()
        if command.startswith(b"EHLO") or command.startswith(b"HELO"):
            answer("250 slow.test")
        elif command == b"DATA":
            answer("354 go on")
            for text in reader:
                if text in (b".\r\n", b".\n"):
                    break
            answer("250 Message accepted for delivery")
        elif command == b"QUIT":
            answer("221 bye")
            break
        else:
            answer("250 OK")
    connection.close()


def main():
    if MODE == "slow":
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        print("PORT %d" % listener.getsockname()[1], flush=True)
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=serve_slowly, args=(connection,), daemon=True).start()

    if MODE == "silent":
        listener = socket.socket()
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        print("PORT %d" % listener.getsockname()[1], flush=True)
        held = []
        while True:
            connection, _ = listener.accept()
            held.append(connection)

    # The controller checks that it is up by connecting to its port, so it needs a fixed one.
    port = free_port()
    from aiosmtpd.controller import Controller
    # Plain AUTH on loopback is what this test server is for.
    warnings.simplefilter("ignore")
    logging.getLogger("mail.log").setLevel(logging.ERROR)
    options = {}
    if MODE == "auth":
        options = dict(auth_required=True, auth_require_tls=False, authenticator=authenticate)
    if MODE == "smtps":
        cert, key = os.path.join(OUTDIR, "cert.pem"), os.path.join(OUTDIR, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", key, "-out", cert], check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        options = dict(ssl_context=context)
    controller = Controller(Handler(), hostname="127.0.0.1", port=port, **options)
    controller.start()
    print("PORT %d" % port, flush=True)
    try:
        while True:
            time.sleep(3600)
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
