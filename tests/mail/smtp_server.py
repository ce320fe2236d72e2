"""A loopback SMTP server for the mail tests.

Usage: smtp_server.py MODE OUTDIR   (MODE: plain, auth, silent, slow, trickle or smtps)

Prints "PORT n" once it listens on 127.0.0.1, then serves until killed.
Every message that arrives is parsed with the email package and summarised in
OUTDIR/N.json; its attachments are written to OUTDIR/N-<name>.
plain: recipients whose local part is "nobody" are refused with 550.
auth:  requires AUTH (tester / s3cret) without TLS.
silent: accepts connections and never says a word.
slow:  answers every step correctly, each after 0.8 s.
trickle: answers every step at once, but takes in the message 512 bytes every
       0.25 s, and hangs up 6 s into it; a small receive window and segment
       size keep the sender from handing the message to its kernel in one go.
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


def take_at_once(reader):
    for text in reader:
        if text in (b".\r\n", b".\n"):
            return True
    return False


def take_slowly(reader):
    # A client that does not give up in time is let go after 6 s rather than
    # held for minutes.
    give_up = time.monotonic() + 6
    tail = b""
    while tail != b"\r\n.\r\n":
        time.sleep(0.25)
        data = reader.read(512)
        if not data or time.monotonic() > give_up:
            return False
        tail = (tail + data)[-5:]
    return True


def serve_by_hand(connection, name, delay, take_message):
    """The SMTP steps, each answered after `delay` seconds; take_message reads
    the message after DATA and says whether it all came."""
    def answer(text):
        time.sleep(delay)
        connection.sendall(text.encode() + b"\r\n")

    # Unbuffered, so that a read takes no more from the socket than it asks for.
    reader = connection.makefile("rb", buffering=0)
    answer("220 %s ESMTP" % name)
    for line in reader:
        command = line.strip().upper()
        if command.startswith(b"EHLO") or command.startswith(b"HELO"):
            answer("250 " + name)
        elif command == b"DATA":
            answer("354 go on")
            if not take_message(reader):
                break
            answer("250 Message accepted for delivery")
        elif command == b"QUIT":
            answer("221 bye")
            break
        else:
            answer("250 OK")
    connection.close()


def main():
    if MODE in ("slow", "trickle"):
        listener = socket.socket()
        if MODE == "trickle":
            # Accepted connections inherit both, and the sender's buffer is
            # sized by the segment size it is told.
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
            listener.setsockopt(socket.IPPROTO_TCP, socket.TCP_MAXSEG, 536)
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        print("PORT %d" % listener.getsockname()[1], flush=True)
        how = ("slow.test", 0.8, take_at_once) if MODE == "slow" else \
            ("trickle.test", 0, take_slowly)
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=serve_by_hand, args=(connection, *how), daemon=True).start()

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
