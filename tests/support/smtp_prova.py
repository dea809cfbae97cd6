#!/usr/bin/python3
"""A local SMTP server for the e-mail tests.

modo: "chiaro" (no TLS), "starttls" (offers STARTTLS), "tls" (TLS from the first byte),
"tls11" (TLS from the first byte, version 1.1 only).
Each message received is written to <cartella>/NNN.eml (the data as sent) and NNN.json
(envelope sender and recipients, the headers, plain text and attachments as read by Python's
email package, whether it came over TLS, the user that logged in). Prints
"PRONTO <port>" once it listens and serves until stdin closes.
"""
import argparse, base64, email, email.policy, json, os, socket, ssl, sys
from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Archivio:
    def __init__(self, cartella):
        self.cartella = cartella
        self.n = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        # an address that stands for a mailbox the server does not know
        if address.startswith("rifiutato@"):
            return "550 5.1.1 Destinatario sconosciuto"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.n += 1
        base = os.path.join(self.cartella, "%03d" % self.n)
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content or envelope.content)
        msg = email.message_from_bytes(envelope.original_content or envelope.content, policy=email.policy.default)
        corpo = msg.get_body(preferencelist=("plain",))
        allegati = [{
            "nome": p.get_filename(),
            "tipo": p.get_content_type(),
            "contenuto": base64.b64encode(p.get_payload(decode=True)).decode(),
        } for p in msg.iter_attachments()]
        with open(base + ".json", "w") as f:
            json.dump({
                "from": str(msg["From"]),
                "to": str(msg["To"]),
                "cc": str(msg["Cc"] or ""),
                "subject": str(msg["Subject"]),
                "testo": corpo.get_content().replace("\r\n", "\n") if corpo is not None else None,
                "grezzo": (envelope.original_content or envelope.content).decode("ascii", "replace"),
                "allegati": allegati,
                "mail_from": envelope.mail_from,
                "rcpt_tos": envelope.rcpt_tos,
                "tls": session.ssl is not None or server.transport.get_extra_info("ssl_object") is not None,
                "utente": session.auth_data.login.decode() if session.authenticated else None,
            }, f)
        return "250 OK"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--modo", default="chiaro")
    p.add_argument("--cert")
    p.add_argument("--chiave")
    p.add_argument("--cartella", required=True)
    p.add_argument("--utente")  # "name:password": the only login accepted
    a = p.parse_args()

    contesto = None
    if a.cert:
        contesto = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        contesto.load_cert_chain(a.cert, a.chiave)

    def autentica(server, session, envelope, mechanism, auth_data):
        if a.utente and isinstance(auth_data, LoginPassword):
            nome, parola = a.utente.split(":", 1)
            if auth_data.login.decode() == nome and auth_data.password.decode() == parola:
                return AuthResult(success=True, auth_data=auth_data)
        return AuthResult(success=False, handled=False)

    kw = dict(hostname="127.0.0.1", authenticator=autentica, auth_require_tls=True)
    if a.modo == "starttls":
        kw["tls_context"] = contesto
    elif a.modo in ("tls", "tls11"):
        if a.modo == "tls11":
            # an old server: TLS 1.1 and nothing newer
            contesto.set_ciphers("DEFAULT:@SECLEVEL=0")
            contesto.minimum_version = ssl.TLSVersion.TLSv1_1
            contesto.maximum_version = ssl.TLSVersion.TLSv1_1
        kw["ssl_context"] = contesto
        # the whole connection is TLS, but the server library only knows of STARTTLS
        kw["auth_require_tls"] = False
    # the controller's readiness probe needs a real port: take a free one first
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    kw["port"] = s.getsockname()[1]
    s.close()
    c = Controller(Archivio(a.cartella), **kw)
    c.start()
    porta = kw["port"]
    print("PRONTO %d" % porta, flush=True)
    sys.stdin.read()
    c.stop()


if __name__ == "__main__":
    main()
