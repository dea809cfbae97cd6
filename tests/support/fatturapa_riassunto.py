#!/usr/bin/env python3
# Prints, for each supplier's FatturaPA file given, what it says in a few plain lines (supplier,
# addressee, each body's kind, date, number, lines, VAT summary and payments), read with
# Python's own XML parser and, for a signed envelope, the openssl command: a reading that shares
# nothing with the program's, for the tests to compare with.
import base64
import subprocess
import sys
import xml.etree.ElementTree as ET
from decimal import Decimal


def locale(tag):
    return tag.split("}", 1)[-1]


def figlio(nodo, nome):
    if nodo is None:
        return None
    for c in nodo:
        if locale(c.tag) == nome:
            return c
    return None


def figli(nodo, nome):
    return [c for c in nodo if locale(c.tag).upper() == nome.upper()] if nodo is not None else []


def testo(nodo, *percorso):
    for nome in percorso:
        nodo = figlio(nodo, nome)
    return "".join(nodo.itertext()).strip() if nodo is not None else ""


def numero(t, predefinito=""):
    if t == "":
        return predefinito
    d = Decimal(t).normalize()
    return format(d, "f") if d != 0 else "0"


def payload(percorso):
    dati = open(percorso, "rb").read()
    inizio = dati.lstrip(b"\xef\xbb\xbf \r\n\t")[:1]
    if inizio == b"<":
        return dati
    if dati[:1] != b"\x30":
        dati = base64.b64decode(b"".join(dati.split()), validate=True)
    return subprocess.run(["openssl", "cms", "-verify", "-noverify", "-binary", "-inform", "DER"], input=dati,
                          capture_output=True, check=True).stdout


def riassunto(percorso):
    radice = ET.fromstring(payload(percorso))
    righe = []
    for n in radice:
        if locale(n.tag).upper() == "FATTURAELETTRONICAHEADER":
            cp = figlio(n, "CedentePrestatore")
            anag = figlio(cp, "DatiAnagrafici")
            nome = testo(anag, "Anagrafica", "Denominazione") or (
                testo(anag, "Anagrafica", "Cognome") + " " + testo(anag, "Anagrafica", "Nome")).strip()
            righe.append("cedente|%s|%s|%s|%s|%s|%s" % (testo(anag, "IdFiscaleIVA", "IdPaese"), testo(anag, "IdFiscaleIVA", "IdCodice"),
                                                      testo(anag, "CodiceFiscale"), nome, testo(cp, "Sede", "Comune"),
                                                      testo(cp, "Sede", "CAP")))
            cc = figlio(figlio(n, "CessionarioCommittente"), "DatiAnagrafici")
            righe.append("cessionario|%s|%s" % (testo(cc, "IdFiscaleIVA", "IdCodice"), testo(cc, "CodiceFiscale")))
        elif locale(n.tag).upper() == "FATTURAELETTRONICABODY":
            doc = figlio(figlio(n, "DatiGenerali"), "DatiGeneraliDocumento")
            ritenute = sum((Decimal(testo(r, "ImportoRitenuta") or "0") for r in figli(doc, "DatiRitenuta")), Decimal(0))
            righe.append("corpo|%s|%s|%s|%s" % (testo(doc, "TipoDocumento"), testo(doc, "Data")[:10], testo(doc, "Numero"),
                                                 numero(str(ritenute))))
            beni = figlio(n, "DatiBeniServizi")
            for l in figli(beni, "DettaglioLinee"):
                righe.append("linea|%s|%s|%s|%s|%s|%s|%s" % (testo(l, "NumeroLinea"), testo(l, "Descrizione"),
                                                           numero(testo(l, "Quantita"), "1"), numero(testo(l, "PrezzoUnitario")),
                                                           numero(testo(l, "PrezzoTotale"), "0"), numero(testo(l, "AliquotaIVA"), "0"),
                                                           testo(l, "Natura")))
            for r in figli(beni, "DatiRiepilogo"):
                righe.append("riepilogo|%s|%s|%s|%s" % (numero(testo(r, "AliquotaIVA"), "0"), testo(r, "Natura"),
                                                        numero(testo(r, "ImponibileImporto"), "0"), numero(testo(r, "Imposta"), "0")))
            for p in figli(n, "DatiPagamento"):
                for d in figli(p, "DettaglioPagamento"):
                    righe.append("pagamento|%s|%s|%s|%s" % (testo(p, "CondizioniPagamento"), testo(d, "ModalitaPagamento"),
                                                            testo(d, "DataScadenzaPagamento")[:10], numero(testo(d, "ImportoPagamento"))))
    return righe


for f in sys.argv[1:]:
    print("\n".join(riassunto(f)))
